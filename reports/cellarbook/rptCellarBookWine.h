#pragma once

// rptCellarBookWine: the cellar book on the engine - one page per wine with its fields, label
// picture and drinking-window phases, and, when the run asks for details, the wine's tasting
// notes (subRptTN) and transactions (subRptTx) below it. Its layout is a resource of this
// library; the behaviour is here: ReportStart fits the page to the paper and attaches the
// sub-reports, FetchData keeps the wine's key, Detail_Format and Detail_BeforePrint lay out one
// wine, the page header names it, ReportEnd detaches the sub-reports, PrintProgress tells the
// viewer the page.

#include "platform/reportengine/model/Report.h"

#include <memory>
#include <QString>
#include <QStringList>

namespace reports {
class CommonTools;
class LanguageHelper;
class NumberedTexts;
class ReportViewer;
} // namespace reports

namespace parvello {

class subRptTN;
class subRptTx;

// What a run of the report takes from the module: the host's objects (not owned; they must
// outlive the run) and the run's own values.
struct CellarBookRun
{
    reports::LanguageHelper* langHelper = nullptr;
    reports::CommonTools* commonTools = nullptr;
    reports::NumberedTexts* sQLDatabase = nullptr;
    QString connectionString;
    double exchangeRate = 1.0; // handed to f_CorrectExchangeRate
    bool details = false;      // tasting notes and transactions under each wine
};

class rptCellarBookWine : public report::Report
{
    Q_OBJECT
    // Read and written by the sub-reports' group headers (see CellarBookSubReport); false when
    // a run starts.
    Q_PROPERTY(bool PrintTNHeader READ PrintTNHeader WRITE setPrintTNHeader)
    Q_PROPERTY(bool PrintTxHeader READ PrintTxHeader WRITE setPrintTxHeader)

public:
    // The numbers of the host's SQL texts: the report's own and its sub-reports'.
    static constexpr qint16 kMainText = 7;
    static constexpr qint16 kTastingNotesText = 101;
    static constexpr qint16 kTransactionsText = 102;

    explicit rptCellarBookWine(QObject* parent = nullptr);
    ~rptCellarBookWine() override;

    void setRun(const CellarBookRun& run) { m_run = run; }
    const CellarBookRun& run() const noexcept { return m_run; }
    // The viewer the pages are reported to while they are generated; null for none.
    void setViewer(reports::ReportViewer* viewer) noexcept { m_viewer = viewer; }

    bool PrintTNHeader() const noexcept { return m_printTNHeader; }
    void setPrintTNHeader(bool print) noexcept { m_printTNHeader = print; }
    bool PrintTxHeader() const noexcept { return m_printTxHeader; }
    void setPrintTxHeader(bool print) noexcept { m_printTxHeader = print; }

    // The key of the wine last fetched. 32-bit, like the database's keys: a 16-bit one would
    // overflow past 32767 and give such a wine another wine's notes.
    qint32 currentWineID() const noexcept { return m_currentWineID; }

    // The texts Detail_Format shows, each from the bound field's text.
    // Up to five variety lines (split at CR LF); the rest are not shown.
    static QStringList varietyLines(const QString& varieties);
    // Location lines (CR LF) as one line, joined with ", ".
    static QString joinedLocations(const QString& locations);
    // Without "http://" wherever it stands; the same in capitals stays.
    static QString websiteWithoutScheme(const QString& website);
    // Every "[_%n%_]" placeholder (case-blind) of `sql` replaced by `value`.
    static QString fillPlaceholder(QString sql, int n, const QString& value);

protected:
    void reportStart() override;
    void fetchData() override;
    void reportEnd() override;
    void printProgress(int pageNumber) override;

private:
    void attachSubReports(int printWidth);
    void detachSubReports();
    void fitToPrintWidth(int printWidth);
    void moveRightHandColumn(int delta);

    void Detail_Format();
    void alignCaptions();
    void showVarieties();
    void showLabelPicture();
    void setSubReportSources();
    void Detail_BeforePrint();
    void PageHeader_BeforePrint();

    CellarBookRun m_run;
    reports::ReportViewer* m_viewer = nullptr;
    std::unique_ptr<subRptTN> m_tastingNotes;
    std::unique_ptr<subRptTx> m_transactions;
    QString m_tastingNoteSQL;
    QString m_transactionSQL;
    qint32 m_currentWineID = 0;
    QString m_wineryName;
    QString m_wine2;
    bool m_printTNHeader = false;
    bool m_printTxHeader = false;
};

} // namespace parvello
