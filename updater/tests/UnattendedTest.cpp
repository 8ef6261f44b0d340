// The unattended program: every message on standard output, the outcome in the exit status.

#include "ProgramRun.h"
#include "TestInstallation.h"
#include "updater/UpdaterTexts.h"

#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QFile>

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

TEST(Unattended, AMainDatabaseStillInAccessFormatIsToldHowToImport)
{
    const QString jetFile = QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR")) +
                            QStringLiteral("/../shared/testdata/access/nwind.mdb");
    if (!QFile::exists(jetFile))
        GTEST_SKIP() << "no shared/testdata/access beside the source tree";
    TestInstallation installation(Versions{10, 18, 1, 4}, 30);
    installation.registerInstallation();
    installation.installCompactionStandIn();
    const QString main = installation.databasePath(DatabaseKind::Main);
    ASSERT_TRUE(QFile::remove(main));
    ASSERT_TRUE(QFile::copy(jetFile, main));
    const auto bytesOf = [&] {
        QFile file(main);
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = bytesOf();

    const ProgramResult result = runTestProgram({QStringLiteral("--unattended")});

    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 1) << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(QStringLiteral("still a Microsoft Access (Jet) file")))
        << result.output.toStdString();
    EXPECT_TRUE(result.output.contains(QStringLiteral("qvimport --install")));
    EXPECT_EQ(bytesOf(), before);
}

} // namespace
} // namespace updater::testing
