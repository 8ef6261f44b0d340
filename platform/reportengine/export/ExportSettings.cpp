// The export formats and their options, and the translation between stored texts and filters.

#include "platform/reportengine/export/ExportSettings.h"

#include "platform/reportengine/export/ExcelExport.h"
#include "platform/reportengine/export/HtmlExport.h"
#include "platform/reportengine/export/PdfExport.h"
#include "platform/reportengine/export/RtfExport.h"
#include "platform/reportengine/export/TextExport.h"
#include "platform/reportengine/export/TiffExport.h"
#include "platform/vb/ConversionFunctions.h"
#include "platform/vb/Error.h"

#include <algorithm>
#include <cmath>
#include <QMetaProperty>
#include <QObject>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kMaxTwips = 999999999;

ExportOption checkBox(QString name, QString defaultText, QString control, QString caption = {})
{
    ExportOption option;
    option.valueName = std::move(name);
    option.defaultText = std::move(defaultText);
    option.kind = OptionKind::CheckBox;
    option.control = std::move(control);
    option.caption = std::move(caption);
    return option;
}

ExportOption number(QString name, QString defaultText, QString control, int minimum, int maximum,
                    QString caption = {})
{
    ExportOption option;
    option.valueName = std::move(name);
    option.defaultText = std::move(defaultText);
    option.kind = OptionKind::Number;
    option.control = std::move(control);
    option.caption = std::move(caption);
    option.minimum = minimum;
    option.maximum = maximum;
    return option;
}

ExportOption text(QString name, QString control, QString caption)
{
    ExportOption option;
    option.valueName = std::move(name);
    option.kind = OptionKind::Text;
    option.control = std::move(control);
    option.caption = std::move(caption);
    return option;
}

ExportOption list(QString name, QString defaultText, QString control, QStringList items,
                  bool storesPosition, QString caption = {})
{
    ExportOption option;
    option.valueName = std::move(name);
    option.defaultText = std::move(defaultText);
    option.kind = OptionKind::List;
    option.control = std::move(control);
    option.caption = std::move(caption);
    option.items = std::move(items);
    option.storesPosition = storesPosition;
    if (storesPosition) {
        option.minimum = 0;
        option.maximum = static_cast<int>(option.items.size()) - 1;
    }
    return option;
}

std::vector<ExportOption> textOptions()
{
    return {
        checkBox(u"SuppressEmptyLines"_s, u"0"_s, u"chkSuppressEmptyLines"_s,
                 u"Suppress empty lines"_s),
        text(u"PageDelimiter"_s, u"txtPageDelimiter"_s, u"Page delimiter:"_s),
        text(u"TextDelimiter"_s, u"txtTextDelimiter"_s, u"Field delimiter:"_s),
    };
}

std::vector<ExportOption> pdfOptions()
{
    return {
        number(u"JPGQuality"_s, u"80"_s, u"sldJPGQuality"_s, 0, 100, u"JPG Quality"_s),
        checkBox(u"OutputTOCAsBookmarks"_s, u"0"_s, u"chkOutputTOCAsBookMarks"_s,
                 u"Output TOC as BookMarks"_s),
        checkBox(u"ShowBookmarksInAcrobat"_s, u"0"_s, u"chkShowBookmarksInAcrobat"_s,
                 u"Show BookMarks in Acrobat"_s),
        text(u"UserPassword"_s, u"txtUserPassword"_s, u"User password:"_s),
        text(u"OwnerPassword"_s, u"txtOwnerPassword"_s, u"Owner password:"_s),
        // The sum of the check boxes chkAllowPrint (4), chkAllowModifyContents (8) and
        // chkAllowCopy (16).
        number(u"Permissions"_s, u"28"_s, u"chkAllowPrint chkAllowModifyContents chkAllowCopy"_s, 0,
               28),
    };
}

std::vector<ExportOption> htmlOptions()
{
    ExportOption title = text(u"PageTitle"_s, u"txtTitle"_s, u"Page title:"_s);
    title.defaultIsTitle = true;
    return {
        list(u"CharacterSet"_s, u"UTF-8"_s, u"cboCharacterSet"_s,
             {u"UTF-8"_s, u"UTF-7"_s, u"UTF-7MIME"_s, u"KOI8-r"_s, u"KSC5601"_s, u"shift-jis"_s,
              u"iso-2022-jp"_s, u"iso-2022-kr"_s, u"euc-jp"_s, u"big5"_s, u"HZ-GB-2312"_s,
              u"IBM850"_s, u"iso-8859-1"_s, u"iso-8859-2"_s, u"iso-8859-5"_s, u"iso-8859-6"_s},
             false, u"Character set:"_s),
        checkBox(u"CreateCSSFile"_s, u"0"_s, u"chkCreateCSSFile"_s,
                 u"Create a stylesheet file (CSS)"_s),
        checkBox(u"CreateFramesetPage"_s, u"0"_s, u"chkCreateFramesetPage"_s,
                 u"Create framesets"_s),
        text(u"HeadExtraInnerText"_s, u"txtHeadExtraInnerText"_s, u"Extra content for HEAD tag"_s),
        number(u"JPEGQuality"_s, u"60"_s, u"sldJPGQuality"_s, 0, 100, u"JPG Quality"_s),
        checkBox(u"MHTOutput"_s, u"0"_s, u"chkMHTOutput"_s, u"Export as an MHT archive"_s),
        checkBox(u"MultiPageOutput"_s, u"0"_s, u"chkMultiPageOutput"_s, u"Multi page output"_s),
        list(u"TableOfContents"_s, u"0"_s, u"cboTableOfContents"_s,
             {u"None"_s, u"Use <DL> tags"_s, u"Expandable DHTML tree  "_s, u"Output as XML"_s},
             true, u"TOC output:"_s),
        title,
    };
}

