// rptCellarWineList: the report's layout at run time and its event handlers.

#include "reports/winelist/rptCellarWineList.h"

#include "platform/vb/DateFunctions.h"
#include "platform/vb/Format.h"
#include "reports/PageNumbers.h"
#include "reports/ReportViewer.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct GroupSections
{
    QString header;
    QString footer;
    QString displayField;
};

const std::array<GroupSections, 3> kGroups{{
    {u"PrimaryGroup"_s, u"PrimaryGroupFooter"_s, u"Primary_DisplayField"_s},
    {u"SecondaryGroup"_s, u"SecondaryGroupFooter"_s, u"Secondary_DisplayField"_s},
    {u"TertieryGroup"_s, u"TertieryGroupFooter"_s, u"Tertiery_DisplayField"_s},
}};

const QString kDetailBox = u"txtWine"_s;

void indentBox(report::Control& box, int indent, int rightEdge)
{
    box.setLeft(indent);
    box.setWidth(rightEdge - indent);
}

} // namespace

rptCellarWineList::rptCellarWineList(QObject* parent) : report::Report(parent)
{
    loadLayout(u":/winelist/rptCellarWineList.xml"_s);
    section(u"Detail"_s).setOnFormat([this] { Detail_Format(); });
}

void rptCellarWineList::reportStart()
{
    const int printWidth = paperWidth() - pageSettings().leftMargin - pageSettings().rightMargin;
    setPrintWidth(printWidth);
    widenToPrintWidth(printWidth);
    reports::alignPageNumbers(*this, printWidth);
    showGroups(printWidth);
    textBox(u"txtDateTime"_s).setText(vb::Format(vb::Now(), u"General Date"_s).toString());
}

void rptCellarWineList::widenToPrintWidth(int printWidth)
{
    for (const QString& name :
         {u"lblReportTitle"_s, u"txtCellarFile"_s, u"txtDateTime"_s, u"imgBackReportHeader"_s})
        control(name).setWidth(printWidth);
    for (const QString& name : {u"linReportTitle"_s, u"linPageFooter"_s}) {
        report::LineControl& rule = line(name);
        rule.setEnds(0, rule.top(), printWidth, rule.top());
    }
}

void rptCellarWineList::showGroups(int printWidth)
{
    // Every indented box ends at the print width, the right edge of the printable area.
    int shown = 0;
    for (const GroupSections& group : kGroups) {
        report::Section& header = section(group.header);
        const bool used = !header.dataField().isEmpty();
        header.setVisible(used);
        section(group.footer).setVisible(used);
        if (used)
            indentBox(textBox(group.displayField), kGroupIndent * shown++, printWidth);
    }
    indentBox(textBox(kDetailBox), kGroupIndent * shown, printWidth);
}

QString rptCellarWineList::cleanWineText(QString text)
{
    if (text.startsWith(u", "_s))
        text.remove(0, 2);
    if (text.startsWith(u"N/A, "_s))
        text.remove(0, 5);
    text.replace(u", , "_s, u", "_s);
    text.replace(u", N/A, "_s, u", "_s);
    if (text.endsWith(u", "_s))
        text.chop(2);
    if (text.endsWith(u", N/A"_s))
        text.chop(5);
    return text;
}

void rptCellarWineList::Detail_Format()
{
    report::TextBox& wine = textBox(kDetailBox);
    wine.setText(cleanWineText(wine.text()));
}

void rptCellarWineList::printProgress(int pageNumber)
{
    if (m_viewer)
        m_viewer->ProgressStatus(pageNumber).raiseIfFailed();
}
