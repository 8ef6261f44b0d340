// The real program, unattended, with the host's backup component.

#include "ProgramRun.h"
#include "TestInstallation.h"
#include "updater/UpdaterTexts.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

namespace updater::testing {
namespace {

TEST(TravoneProgram, UnattendedRunBacksUpToTheGivenFolderAndHandsOver)
{
    TestInstallation installation(Versions{}, 5);
    installation.registerInstallation();
    installation.installCompactionStandIn();
    QTemporaryDir target;

    const ProgramResult result =
        runProgram(QStringLiteral(TRAVONE_PROGRAM),
                   {QStringLiteral("--unattended"), QStringLiteral("--backup-dir"), target.path()});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(texts::WillConvert));
    EXPECT_FALSE(result.output.contains(texts::BackupCancelled));
    const QStringList made = QDir(target.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(made.size(), 1);
    const QDir backup(target.filePath(made.first()));
    EXPECT_TRUE(backup.exists(QStringLiteral("My Wines.qvd")));
    EXPECT_TRUE(backup.exists(QStringLiteral("settings.dat")));
    EXPECT_FALSE(QFile::exists(installation.backupPath(DatabaseKind::Main)));
}

} // namespace
} // namespace updater::testing
