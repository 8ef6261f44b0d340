// Compaction of a whole installation: files shrink, every row stays, the files stay the same
// files, and rows a crash left in a write-ahead log are kept.

#include "common/Registry_Management.h"
#include "platform/jet/Connection.h"
#include "TestInstallation.h"
#include "TovrakProgram.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sys/stat.h>

namespace outside::test {
namespace {

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

class Compaction : public InstallationTest
{
protected:
    Outcome run(const QStringList& arguments = {}) const
    {
        return runTovrak(QStringList{QStringLiteral("--tools"), tools()} + arguments);
    }
};

TEST_F(Compaction, ShrinksEveryDatabaseAndKeepsEveryRow)
{
    const QString main = databases().at(0);
    execute(main, QStringLiteral("DELETE FROM tblData WHERE ID > 50"));
    std::vector<QStringList> before;
    for (const QString& path : databases())
        before.push_back(contentOf(path));
    const qint64 mainSize = QFileInfo(main).size();
    const ino_t mainInode = inodeOf(main);
    const QStringList files = filesIn(inst());

    const Outcome outcome = run();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.isEmpty()) << outcome.err.toStdString();
    EXPECT_LT(QFileInfo(main).size(), mainSize / 4);
    EXPECT_EQ(inodeOf(main), mainInode); // written back in place, not replaced
    for (int i = 0; i < databases().size(); ++i) {
        EXPECT_EQ(contentOf(databases().at(i)), before.at(i));
        EXPECT_TRUE(outcome.out.contains(QStringLiteral("Compacted ") + databases().at(i)));
    }
    EXPECT_EQ(filesIn(inst()), files); // nothing temporary left behind
}

TEST_F(Compaction, FindsTheMainAndLanguageDatabasesThroughTheRegistry)
{
    ASSERT_TRUE(QDir().mkpath(inst(QStringLiteral("My Cellars"))));
    const QStringList named = {inst(QStringLiteral("My Cellars/Cellar 2026.qvd")),
                               inst(QStringLiteral("My Cellars/deutsch.lan"))};
    const QStringList sections = {QStringLiteral("LastDatabase"), QStringLiteral("LanguageDB")};
    std::vector<qint64> sizes;
    for (int i = 0; i < 2; ++i) {
        createDatabase(named.at(i), 11, 300);
        execute(named.at(i), QStringLiteral("DELETE FROM tblData WHERE ID > 10"));
        sizes.push_back(QFileInfo(named.at(i)).size());
        ASSERT_EQ(Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, sections.at(i),
                                                          QStringLiteral("FullPath"), named.at(i)),
                  0);
    }
    execute(databases().at(0), QStringLiteral("DELETE FROM tblData"));
    const QByteArray defaultMain = bytesOf(databases().at(0));

    const Outcome outcome = run();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_LT(QFileInfo(named.at(i)).size(), sizes.at(i));
        EXPECT_EQ(contentOf(named.at(i)).size(), 11);
    }
    EXPECT_EQ(bytesOf(databases().at(0)), defaultMain); // not the one the registry names
}

TEST_F(Compaction, KeepsRowsACrashLeftInTheLog)
{
    const QString main = databases().at(0);
    {
        const QString live = m_dir.filePath(QStringLiteral("live.qvd"));
        createDatabase(live, 11, 0);
        jet::Connection connection; // never closed before the copy: its rows are in the log
        connection.open(connectionString(live));
        for (int i = 1; i <= 30; ++i)
            connection.execute(QStringLiteral("INSERT INTO tblData (ID) VALUES (%1)").arg(i));
        ASSERT_TRUE(writeBytes(main, bytesOf(live)));
        ASSERT_TRUE(writeBytes(main + "-wal", bytesOf(live + "-wal")));
    }
    const Outcome outcome = run();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(contentOf(main).size(), 31);
    EXPECT_FALSE(QFileInfo::exists(main + "-wal"));
}

TEST_F(Compaction, RestartStartsTheHostInTheInstallationFolder)
{
    const QString host = inst(QStringLiteral("quorvex"));
    ASSERT_TRUE(writeBytes(host, "#!/bin/sh\npwd > started.tmp && mv started.tmp started.txt\n"));
    ASSERT_TRUE(
        QFile::setPermissions(host, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const Outcome outcome = run({QStringLiteral("restart")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    // The host runs on its own; the file it writes is the only sign that it ran.
    const QString started = inst(QStringLiteral("started.txt"));
    const QDeadlineTimer deadline(30000);
    while (!QFileInfo::exists(started) && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_EQ(bytesOf(started).trimmed(), QFile::encodeName(inst()));

    ASSERT_TRUE(QFile::remove(host));
    const Outcome withoutHost = run({QStringLiteral("restart")});
    EXPECT_EQ(withoutHost.exitCode, 0) << withoutHost.err.toStdString();
    EXPECT_TRUE(withoutHost.out.contains(QStringLiteral("Not restarted")));
}

} // namespace
} // namespace outside::test
