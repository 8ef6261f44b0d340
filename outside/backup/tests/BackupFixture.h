#pragma once

// An installation with the satellite files too, and an empty folder the user picks.

#include "outside/backup/BackupComponent.h"
#include "outside/tovrak/tests/TestInstallation.h"

#include <QDateTime>
#include <QDir>

namespace outside::test {

inline const QString backupPrompt =
    QStringLiteral("Select a folder where to backup your data files");

class BackupTest : public InstallationTest
{
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(chosen()));
        createDatabase(inst(QStringLiteral("printlabels.dat")), 1);
        createDatabase(inst(QStringLiteral("Auctions.dat")), 1);
        ASSERT_TRUE(writeBytes(inst(QStringLiteral("rates.dat")),
                               "\"USD\",\"US Dollar\",1.0\r\n\"EUR\",\"Euro\",0.92\r\n"));
    }
    QString chosen() const { return m_dir.filePath(QStringLiteral("My Backups")); }
    // Backs up into `folder` without a dialog.
    qint16 backUpInto(backup::BackupComponent& component, const QString& folder, QString& message)
    {
        component.setTargetFolder(folder);
        return component.backupUserFiles(0, backupPrompt, message);
    }
    static QDateTime fixedTime() { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); }
};

} // namespace outside::test
