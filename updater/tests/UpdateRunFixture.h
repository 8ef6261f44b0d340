#pragma once

// A fixture that runs the real update driver on a test installation with a scripted user, a
// backup component that answers as told and update chains made for the test.

#include "common/DatabaseVersion.h"
#include "FakeBackup.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "platform/vb/Error.h"
#include "TestInstallation.h"
#include "updater/frmMain.h"
#include "updater/UpdateDriver.h"
#include "updater/UpdaterTexts.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QFile>
#include <QStringList>

namespace updater::testing {

using shell::PromptMatcher;

class UpdateRunFixture : public ::testing::Test
{
protected:
    void install(const Versions& versions, int rows = 20)
    {
        m_installation = std::make_unique<TestInstallation>(versions, rows);
        m_installation->registerInstallation();
        m_before = m_installation->digests();
    }
    TestInstallation& installation() { return *m_installation; }

    RunOptions options(const QString& commandLine = QString())
    {
        RunOptions options;
        options.commandLine = commandLine;
        options.programFolder = QStringLiteral("/nonexistent/program/folder");
        options.backupFactory = FakeBackup::factory(m_backup);
        options.chains = m_chains;
        options.lockWait = std::chrono::milliseconds(200);
        options.freeSpace = m_freeSpace;
        return options;
    }

    RunOutcome run(const QString& commandLine = QString())
    {
        frmMain window;
        m_window = &window;
        UpdateDriver driver(window, options(commandLine));
        const RunOutcome outcome = driver.run();
        m_windowVisibleAfterRun = window.isVisible();
        m_window = nullptr;
        return outcome;
    }

    void expectMessage(const QString& text, int answer = shell::vbOK)
    {
        m_user.expectMessage(PromptMatcher::exactly(text), answer);
    }

    // An update procedure that records its call, adds a row to the main wine database when it
    // updates that one, and writes its version.
    UpdateProcedure update(DatabaseKind kind, std::int16_t newVersion, const QString& name)
    {
        return [this, kind, newVersion, name](RunState& state) {
            m_calls << name;
            trapUpdateErrors(state, name, [&] {
                if (kind == DatabaseKind::Main)
                    state.connection(kind).execute(
                        QStringLiteral("INSERT INTO tblCellar VALUES (999, 1, '%1')").arg(name));
                DatabaseHelpers::SetDBVersion(static_cast<int>(kind), newVersion);
            });
        };
    }
    UpdateProcedure failingUpdate(const QString& name, const QString& text, const QString& source)
    {
        return [this, name, text, source](RunState& state) {
            m_calls << name;
            trapUpdateErrors(state, name, [&] { throw vb::Error(3265, text, source); });
        };
    }
    UpdateProcedure doing(std::function<void(RunState&)> work)
    {
        return [this, work](RunState& state) {
            m_calls << QStringLiteral("work");
            trapUpdateErrors(state, QStringLiteral("work"), [&] { work(state); });
        };
    }

    bool backupsExist() const
    {
        for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds)
            if (!QFile::exists(m_installation->backupPath(kind)))
                return false;
        return true;
    }
    bool anyBackupExists() const
    {
        for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds)
            if (QFile::exists(m_installation->backupPath(kind)))
                return true;
        return false;
    }
    bool unchanged() const { return m_installation->digests() == m_before; }

    shell::GTestScriptedUser m_user;
    BackupAnswer m_backup;
    UpdateChains m_chains;
    FreeSpace m_freeSpace = freeBytes;
    QStringList m_calls;
    frmMain* m_window = nullptr; // during run()
    bool m_windowVisibleAfterRun = true;
    std::unique_ptr<TestInstallation> m_installation;
    std::map<DatabaseKind, QByteArray> m_before;
};

} // namespace updater::testing
