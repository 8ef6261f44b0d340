// Reads a report layout file into a fresh set of sections and controls.
#include "platform/reportengine/layout/LayoutLoader.h"

#include "platform/reportengine/model/Report.h"
#include "platform/vb/Error.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace report {
namespace {

const QString kSource = u"Report layout"_s;

// The attributes of one element, each taken at most once; what is left over was misspelt.
class Attributes
{
public:
    Attributes(const QXmlStreamReader& xml, QString fileName)
        : m_fileName(std::move(fileName)), m_line(xml.lineNumber())
    {
        for (const auto& attribute : xml.attributes())
            m_values.insert(attribute.name().toString(), attribute.value().toString());
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw vb::Error(
            kLayoutErrorNumber,
            u"%1, line %2: %3"_s.arg(QFileInfo(m_fileName).fileName()).arg(m_line).arg(what),
            kSource);
    }

    bool has(const QString& name) const { return m_values.contains(name); }

    QString text(const QString& name, const QString& fallback = {})
    {
        m_used.insert(name);
        return m_values.value(name, fallback);
    }

    QString required(const QString& name)
    {
        if (!has(name))
            fail(u"the attribute \"%1\" is missing"_s.arg(name));
        return text(name);
    }

    int length(const QString& name, int fallback, bool allowNegative = false)
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const QString value = text(name).trimmed();
        const int number = value.toInt(&ok);
        if (!ok || (!allowNegative && number < 0))
            fail(u"bad length %1=\"%2\" (whole twips%3 expected)"_s.arg(
                name, value, allowNegative ? u""_s : u", 0 or more"_s));
        return number;
    }

    double number(const QString& name, double fallback)
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const QString value = text(name).trimmed();
        const double result = value.toDouble(&ok);
        if (!ok || result <= 0)
            fail(u"bad number %1=\"%2\""_s.arg(name, value));
        return result;
    }

    bool boolean(const QString& name, bool fallback)
    {
        if (!has(name))
            return fallback;
        const QString value = text(name).trimmed().toLower();
        if (value == u"true"_s)
            return true;
        if (value == u"false"_s)
            return false;
        fail(u"bad value %1=\"%2\" (true or false expected)"_s.arg(name, value));
    }

    QRgb color(const QString& name, QRgb fallback)
    {
        if (!has(name))
            return fallback;
        const QString value = text(name).trimmed();
        const QColor color = QColor::fromString(value);
        if (!value.startsWith(u'#') || !color.isValid())
            fail(u"bad colour %1=\"%2\" (#rrggbb expected)"_s.arg(name, value));
        return color.rgb();
    }

    template <typename Enum>
    Enum choice(const QString& name, Enum fallback,
                std::initializer_list<std::pair<const char*, Enum>> choices)
    {
        if (!has(name))
            return fallback;
        const QString value = text(name).trimmed();
        QStringList names;
        for (const auto& [key, result] : choices) {
            if (value.compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
                return result;
            names << QLatin1String(key);
        }
        fail(u"bad value %1=\"%2\" (one of %3 expected)"_s.arg(name, value, names.join(u", "_s)));
    }

    // Every attribute must have been read.
    void finish() const
    {
        for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
            if (!m_used.contains(it.key()))
                fail(u"unknown attribute \"%1\""_s.arg(it.key()));
        }
    }

private:
    QString m_fileName;
    qint64 m_line = 0;
    QHash<QString, QString> m_values;
    QSet<QString> m_used;
};

void readBox(Attributes& attributes, Control& control)
{
    control.setLeft(attributes.length(u"left"_s, 0));
    control.setTop(attributes.length(u"top"_s, 0));
    control.setWidth(attributes.length(u"width"_s, control.width()));
    control.setHeight(attributes.length(u"height"_s, control.height()));
    control.setVisible(attributes.boolean(u"visible"_s, true));
    FontSpec font;
    font.family = attributes.text(u"fontName"_s, font.family);
    font.pointSize = attributes.number(u"fontSize"_s, font.pointSize);
    font.bold = attributes.boolean(u"bold"_s, false);
    font.italic = attributes.boolean(u"italic"_s, false);
    font.underline = attributes.boolean(u"underline"_s, false);
    font.strikeOut = attributes.boolean(u"strikeOut"_s, false);
    control.setFont(font);
    control.setForeColor(attributes.color(u"foreColor"_s, control.foreColor()));
    control.setBackStyle(attributes.choice(
        u"backStyle"_s, BackStyle::Transparent,
        {{"transparent", BackStyle::Transparent}, {"opaque", BackStyle::Opaque}}));
    control.setBackColor(attributes.color(u"backColor"_s, control.backColor()));
}

