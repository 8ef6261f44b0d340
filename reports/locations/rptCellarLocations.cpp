// rptCellarLocations: the report's layout at run time and its event handlers.

#include "reports/locations/rptCellarLocations.h"

#include "platform/vb/DateFunctions.h"
#include "platform/vb/Format.h"
#include "reports/PageNumbers.h"
#include "reports/ReportViewer.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr double kLocationShare = 0.25;
constexpr double kQuantityShare = 0.1;
constexpr double kWineTitleShare = 0.65;

// A share of the print width in whole twips, rounded as VB rounds (half to even).
int shareOf(int printWidth, double share)
{
    return static_cast<int>(std::nearbyint(printWidth * share));
}

} // namespace

rptCellarLocations::rptCellarLocations(QObject* parent) : report::Report(parent)
{
    loadLayout(u":/locations/rptCellarLocations.xml"_s);
    section(u"Detail"_s).setOnFormat([this] { Detail_Format(); });
    section(u"Detail"_s).setOnBeforePrint([this] { Detail_BeforePrint(); });
}

void rptCellarLocations::reportStart()
{
    const int printWidth = paperWidth() - (pageSettings().leftMargin + pageSettings().rightMargin);
    setPrintWidth(printWidth);
    m_rowCounter = 0;
    textBox(u"txtDateTime"_s).setText(vb::Format(vb::Now(), u"General Date"_s).toString());
    for (const QString& name : {u"lblReportTitle"_s, u"txtUserName"_s, u"txtCellarFile"_s,
                                u"txtDateTime"_s, u"imgBackReportHeader"_s})
        control(name).setWidth(printWidth);
    for (const QString& name : {u"linPageHeader"_s, u"linPageFooter"_s}) {
        report::LineControl& rule = line(name);
        rule.setEnds(0, rule.top(), printWidth, rule.top());
    }
    layOutColumns(printWidth);
    reports::alignPageNumbers(*this, printWidth);
}

void rptCellarLocations::layOutColumns(int printWidth)
{
    report::Label& location = label(u"lblLocation"_s);
    report::Label& quantity = label(u"lblQuantity"_s);
    report::Label& wineTitle = label(u"lblWineTitle"_s);
    location.setWidth(shareOf(printWidth, kLocationShare));
    quantity.setLeft(location.width());
    quantity.setWidth(shareOf(printWidth, kQuantityShare));
    wineTitle.setLeft(quantity.left() + quantity.width());
    wineTitle.setWidth(shareOf(printWidth, kWineTitleShare));

    textBox(u"Location"_s).setWidth(location.width());
    for (const auto& [header, box] :
         {std::pair{&quantity, u"Quantity"_s}, std::pair{&wineTitle, u"WineTitle"_s}}) {
        textBox(box).setLeft(header->left());
        textBox(box).setWidth(header->width());
    }
}

void rptCellarLocations::Detail_Format()
{
    report::Section& detail = section(u"Detail"_s);
    if (m_rowCounter % 2 == 1) {
        detail.setBackStyle(report::BackStyle::Opaque);
        detail.setBackColor(kShadeColor);
    } else {
        detail.setBackStyle(report::BackStyle::Transparent);
    }
    m_rowCounter = static_cast<qint16>((m_rowCounter + 1) % 2);
}

void rptCellarLocations::Detail_BeforePrint()
{
    report::TextBox& location = textBox(u"Location"_s);
    report::TextBox& wineTitle = textBox(u"WineTitle"_s);
    const int height = std::max(location.height(), wineTitle.height());
    for (report::TextBox* box : {&location, &wineTitle, &textBox(u"Quantity"_s)})
        box->setHeight(height);
}

void rptCellarLocations::printProgress(int pageNumber)
{
    if (m_viewer)
        m_viewer->ProgressStatus(pageNumber).raiseIfFailed();
}