std::vector<ExportOption> excelOptions()
{
    return {
        checkBox(u"AutoRowHeight"_s, u"1"_s, u"chkAutoRowHeight"_s),
        checkBox(u"DoubleBoundaries"_s, u"0"_s, u"chkDoubleBoundaries"_s, u"Double boundaries"_s),
        checkBox(u"GenPagebreaks"_s, u"0"_s, u"chkGenPageBreaks"_s, u"Generate page breaks"_s),
        checkBox(u"MultiSheet"_s, u"0"_s, u"chkMultiSheet"_s, u"Export using multi sheets"_s),
        checkBox(u"ShowMarginSpace"_s, u"0"_s, u"chkShowMarginSpace"_s, u"Show margin space"_s),
        checkBox(u"SizeToFit"_s, u"0"_s, u"chkSizeToFit"_s, u"Size to fit"_s),
        checkBox(u"TrimEmptySpace"_s, u"0"_s, u"chkTrimEmptySpace"_s, u"Trim empty space"_s),
        number(u"BorderSpace"_s, u"59"_s, u"txtBorderSpace"_s, 0, kMaxTwips),
        number(u"MinColumnWidth"_s, u"1011"_s, u"txtMinColumnWidth"_s, 71, 144000),
        number(u"MinRowHeight"_s, u"128"_s, u"txtMinRowHeight"_s, 0, kMaxTwips),
        list(u"Version"_s, u"8"_s, u"cboVersion"_s,
             {u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"7"_s, u"8"_s}, false),
    };
}

std::vector<ExportFormat> buildFormats()
{
    return {
        {1, u"TEXT"_s, u"Text"_s, u"frmTextExport"_s, u"Text Export Options"_s, u"objTextExport"_s,
         u"Text (*.txt)|*.txt"_s, textOptions()},
        {2, u"PDF"_s, u"PDF"_s, u"frmPDFExport"_s, u"Adobe Acrobat PDF Export Options"_s,
         u"objPDFExport"_s, u"Adobe Acrobat (*.pdf)|*.pdf"_s, pdfOptions()},
        {3, u"RTF"_s, u"RTF"_s, {}, {}, u"objRTFExport"_s, u"Rich-Text Format (*.rtf)|*.rtf"_s, {}},
        {4, u"HTML"_s, u"HTML"_s, u"frmHTMLExport"_s, u"Web HTML Export Options"_s,
         u"objHTMLExport"_s, u"HTML (*.htm)|*.htm"_s, htmlOptions()},
        {5, u"EXCEL"_s, u"XLS"_s, u"frmExcelExport"_s, u"Excel XLS Export Options"_s,
         u"objExcelExport"_s, u"Excel (*.xls)|*.xls"_s, excelOptions()},
        {6, u"TIF"_s, u"TIF"_s, {}, {}, u"objTIFFExport"_s, u"TIFF (*.tif)|*.tif"_s, {}},
    };
}

const ExportFormat& formatOrRaise(int code)
{
    const ExportFormat* format = exportFormat(code);
    if (!format)
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                        u"There is no export format %1."_s.arg(code), u"ExportSettings"_s);
    return *format;
}

// Filter objects carry each option as a Qt property named as its registry value.
QMetaProperty optionProperty(const QObject& filter, const ExportOption& option)
{
    const QMetaObject* meta = filter.metaObject();
    const int index = meta->indexOfProperty(option.valueName.toLatin1().constData());
    if (index < 0)
        throw vb::Error(
            vb::ErrorNumber::ObjectDoesNotSupportProperty,
            u"%1 has no option %2."_s.arg(QString::fromLatin1(meta->className()), option.valueName),
            u"ExportSettings"_s);
    return meta->property(index);
}

vb::Error wrongFilter(const ExportFormat& format)
{
    return vb::Error(vb::ErrorNumber::TypeMismatch,
                     u"The filter is not an %1."_s.arg(format.filterObject), u"ExportSettings"_s);
}

