// The cellar summary report object: layout, start-up geometry, page footer and progress.

#include "reports/summary/Feldrake.h"

#include "platform/vb/DateFunctions.h"
#include "platform/vb/Rounding.h"
#include "reports/ReportViewer.h"

#include <QRect>

using namespace Qt::StringLiterals;

namespace feldrake {

namespace {

const QString kLayout = u":/summary/Feldrake.xml"_s;

} // namespace

Feldrake::Feldrake(QObject* parent) : report::Report(parent)
{
    loadLayout(kLayout);
    section(u"PageFooter"_s).setOnFormat([this] { PageFooter_Format(); });
}

void Feldrake::setViewer(reports::ReportViewer* viewer)
{
    m_viewer = viewer;
}

void Feldrake::reportStart()
{
    const report::PageSettings& page = pageSettings();
    const int printWidth = paperWidth() - page.leftMargin - page.rightMargin;
    setPrintWidth(printWidth);
    widenToPrintWidth(printWidth);
    centre(shape(u"Shape1"_s), printWidth);
    centreFrame(u"fraStatsForQuery"_s, printWidth);
    centreFrame(u"Frame1"_s, printWidth);
    centre(label(u"lblStatsForQuery"_s), printWidth);
    centre(label(u"lblStatsForDB"_s), printWidth);
}

void Feldrake::widenToPrintWidth(int printWidth)
{
    // The header's background goes with the title, so that the title stays on it.
    for (const QString& name : {u"imgBackReportHeader"_s, u"lblReportTitle"_s, u"txtUserName"_s,
                                u"txtCellarFile"_s, u"txtDateTime"_s})
        control(name).setWidth(printWidth);
    for (const QString& name : {u"Line1"_s, u"Line2"_s}) {
        report::LineControl& rule = line(name);
        rule.setEnds(rule.x1(), rule.y1(), printWidth, rule.y2());
    }
}

void Feldrake::centreFrame(const QString& frame, int printWidth)
{
    report::Shape& box = shape(frame);
    const QRect before(box.left(), box.top(), box.width(), box.height());
    centre(box, printWidth);
    const int shift = box.left() - before.left();
    for (const auto& control : section(u"Detail"_s).controls()) {
        const QRect area(control->left(), control->top(), control->width(), control->height());
        if (control.get() != &box && before.contains(area))
            control->setLeft(control->left() + shift);
    }
}

void Feldrake::centre(report::Control& control, int printWidth)
{
    const double left = printWidth / 2.0 - control.width() / 2.0;
    control.setLeft(static_cast<int>(vb::roundHalfEven(left)));
}

void Feldrake::PageFooter_Format()
{
    textBox(u"txtDateTime"_s).setText(vb::Now().toString());
}

void Feldrake::printProgress(int pageNumber)
{
    if (m_viewer)
        m_viewer->ProgressStatus(pageNumber);
}

} // namespace feldrake