void readText(Attributes& attributes, TextControl& control)
{
    control.setAlignment(attributes.choice(u"align"_s, HAlign::Left,
                                           {{"left", HAlign::Left},
                                            {"right", HAlign::Right},
                                            {"center", HAlign::Center},
                                            {"justify", HAlign::Justify}}));
    control.setVerticalAlignment(attributes.choice(
        u"valign"_s, VAlign::Top,
        {{"top", VAlign::Top}, {"middle", VAlign::Middle}, {"bottom", VAlign::Bottom}}));
    control.setWordWrap(attributes.boolean(u"wordWrap"_s, true));
    control.setCanGrow(attributes.boolean(u"canGrow"_s, false));
    control.setCanShrink(attributes.boolean(u"canShrink"_s, false));
}

QString resolvePath(const QString& layoutFile, const QString& path)
{
    if (path.startsWith(u':') || QFileInfo(path).isAbsolute())
        return path;
    return QFileInfo(layoutFile).absoluteDir().filePath(path);
}

std::unique_ptr<Control> readControl(const QXmlStreamReader& xml, Attributes& attributes,
                                     const QString& fileName)
{
    const QString type = xml.name().toString();
    const QString name = attributes.required(u"name"_s);
    if (type == u"label"_s) {
        auto label = std::make_unique<Label>(name);
        readBox(attributes, *label);
        readText(attributes, *label);
        label->setCaption(attributes.text(u"caption"_s));
        return label;
    }
    if (type == u"textbox"_s) {
        auto box = std::make_unique<TextBox>(name);
        readBox(attributes, *box);
        readText(attributes, *box);
        box->setText(attributes.text(u"text"_s));
        box->setDataField(attributes.text(u"dataField"_s));
        box->setOutputFormat(attributes.text(u"outputFormat"_s));
        box->setSummaryField(attributes.choice(u"summary"_s, SummaryField::None,
                                               {{"none", SummaryField::None},
                                                {"pageNumber", SummaryField::PageNumber},
                                                {"pageCount", SummaryField::PageCount}}));
        return box;
    }
    if (type == u"picture"_s) {
        auto picture = std::make_unique<Picture>(name);
        readBox(attributes, *picture);
        picture->setSizeMode(attributes.choice(
            u"sizeMode"_s, SizeMode::Clip,
            {{"clip", SizeMode::Clip}, {"stretch", SizeMode::Stretch}, {"zoom", SizeMode::Zoom}}));
        picture->setDataField(attributes.text(u"dataField"_s));
        picture->setBorder(attributes.boolean(u"border"_s, false));
        if (attributes.has(u"src"_s)) {
            const QString path = resolvePath(fileName, attributes.text(u"src"_s));
            if (!picture->loadPicture(path))
                attributes.fail(u"the picture \"%1\" cannot be read"_s.arg(path));
        }
        return picture;
    }
    if (type == u"line"_s) {
        auto line = std::make_unique<LineControl>(name);
        line->setVisible(attributes.boolean(u"visible"_s, true));
        line->setEnds(attributes.length(u"x1"_s, 0), attributes.length(u"y1"_s, 0),
                      attributes.length(u"x2"_s, 0), attributes.length(u"y2"_s, 0));
        line->setLineWeight(attributes.length(u"lineWeight"_s, 15));
        line->setLineStyle(attributes.choice(
            u"lineStyle"_s, 1, {{"solid", 1}, {"dash", 2}, {"dot", 3}, {"dashDot", 4}}));
        line->setForeColor(attributes.color(u"foreColor"_s, line->foreColor()));
        return line;
    }
    if (type == u"shape"_s) {
        auto shape = std::make_unique<Shape>(name);
        readBox(attributes, *shape);
        shape->setShapeKind(attributes.choice(u"shape"_s, ShapeKind::Rectangle,
                                              {{"rectangle", ShapeKind::Rectangle},
                                               {"ellipse", ShapeKind::Ellipse},
                                               {"roundRect", ShapeKind::RoundRect}}));
        shape->setLineWeight(attributes.length(u"lineWeight"_s, 15));
        shape->setOutlined(attributes.boolean(u"outlined"_s, true));
        return shape;
    }
    if (type == u"subreport"_s) {
        auto container = std::make_unique<SubReport>(name);
        readBox(attributes, *container);
        return container;
    }
    attributes.fail(u"unknown control type \"%1\""_s.arg(type));
}