template <class Object>
void requireType(const ExportFormat& format, const ExportFilter& filter)
{
    if (!dynamic_cast<const Object*>(&filter))
        throw wrongFilter(format);
}

// The filter must be the format's own object: another one would take options it cannot use.
void checkFilterType(const ExportFormat& format, const ExportFilter& filter)
{
    switch (format.code) {
    case 1:
        return requireType<objTextExport>(format, filter);
    case 2:
        return requireType<objPDFExport>(format, filter);
    case 3:
        return requireType<objRTFExport>(format, filter);
    case 4:
        return requireType<objHTMLExport>(format, filter);
    case 5:
        return requireType<objExcelExport>(format, filter);
    default:
        return requireType<objTIFFExport>(format, filter);
    }
}

int clampedNumber(const ExportOption& option, const QString& text)
{
    const double value = std::round(vb::valueOfText(text));
    return static_cast<int>(std::clamp(value, double(option.minimum), double(option.maximum)));
}

// The value a filter property receives for a stored text.
QVariant propertyValue(const ExportOption& option, const QString& stored)
{
    switch (option.kind) {
    case OptionKind::CheckBox:
        return vb::valueOfText(stored) != 0.0;
    case OptionKind::Number:
        return clampedNumber(option, stored);
    case OptionKind::Text:
        return stored;
    case OptionKind::List:
        break;
    }
    if (option.storesPosition) {
        const double position = vb::valueOfText(stored);
        if (position >= option.minimum && position <= option.maximum)
            return static_cast<int>(position);
        return static_cast<int>(vb::valueOfText(option.defaultText));
    }
    for (const QString& item : option.items)
        if (item.compare(stored.trimmed(), Qt::CaseInsensitive) == 0)
            return item;
    return option.defaultText;
}

QString storedText(const ExportOption& option, const QVariant& value)
{
    switch (option.kind) {
    case OptionKind::CheckBox:
        return value.toBool() ? u"-1"_s : u"0"_s;
    case OptionKind::Number:
        return QString::number(value.toInt());
    case OptionKind::Text:
        return value.toString();
    case OptionKind::List:
        break;
    }
    return option.storesPosition ? QString::number(value.toInt()) : value.toString();
}

} // namespace

const std::vector<ExportFormat>& exportFormats()
{
    static const std::vector<ExportFormat> formats = buildFormats();
    return formats;
}

const ExportFormat* exportFormat(int code)
{
    for (const ExportFormat& format : exportFormats())
        if (format.code == code)
            return &format;
    return nullptr;
}

const ExportFormat* exportFormatByMenuName(const QString& menuName)
{
    const QString wanted = menuName.toUpper();
    for (const ExportFormat& format : exportFormats())
        if (format.menuName == wanted)
            return &format;
    return nullptr;
}

const ExportOption* exportOption(const ExportFormat& format, const QString& valueName)
{
    for (const ExportOption& option : format.options)
        if (option.valueName.compare(valueName, Qt::CaseInsensitive) == 0)
            return &option;
    return nullptr;
}

QString storedOptionText(const OptionTexts& stored, const ExportOption& option,
                         const QString& title)
{
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        if (it.key().compare(option.valueName, Qt::CaseInsensitive) == 0)
            return it.value();
    return option.defaultIsTitle ? title : option.defaultText;
}

std::unique_ptr<ExportFilter> createExportFilter(int code)
{
    switch (code) {
    case 1:
        return std::make_unique<objTextExport>();
    case 2:
        return std::make_unique<objPDFExport>();
    case 3:
        return std::make_unique<objRTFExport>();
    case 4:
        return std::make_unique<objHTMLExport>();
    case 5:
        return std::make_unique<objExcelExport>();
    case 6:
        return std::make_unique<objTIFFExport>();
    default:
        return nullptr;
    }
}

void applyExportOptions(int code, ExportFilter& filter, const OptionTexts& stored,
                        const QString& title)
{
    const ExportFormat& format = formatOrRaise(code);
    checkFilterType(format, filter);
    auto& object = dynamic_cast<QObject&>(filter); // every filter object is a QObject
    for (const ExportOption& option : format.options) {
        const QMetaProperty property = optionProperty(object, option);
        const QVariant value = propertyValue(option, storedOptionText(stored, option, title));
        if (!property.write(&object, value))
            throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                            u"%1 does not take \"%2\" as %3."_s.arg(
                                format.filterObject, value.toString(), option.valueName),
                            u"ExportSettings"_s);
    }
}

OptionTexts exportOptionTexts(int code, const ExportFilter& filter)
{
    const ExportFormat& format = formatOrRaise(code);
    checkFilterType(format, filter);
    const auto& object = dynamic_cast<const QObject&>(filter);
    OptionTexts texts;
    for (const ExportOption& option : format.options)
        texts.insert(option.valueName,
                     storedText(option, optionProperty(object, option).read(&object)));
    return texts;
}

} // namespace report
