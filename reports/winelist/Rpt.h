#pragma once

// Rpt of the wine list (QuorvexOlmaris.Rpt): LoadReport prepares rptCellarWineList for the
// host's current selection with the grouping it is given ("Primary/Secondary/Tertiary", parts
// may be empty) and shows it in the viewer; GetReport prepares it with the grouping of the last
// LoadReport and hands it over without showing it. The host's objects are kept for one call.

#include "reports/Rpt.h"

#include <memory>
#include <QObject>
#include <QString>

class QWidget;
class rptCellarWineList;

namespace reports {
class CommonTools;
class LanguageHelper;
class ReportViewer;
} // namespace reports

namespace olmaris {

class Rpt : public QObject, public reports::WineListRpt
{
    Q_OBJECT
    Q_INTERFACES(reports::Rpt reports::WineListRpt)

public:
    explicit Rpt(QObject* parent = nullptr);
    ~Rpt() override;

    reports::CallResult LoadReport(const reports::ArgumentList& parameters) override;
    reports::CallResult PrepareReport() override;
    reports::CallResult GetReport(const reports::ArgumentList& parameters,
                                  std::unique_ptr<report::Report>& preparedReport) override;

private:
    void keepHostObjects(const reports::ArgumentList& parameters);
    void releaseAll();
    void prepare();
    void showInViewer(QWidget* frmParentForm);

    reports::LanguageHelper* m_langHelper = nullptr;
    reports::CommonTools* m_commonTools = nullptr;
    QObject* m_regObject = nullptr;
    QObject* m_sQLDatabase = nullptr;
    QObject* m_preferences = nullptr;
    QString m_wineDBFile;
    // The grouping of the last LoadReport; kept between calls, for GetReport.
    QString m_grouping;
    bool m_hasGrouping = false;
    std::unique_ptr<rptCellarWineList> m_report;
    report::Report* m_translated = nullptr;
};

} // namespace olmaris
