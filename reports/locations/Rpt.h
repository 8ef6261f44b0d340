#pragma once

// Rpt of the locations report (QuorvexStovanic.Rpt): LoadReport expands the bottle locations of
// the host's current selection into the work table, prepares rptCellarLocations by wine or by
// location (item 10: "ByWine", anything else by location) and shows it in the viewer under the
// report's name followed by the kind. The host's objects are kept for that one call.

#include "reports/Rpt.h"

#include <memory>
#include <QObject>
#include <QString>

class QWidget;
class rptCellarLocations;

namespace jet {
class Connection;
}

namespace reports {
class CommonTools;
class LanguageHelper;
class NumberedTexts;
class RecordsetHelper;
} // namespace reports

namespace stovanic {

class Rpt : public QObject, public reports::Rpt
{
    Q_OBJECT
    Q_INTERFACES(reports::Rpt)

public:
    explicit Rpt(QObject* parent = nullptr);
    ~Rpt() override;

    reports::CallResult LoadReport(const reports::ArgumentList& parameters) override;

    // The settings database beside the host: AppPath and "settings.dat" joined as a path,
    // whether or not AppPath ends with a separator.
    static QString settingsDatabaseFile(const QString& appPath);

private:
    void keepHostObjects(const reports::ArgumentList& parameters);
    void releaseAll();
    void prepare();
    void showInViewer(QWidget* parentWindow);

    reports::LanguageHelper* m_langHelper = nullptr;
    reports::CommonTools* m_commonTools = nullptr;
    QObject* m_regObject = nullptr;
    jet::Connection* m_settingsDatabase = nullptr;
    reports::NumberedTexts* m_sqlTexts = nullptr;
    jet::Connection* m_mainDatabase = nullptr;
    reports::RecordsetHelper* m_recordsets = nullptr;
    reports::NumberedTexts* m_userTexts = nullptr;
    QString m_cellarFile;
    QString m_kind;
    bool m_byLocation = false;
    std::unique_ptr<rptCellarLocations> m_report;
    report::Report* m_translated = nullptr;
};

} // namespace stovanic
