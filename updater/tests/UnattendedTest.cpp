// The unattended program: every message on standard output, the outcome in the exit status.

#include "ProgramRun.h"
#include "TestInstallation.h"
#include "updater/UpdaterTexts.h"

#include <gtest/gtest.h>

namespace updater::testing {
namespace {

TEST(Unattended, GoesOnWithoutABackupFolderAndSucceeds)
{
    TestInstallation installation(Versions{10, 18, 1, 4}, 30);
    installation.registerInstallation();
    installation.installCompactionStandIn();

    const ProgramResult result = runTestProgram({QStringLiteral("--unattended")});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(texts::WillConvert));
    EXPECT_TRUE(result.output.contains(texts::BackupCancelled));
    EXPECT_EQ(installation.version(DatabaseKind::Main), 11);
    EXPECT_EQ(installation.count(DatabaseKind::Main, "Note Like '* rewritten'"), 30);
}

TEST(Unattended, FailureIsRestoredAndEndsWithNonZeroStatus)
{
    TestInstallation installation(Versions{10, 18, 1, 4}, 30);
    installation.registerInstallation();
    installation.installCompactionStandIn();
    const auto before = installation.digests();

    const ProgramResult result =
        runTestProgram({QStringLiteral("--unattended")}, {QStringLiteral("QV_TEST_FAIL_UPDATE=1")});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(QStringLiteral("Severe Database Error! Cannot proceed.")));
    EXPECT_TRUE(result.output.contains(QStringLiteral("Either BOF or EOF is True")));
    EXPECT_EQ(installation.digests(), before);
}

} // namespace
} // namespace updater::testing
