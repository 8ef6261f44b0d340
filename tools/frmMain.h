#pragma once

// Gorvane's window, "Quorvex Special Tools": three repair buttons, the Global Value Change
// frame (CHANGE ALL!) and the Zero Padding frame (PAD ALL!), with a File menu to leave.
// Every repair except the date repair asks first, opens the database on its own connection,
// and reports how many rows it changed; a repair that fails says so in a message box.

#include "ToolsSettings.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace jet {
class Connection;
}

namespace gorvane {

class NumberBox;

class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(ToolsSettings settings, QWidget* parent = nullptr);
    ~frmMain() override;

    const ToolsSettings& settings() const { return m_settings; }

    void cmdFixFullPathProblem_Click();
    void cmdFixMarketValue_Click();
    void cmdY2KFix_Click();
    void cmdGO_Click();
    void cmdZeroPadding_Click();
    void mnuFile_Exit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    QWidget* buildGlobalValueChange();
    QWidget* buildZeroPadding();
    QPushButton* addButton(const QString& name, const QString& caption);
    void arrangeTabOrder();

    // Opens the database for a repair; when it cannot be opened, says so and closes the window.
    bool openDatabase(jet::Connection& connection);
    // Runs a repair on an open database and reports the count; an error is shown, not raised.
    template <typename Repair>
    void runRepair(Repair&& repair);
    int message(const QString& prompt, int style) const;
    bool confirmed(const QString& question) const;

    ToolsSettings m_settings;
    QPushButton* m_cmdFixFullPathProblem = nullptr;
    QPushButton* m_cmdFixMarketValue = nullptr;
    QPushButton* m_cmdY2KFix = nullptr;
    QComboBox* m_cboFields = nullptr;
    QLineEdit* m_txtFromValue = nullptr;
    QLineEdit* m_txtNewValue = nullptr;
    QPushButton* m_cmdGO = nullptr;
    QComboBox* m_cboZeroPadFields = nullptr;
    NumberBox* m_txtDigits = nullptr;
    NumberBox* m_txtDecimals = nullptr;
    QPushButton* m_cmdZeroPadding = nullptr;
};

} // namespace gorvane
