// The host window: the selection remembered in the registry, a report error shown in a message
// box titled with the window's caption, the tools started beside it.

#include "common/Registry_Management.h"
#include "host/frmQuorvex.h"
#include "HostTestInstallation.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

using shell::PromptMatcher;

class WindowTest : public HostSessionTest
{
protected:
    shell::GTestScriptedUser m_user;
};

TEST_F(WindowTest, TheChosenQueryIsTheSelectionAndIsRemembered)
{
    frmQuorvex window(session());
    auto* queries = window.findChild<QComboBox*>(u"cboQuery"_s);
    ASSERT_NE(queries, nullptr);
    EXPECT_EQ(queries->count(), session().savedQueries().size() + 1);
    const Selection reds = findSelection(settingsDatabase(), u"Red Wines"_s);
    window.selectQuery(reds.queryId);
    EXPECT_EQ(session().selection().condition, reds.condition);
    EXPECT_EQ(queries->currentText(), u"Red Wines"_s);
    EXPECT_EQ(Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, u"LastSelections"_s,
                                                     u"QueryID"_s, QString()),
              QString::number(reds.queryId));

    window.adjustSize();
    window.show();
    window.grab().save(QCoreApplication::applicationDirPath() + u"/host_window.png"_s);
}

TEST_F(WindowTest, AReportThatFailsIsShownUnderTheWindowsCaption)
{
    frmQuorvex window(session());
    m_user.expectMessage(PromptMatcher::containing(u"QuorvexParvello.Rpt"_s), shell::vbOK);
    window.findChild<QPushButton*>(u"cmdCellarBook"_s)->click();
    ASSERT_EQ(m_user.messages().size(), 1u);
    EXPECT_EQ(m_user.messages().front().title, frmQuorvex::kCaption);
}

TEST_F(WindowTest, TheToolsAreStartedFromTheInstallationsToolsFolder)
{
    frmQuorvex window(session());
    const QString tools = session().files().appPath + u"Tools/gorvane"_s;
    QFile program(tools);
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\n");
    program.close();
    program.setPermissions(program.permissions() | QFile::ExeOwner);
    window.findChild<QPushButton*>(u"cmdMaintenance"_s)->click();
    ASSERT_EQ(m_user.processes().size(), 1u);
    EXPECT_EQ(m_user.processes().front().program, tools);
    program.remove();

    m_user.expectMessage(PromptMatcher::containing(u"kestrune is not installed"_s), shell::vbOK);
    window.findChild<QPushButton*>(u"cmdAnalyser"_s)->click();
}

} // namespace
} // namespace host::testing