SectionKind sectionKind(Attributes& attributes)
{
    return attributes.choice(u"kind"_s, SectionKind::Detail,
                             {{"ReportHeader", SectionKind::ReportHeader},
                              {"PageHeader", SectionKind::PageHeader},
                              {"GroupHeader", SectionKind::GroupHeader},
                              {"Detail", SectionKind::Detail},
                              {"GroupFooter", SectionKind::GroupFooter},
                              {"PageFooter", SectionKind::PageFooter},
                              {"ReportFooter", SectionKind::ReportFooter}});
}

std::unique_ptr<Section> readSection(Attributes& attributes)
{
    if (!attributes.has(u"kind"_s))
        attributes.fail(u"the attribute \"kind\" is missing"_s);
    const SectionKind kind = sectionKind(attributes);
    auto section = std::make_unique<Section>(kind, attributes.required(u"name"_s));
    section->setHeight(attributes.length(u"height"_s, section->height()));
    section->setVisible(attributes.boolean(u"visible"_s, true));
    section->setCanGrow(attributes.boolean(u"canGrow"_s, true));
    section->setCanShrink(attributes.boolean(u"canShrink"_s, false));
    section->setKeepTogether(attributes.boolean(u"keepTogether"_s, false));
    section->setNewPage(attributes.choice(u"newPage"_s, NewPage::None,
                                          {{"none", NewPage::None},
                                           {"before", NewPage::Before},
                                           {"after", NewPage::After},
                                           {"beforeAfter", NewPage::BeforeAfter}}));
    section->setBackStyle(attributes.choice(
        u"backStyle"_s, BackStyle::Transparent,
        {{"transparent", BackStyle::Transparent}, {"opaque", BackStyle::Opaque}}));
    section->setBackColor(attributes.color(u"backColor"_s, section->backColor()));
    if (kind == SectionKind::GroupHeader) {
        section->setDataField(attributes.text(u"dataField"_s));
        section->setRepeatStyle(
            attributes.choice(u"repeat"_s, RepeatStyle::None,
                              {{"none", RepeatStyle::None}, {"onPage", RepeatStyle::OnPage}}));
    }
    return section;
}

// Sections must come in report order; returns the rank of a kind in that order.
int rank(SectionKind kind)
{
    switch (kind) {
    case SectionKind::ReportHeader:
        return 0;
    case SectionKind::PageHeader:
        return 1;
    case SectionKind::GroupHeader:
        return 2;
    case SectionKind::Detail:
        return 3;
    case SectionKind::GroupFooter:
        return 4;
    case SectionKind::PageFooter:
        return 5;
    case SectionKind::ReportFooter:
        return 6;
    }
    return 0;
}

struct LoadedLayout
{
    QString name;
    PageSettings page;
    QString dataControlName = u"dcDetail"_s;
    std::vector<std::unique_ptr<Section>> sections;
};

class Reader
{
public:
    Reader(QXmlStreamReader& xml, QString fileName) : m_xml(xml), m_fileName(std::move(fileName)) {}

