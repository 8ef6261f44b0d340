#pragma once

// The host's common tools over its open connections to the main wine and settings databases
// and its current selection.

#include "host/Selection.h"
#include "reports/CommonTools.h"

#include <functional>
#include <QObject>

namespace host {

class HostCommonTools : public QObject, public reports::CommonTools
{
    Q_OBJECT
    Q_INTERFACES(reports::CommonTools)

public:
    using SelectionSource = std::function<Selection()>;

    // The connections and the selection source must outlive the object.
    HostCommonTools(jet::Connection& mainDatabase, jet::Connection& settingsDatabase,
                    QString appPath, SelectionSource currentSelection, QObject* parent = nullptr);

    void ShowHourglassPointer() override;
    void ShowDefaultPointer() override;
    void FillReportSourceTable() override;
    // Centres over the window's parent, or over its screen when it has none.
    void CenterWindow(QWidget& window) override;
    void SelectTextFieldContent(QWidget& textBox) override;
    QString f_CorrectExchangeRate(double& amount) override;
    // From the primary screen's logical resolution; 15 without a screen.
    qint32 CT_TwipsX() const override;
    QString AppPath() const override { return m_appPath; }
    void ExecuteSQLCommand(const QString& sql, jet::Connection& database) override;
    QString f_BuildWineTitle(const reports::WineRecord& wine) override;
    // The line's form is LocationLine.h's.
    void ParseLocationLine(const QString& line, QString& location, qint16& quantity) override;
    vb::Variant f_GetGMTDateTime() override;
    // Null for an empty text (and for Null itself), the value otherwise.
    vb::Variant f_ReturnNullStringOrValue(const vb::Variant& value) override;

private:
    jet::Connection& m_main;
    jet::Connection& m_settings;
    QString m_appPath;
    SelectionSource m_currentSelection;
};

} // namespace host
