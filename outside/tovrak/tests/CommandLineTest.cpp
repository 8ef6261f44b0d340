// The command line: "restart" starts the host application afterwards; anything else is refused
// before a database is touched. The program carries its version information.

#include "platform/versioninfo/VersionInfo.h"
#include "TovrakFixture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace tovrak::test {
namespace {

using CommandLine = TovrakTest;

// Waits for a file the started host writes; the host runs on its own, so there is no other way
// to learn that it ran.
bool appears(const QString& path)
{
    const QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return QFileInfo::exists(path);
}

TEST_F(CommandLine, RestartStartsTheHostInTheInstallationFolder)
{
    const QString host = inst(QStringLiteral("quorvex"));
    ASSERT_TRUE(writeBytes(host, "#!/bin/sh\npwd > started.tmp && mv started.tmp started.txt\n"));
    ASSERT_TRUE(
        QFile::setPermissions(host, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const Outcome outcome = runTovrak({QStringLiteral("restart")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    ASSERT_TRUE(appears(inst(QStringLiteral("started.txt"))));
    EXPECT_EQ(bytesOf(inst(QStringLiteral("started.txt"))).trimmed(), QFile::encodeName(inst()));
}

TEST_F(CommandLine, RestartWithoutAHostOnlySaysSo)
{
    const Outcome outcome = runTovrak({QStringLiteral("restart")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("Not restarted"))) << outcome.out.toStdString();
}

TEST_F(CommandLine, AnythingElseIsRefusedAndNothingTouched)
{
    execute(inst(QStringLiteral("csample.qvd")), QStringLiteral("DELETE FROM tblData"));
    const QByteArray before = bytesOf(inst(QStringLiteral("csample.qvd")));
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("Restart")},
          QStringList{QStringLiteral("restart"), QStringLiteral("restart")},
          QStringList{QStringLiteral("/x")}}) {
        const Outcome outcome = runTovrak(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("Usage: tovrak")));
    }
    const Outcome noFolder = runProgram({QStringLiteral("--tools")});
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_TRUE(noFolder.err.contains(QStringLiteral("--tools needs a folder")));
    EXPECT_EQ(bytesOf(inst(QStringLiteral("csample.qvd"))), before);
}

TEST_F(CommandLine, CarriesVersionInformation)
{
    const auto info = verinfo::readFile(qEnvironmentVariable("QV_BIN_DIR") + "/tovrak");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value(QStringLiteral("FileDescription")),
              QStringLiteral("Database compaction"));
    EXPECT_EQ(info->value(QStringLiteral("OriginalFilename")), QStringLiteral("tovrak"));
}

} // namespace
} // namespace tovrak::test