    LoadedLayout read()
    {
        LoadedLayout layout;
        if (!nextElement() || m_xml.name() != u"report"_s)
            failHere(u"the layout must start with a <report> element"_s);
        Attributes reportAttributes(m_xml, m_fileName);
        layout.name = reportAttributes.required(u"name"_s);
        reportAttributes.finish();
        while (nextElement()) {
            const QString element = m_xml.name().toString();
            Attributes attributes(m_xml, m_fileName);
            if (element == u"page"_s)
                readPage(attributes, layout.page);
            else if (element == u"data"_s)
                layout.dataControlName = attributes.required(u"name"_s);
            else if (element == u"section"_s)
                layout.sections.push_back(readSectionWithControls(attributes));
            else
                attributes.fail(u"unknown element <%1>"_s.arg(element));
            attributes.finish();
            if (element != u"section"_s)
                m_xml.skipCurrentElement();
        }
        checkError();
        checkSections(layout.sections);
        return layout;
    }

private:
    // The next start element inside the current one; false at its end.
    bool nextElement()
    {
        while (!m_xml.atEnd()) {
            const auto token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement)
                return true;
            if (token == QXmlStreamReader::EndElement)
                return false;
        }
        checkError();
        return false;
    }

    void checkError() const
    {
        if (m_xml.hasError())
            failHere(m_xml.errorString());
    }

    [[noreturn]] void failHere(const QString& what) const
    {
        throw vb::Error(kLayoutErrorNumber,
                        u"%1, line %2: %3"_s.arg(QFileInfo(m_fileName).fileName())
                            .arg(m_xml.lineNumber())
                            .arg(what),
                        kSource);
    }

    void readPage(Attributes& attributes, PageSettings& page)
    {
        page.orientation = attributes.choice(u"orientation"_s, Orientation::Default,
                                             {{"-1", Orientation::Default},
                                              {"1", Orientation::Portrait},
                                              {"2", Orientation::Landscape}});
        page.paperWidth = attributes.length(u"paperWidth"_s, 0);
        page.paperHeight = attributes.length(u"paperHeight"_s, 0);
        page.leftMargin = attributes.length(u"leftMargin"_s, page.leftMargin);
        page.rightMargin = attributes.length(u"rightMargin"_s, page.rightMargin);
        page.topMargin = attributes.length(u"topMargin"_s, page.topMargin);
        page.bottomMargin = attributes.length(u"bottomMargin"_s, page.bottomMargin);
    }

    std::unique_ptr<Section> readSectionWithControls(Attributes& attributes)
    {
        auto section = readSection(attributes);
        while (nextElement()) {
            Attributes controlAttributes(m_xml, m_fileName);
            auto control = readControl(m_xml, controlAttributes, m_fileName);
            controlAttributes.finish();
            if (m_names.contains(control->name().toLower()))
                controlAttributes.fail(u"the name \"%1\" is used twice"_s.arg(control->name()));
            m_names.insert(control->name().toLower());
            section->addControl(std::move(control));
            m_xml.skipCurrentElement();
        }
        if (m_sectionNames.contains(section->name().toLower()))
            attributes.fail(u"the section name \"%1\" is used twice"_s.arg(section->name()));
        m_sectionNames.insert(section->name().toLower());
        return section;
    }

    void checkSections(const std::vector<std::unique_ptr<Section>>& sections) const
    {
        int lastRank = -1;
        int headers = 0;
        int footers = 0;
        int details = 0;
        QSet<SectionKind> singles;
        for (const auto& section : sections) {
            const int sectionRank = rank(section->kind());
            if (sectionRank < lastRank)
                failAtEnd(
                    u"the section \"%1\" is out of order (report header, page header, "
                    u"group headers, detail, group footers, page footer, report footer)"_s.arg(
                        section->name()));
            lastRank = sectionRank;
            switch (section->kind()) {
            case SectionKind::GroupHeader:
                ++headers;
                break;
            case SectionKind::GroupFooter:
                ++footers;
                break;
            case SectionKind::Detail:
                ++details;
                break;
            default:
                if (singles.contains(section->kind()))
                    failAtEnd(u"the section \"%1\" is a second section of its kind"_s.arg(
                        section->name()));
                singles.insert(section->kind());
            }
        }
        if (details != 1)
            failAtEnd(details == 0 ? u"the layout has no Detail section"_s
                                   : u"the layout has more than one Detail section"_s);
        if (headers != footers)
            failAtEnd(
                u"%1 group headers but %2 group footers: every group needs both"_s.arg(headers).arg(
                    footers));
    }

    [[noreturn]] void failAtEnd(const QString& what) const
    {
        throw vb::Error(kLayoutErrorNumber,
                        u"%1, line %2: %3"_s.arg(QFileInfo(m_fileName).fileName())
                            .arg(m_xml.lineNumber())
                            .arg(what),
                        kSource);
    }

    QXmlStreamReader& m_xml;
    QString m_fileName;
    QSet<QString> m_names;
    QSet<QString> m_sectionNames;
};

} // namespace

void loadLayout(Report& report, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw vb::Error(
            vb::ErrorNumber::FileNotFound,
            u"The report layout %1 cannot be read: %2"_s.arg(fileName, file.errorString()),
            kSource);
    QXmlStreamReader xml(&file);
    LoadedLayout layout = Reader(xml, fileName).read();

    report.setObjectName(layout.name);
    report.pageSettings() = layout.page;
    report.dataControl().setName(layout.dataControlName);
    report.replaceSections(std::move(layout.sections));
}

} // namespace report
