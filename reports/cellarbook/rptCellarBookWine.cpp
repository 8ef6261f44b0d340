// rptCellarBookWine: the report's layout at run time and its event handlers.

#include "reports/cellarbook/rptCellarBookWine.h"

#include "platform/vb/DateFunctions.h"
#include "platform/vb/Format.h"
#include "reports/cellarbook/LabelPicture.h"
#include "reports/cellarbook/subRptTN.h"
#include "reports/cellarbook/subRptTx.h"
#include "reports/CommonTools.h"
#include "reports/LanguageHelper.h"
#include "reports/NumberedTexts.h"
#include "reports/PageNumbers.h"
#include "reports/ReportViewer.h"

#include <array>
#include <cmath>
#include <QFontMetricsF>

using namespace Qt::StringLiterals;

namespace parvello {

namespace {

const QString kLayout = u":/cellarbook/rptCellarBookWine.xml"_s;
const QString kReportKey = u"repBookWine"_s;
const QString kLineBreak = u"\r\n"_s;
constexpr int kVarietyBoxes = 5;
constexpr int kUserFields = 5;

const std::array<QString, kVarietyBoxes> kVarietyBoxNames{u"txtVarieties"_s, u"txtVarieties2"_s,
                                                          u"txtVarieties3"_s, u"txtVarieties4"_s,
                                                          u"txtVarieties5"_s};

struct CaptionPair
{
    QString label;
    QString box;
};

// Measured with lblAppellation's font, in this order.
const std::array<CaptionPair, 16> kWineCaptions{{
    {u"lblAppellation"_s, u"txtAppellation"_s},
    {u"lblCountry"_s, u"txtCountry"_s},
    {u"lblVintage"_s, u"txtVintage"_s},
    {u"lblAddress"_s, u"txtAddress"_s},
    {u"lblPhone"_s, u"txtPhone"_s},
    {u"lblFax"_s, u"txtFax"_s},
    {u"lblEmail"_s, u"txtEMail"_s},
    {u"lblWebsite"_s, u"txtWebsite"_s},
    {u"lblProfile"_s, u"txtProfile"_s},
    {u"lblRegion"_s, u"txtRegion"_s},
    {u"lblBottleSize"_s, u"txtBottleSize"_s},
    {u"lblType"_s, u"txtType"_s},
    {u"lblMarketValue"_s, u"txtValue"_s},
    {u"lblLabel"_s, u"txtLabel"_s},
    {u"lblLocations"_s, u"txtLocations"_s},
    {u"lblWineNotes"_s, u"txtWineNote"_s},
}};

// Measured with lblUser1's font, in this order.
const std::array<CaptionPair, 10> kUserCaptions{{
    {u"lblUser1"_s, u"txtUser1"_s},
    {u"lblUser2"_s, u"txtUser2"_s},
    {u"lblUser3"_s, u"txtUser3"_s},
    {u"lblUser4"_s, u"txtUser4"_s},
    {u"lblUser5"_s, u"txtUser5"_s},
    {u"lblLifespan"_s, u"txtLifeSpan"_s},
    {u"lblFrom"_s, u"txtFrom"_s},
    {u"lblBest"_s, u"txtBest"_s},
    {u"lblPeak"_s, u"txtPeak"_s},
    {u"lblTo"_s, u"txtTo"_s},
}};

const QStringList kPhases{u"Hold"_s,         u"HoldEnding"_s,      u"DrinkHoldStarting"_s,
                          u"DrinkHold"_s,    u"DrinkHoldEnding"_s, u"BestStarting"_s,
                          u"BestUp"_s,       u"BestDown"_s,        u"BestEnding"_s,
                          u"PeakStarting"_s, u"PeakEnding"_s,      u"DecliningStarting"_s,
                          u"Declining"_s,    u"DecliningEnding"_s, u"DeadStarting"_s,
                          u"Dead"_s};

// Widened to the print width when the report starts.
const QStringList kFullWidth{u"txtWine"_s,         u"txtWine2"_s,           u"txtCellarFile"_s,
                             u"txtDateTime"_s,     u"txtLocations"_s,       u"txtWineNote"_s,
                             u"lblLocationsBox"_s, u"lblLocations"_s,       u"lblWineNotesBox"_s,
                             u"lblWineNotes"_s,    u"imgBackReportHeader"_s};

// Widened by what the paper adds to the design.
const QStringList kGrowing{u"lblLabel"_s,       u"lblCountry"_s,    u"lblType"_s,  u"lblFax"_s,
                           u"lblMarketValue"_s, u"lblAddress"_s,    u"lblEmail"_s, u"lblWebsite"_s,
                           u"imgWineLabel"_s,   u"txtPitcureName"_s};

// The right-hand column, moved right by what the paper adds. The variety boxes go with their
// rows: nothing else places them.
QStringList rightHandColumn()
{
    QStringList names{u"lblDHI"_s,   u"lblVarieties"_s, u"lblUser"_s,     u"lblProfile"_s,
                      u"lblIcons"_s, u"lblFields"_s,    u"lblLifespan"_s, u"lblFrom"_s,
                      u"lblTo"_s,    u"lblBest"_s,      u"lblPeak"_s};
    for (int n = 1; n <= kUserFields; ++n)
        names << u"lblUser%1"_s.arg(n);
    for (int n = 1; n <= kVarietyBoxes; ++n)
        names << u"lblVariety%1"_s.arg(n);
    for (const QString& box : kVarietyBoxNames)
        names << box;
    for (const QString& phase : kPhases)
        names << u"img"_s + phase << u"txt"_s + phase;
    return names;
}

// The value follows its caption after a narrow gap, so that "Vintage:" and "2001" read as two
// words; without it the value touched the colon.
constexpr int kCaptionGap = 60;

template <std::size_t N>
void alignCaptionsWith(report::Report& report, const std::array<CaptionPair, N>& pairs,
                       const report::FontSpec& canvasFont)
{
    const QFontMetricsF canvas(canvasFont.toTwipFont());
    for (const CaptionPair& pair : pairs) {
        const report::Label& label = report.label(pair.label);
        const int captionWidth =
            static_cast<int>(std::ceil(canvas.horizontalAdvance(label.caption()))) + kCaptionGap;
        report::TextBox& box = report.textBox(pair.box);
        box.setWidth(label.width() - captionWidth);
        box.setLeft(label.left() + captionWidth);
    }
}

QString fieldText(jet::Recordset& recordset, const QString& field)
{
    const vb::Variant value = recordset.value(field);
    return value.isNull() ? QString() : value.toString();
}

} // namespace

rptCellarBookWine::rptCellarBookWine(QObject* parent) : report::Report(parent)
{
    loadLayout(kLayout);
    report::Section& detail = section(u"Detail"_s);
    detail.setOnFormat([this] { Detail_Format(); });
    detail.setOnBeforePrint([this] { Detail_BeforePrint(); });
    section(u"PageHeader"_s).setOnBeforePrint([this] { PageHeader_BeforePrint(); });
}

rptCellarBookWine::~rptCellarBookWine()
{
    detachSubReports();
}

QStringList rptCellarBookWine::varietyLines(const QString& varieties)
{
    return varieties.split(kLineBreak).mid(0, kVarietyBoxes);
}

QString rptCellarBookWine::joinedLocations(const QString& locations)
{
    return locations.split(kLineBreak).join(u", "_s);
}

QString rptCellarBookWine::websiteWithoutScheme(const QString& website)
{
    return QString(website).remove(u"http://"_s, Qt::CaseSensitive);
}

QString rptCellarBookWine::fillPlaceholder(QString sql, int n, const QString& value)
{
    return sql.replace(u"[_%"_s + QString::number(n) + u"%_]"_s, value, Qt::CaseInsensitive);
}

void rptCellarBookWine::reportStart()
{
    const report::PageSettings& page = pageSettings();
    const int printWidth = paperWidth() - (page.leftMargin + page.rightMargin);
    setPrintWidth(printWidth);
    // A run the viewer starts again (another printer) prints the same headers as the first.
    m_printTNHeader = false;
    m_printTxHeader = false;
    if (m_run.details)
        attachSubReports(printWidth);
    // What the paper adds to the design, before any width changes.
    const int delta = vb::Variant(printWidth - label(u"lblLocations"_s).width()).toInteger();
    fitToPrintWidth(printWidth);
    reports::alignPageNumbers(*this, printWidth);
    for (const QString& name : kGrowing) {
        report::Control& grown = control(name);
        grown.setWidth(grown.width() + delta);
    }
    moveRightHandColumn(delta);
    textBox(u"txtDateTime"_s).setText(vb::Format(vb::Now(), u"General Date"_s).toString());
}

void rptCellarBookWine::attachSubReports(int printWidth)
{
    detachSubReports();
    reports::CommonTools& commonTools = *m_run.commonTools;
    const auto attach = [&](report::Report& subReport, const QString& container) {
        subReport.dcDetail().setConnectionString(m_run.connectionString);
        report::Report& translated =
            m_run.langHelper->SetReportFieldsLanguage(subReport, kReportKey);
        translated.setPrintWidth(printWidth);
        report::SubReport& holder = this->subReport(container);
        holder.setWidth(printWidth);
        holder.setReport(&translated);
    };

    m_tastingNotes = std::make_unique<subRptTN>(commonTools);
    m_tastingNoteSQL = m_run.sQLDatabase->Item(kTastingNotesText);
    attach(*m_tastingNotes, u"tnSubReport"_s);

    m_transactions = std::make_unique<subRptTx>(commonTools);
    // A copy: f_CorrectExchangeRate converts the amount it is given in place, and the rate
    // must be the same for every text.
    double rate = m_run.exchangeRate;
    m_transactionSQL = fillPlaceholder(m_run.sQLDatabase->Item(kTransactionsText), 1,
                                       commonTools.f_CorrectExchangeRate(rate));
    attach(*m_transactions, u"txSubReport"_s);
}

void rptCellarBookWine::detachSubReports()
{
    for (const QString& container : {u"tnSubReport"_s, u"txSubReport"_s})
        if (auto* holder = dynamic_cast<report::SubReport*>(findControl(container)))
            holder->setReport(nullptr);
    m_tastingNotes.reset();
    m_transactions.reset();
}

void rptCellarBookWine::fitToPrintWidth(int printWidth)
{
    for (const QString& name : kFullWidth)
        control(name).setWidth(printWidth);
    report::LineControl& rule = line(u"linPageFooter"_s);
    rule.setEnds(rule.x1(), rule.y1(), printWidth, rule.y2());
}

void rptCellarBookWine::moveRightHandColumn(int delta)
{
    for (const QString& name : rightHandColumn()) {
        report::Control& moved = control(name);
        moved.setLeft(moved.left() + delta);
    }
}

void rptCellarBookWine::fetchData()
{
    if (!dcDetail().isOpen())
        return;
    jet::Recordset& recordset = dcDetail().recordset();
    if (!recordset.eof())
        m_currentWineID = recordset.value(u"Wine_ID"_s).toLong();
}

void rptCellarBookWine::Detail_Format()
{
    alignCaptions();
    showVarieties();
    report::TextBox& locations = textBox(u"txtLocations"_s);
    locations.setText(joinedLocations(locations.text()));
    report::TextBox& website = textBox(u"txtWebsite"_s);
    website.setText(websiteWithoutScheme(website.text()));
    showLabelPicture();
    if (m_run.details)
        setSubReportSources();
    if (dcDetail().isOpen()) {
        jet::Recordset& recordset = dcDetail().recordset();
        m_wineryName = fieldText(recordset, u"Winery_Name"_s);
        m_wine2 = fieldText(recordset, u"Wine2"_s);
    }
}

void rptCellarBookWine::alignCaptions()
{
    alignCaptionsWith(*this, kWineCaptions, label(u"lblAppellation"_s).font());
    alignCaptionsWith(*this, kUserCaptions, label(u"lblUser1"_s).font());
}

void rptCellarBookWine::showVarieties()
{
    const QStringList lines = varietyLines(textBox(kVarietyBoxNames[0]).text());
    for (std::size_t i = 0; i < kVarietyBoxNames.size(); ++i)
        textBox(kVarietyBoxNames[i])
            .setText(i < std::size_t(lines.size()) ? lines[qsizetype(i)] : QString());
}

void rptCellarBookWine::showLabelPicture()
{
    report::Picture& image = picture(u"imgWineLabel"_s);
    report::TextBox& pictureName = textBox(u"txtPitcureName"_s);
    // A picture of the wine before must not stand in for this one's.
    image.clearPicture();
    if (!pictureName.text().isEmpty())
        pictureName.setText(loadLabelPicture(image, pictureName.text()));
}

void rptCellarBookWine::setSubReportSources()
{
    const QString wineKey = QString::number(m_currentWineID);
    if (m_tastingNotes)
        m_tastingNotes->dcDetail().setSource(fillPlaceholder(m_tastingNoteSQL, 1, wineKey));
    if (m_transactions)
        m_transactions->dcDetail().setSource(fillPlaceholder(m_transactionSQL, 2, wineKey));
}

void rptCellarBookWine::Detail_BeforePrint()
{
    label(u"lblWineNotesBox"_s).setHeight(textBox(u"txtWineNote"_s).height());
    label(u"lblLocationsBox"_s).setHeight(textBox(u"txtLocations"_s).height());
    report::Picture& image = picture(u"imgWineLabel"_s);
    if (image.hasPicture())
        image.setSizeMode(labelSizeMode(image));
}

void rptCellarBookWine::PageHeader_BeforePrint()
{
    textBox(u"txtWine"_s).setText(m_wineryName);
    textBox(u"txtWine2"_s).setText(m_wine2);
}

void rptCellarBookWine::reportEnd()
{
    if (m_run.details)
        detachSubReports();
}

void rptCellarBookWine::printProgress(int pageNumber)
{
    if (m_viewer)
        m_viewer->ProgressStatus(pageNumber).raiseIfFailed();
}

} // namespace parvello
