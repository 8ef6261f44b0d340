// The real program, unattended, with the host's backup component.

#include "ProgramRun.h"
#include "TestInstallation.h"
#include "updater/UpdaterTexts.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

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

TEST(TravoneProgram, BackupFolderThatDoesNotExistEndsTheRunBeforeAnyChange)
{
    TestInstallation installation(Versions{}, 5);
    installation.registerInstallation();
    installation.installCompactionStandIn();
    const auto before = installation.digests();
    const QString missing = installation.folder() + "/no such folder";

    const ProgramResult result = runProgram(QStringLiteral(TRAVONE_PROGRAM),
                                            {u"--unattended"_s, u"--backup-dir"_s, missing});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(missing + "' chosen for the backup does not exist"))
        << result.output.toStdString();
    EXPECT_FALSE(result.output.contains(texts::BackupCancelled));
    EXPECT_FALSE(QDir(installation.toolsFolder() + "Backup").exists());
    EXPECT_EQ(installation.digests(), before);
}

TEST(TravoneProgram, MisspeltOptionEndsWithStatus64BeforeAnything)
{
    TestInstallation installation(Versions{10, 18, 1, 4}, 5);
    installation.registerInstallation();
    installation.installCompactionStandIn();
    const auto before = installation.digests();

    const ProgramResult result = runTestProgram({u"--unatended"_s});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 64) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("unknown option --unatended"));
    EXPECT_EQ(installation.digests(), before);
    EXPECT_FALSE(QDir(installation.toolsFolder() + "Backup").exists());
}

TEST(TravoneProgram, WithoutADisplaySaysSoAndEndsWithoutAnAbort)
{
    const ProgramResult result =
        runProgram(QStringLiteral(TRAVONE_PROGRAM), {},
                   {u"QT_QPA_PLATFORM="_s, u"DISPLAY="_s, u"WAYLAND_DISPLAY="_s});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("travone: cannot show its window: no display could be "
                                       "reached"))
        << result.output.toStdString();
    EXPECT_TRUE(result.output.contains("--unattended"));
}

} // namespace
} // namespace updater::testing
