#pragma once

// The updated sample installation's main wine database (made once per test program), and a
// fresh copy of it for each test with a window of the tools on it.

#include "platform/shell/GTestScriptedUser.h"
#include "tools/frmMain.h"

#include <gtest/gtest.h>
#include <memory>
#include <QString>
#include <QTemporaryDir>

namespace jet {
class Connection;
}

namespace gorvane::testing {

// The version-11 database every test copies.
QString currentSampleDatabase();

class ToolsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A window on this test's copy of the database.
    frmMain& window();
    QString databasePath() const;
    QString toolsFolder() const;

    // Runs Jet SQL on the copy (on a connection of its own, closed again).
    void execute(const QString& sql);
    QString scalar(const QString& sql);
    long long count(const QString& sql) { return scalar(sql).toLongLong(); }

    template <typename T>
    T* control(const QString& name)
    {
        T* found = window().findChild<T*>(name);
        if (!found)
            ADD_FAILURE() << "no control " << name.toStdString();
        return found;
    }
    void click(const QString& buttonName);
    void chooseField(const QString& listName, const QString& caption);
    void typeInto(const QString& boxName, const QString& text);

    shell::GTestScriptedUser m_user;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<frmMain> m_window;
};

} // namespace gorvane::testing
