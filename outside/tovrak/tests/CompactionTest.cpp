// Compaction of a whole installation: files shrink, every row stays, the files stay the same
// files, and rows a crash left in a write-ahead log are kept.

#include "common/Registry_Management.h"
#include "platform/jet/Connection.h"
#include "TovrakFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace tovrak::test {
namespace {

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

using Compaction = TovrakTest;

TEST_F(Compaction, ShrinksEveryDatabaseAndKeepsEveryRow)
{
    const QString main = inst(QStringLiteral("csample.qvd"));
    execute(main, QStringLiteral("DELETE FROM tblData WHERE ID > 50"));
    execute(inst(QStringLiteral("settings.dat")),
            QStringLiteral("DELETE FROM tblData WHERE ID > 5"));
    std::vector<QStringList> before;
    for (const QString& path : databases())
        before.push_back(contentOf(path));
    const qint64 mainBefore = sizeOf(main);
    const ino_t mainInode = inodeOf(main);
    const QStringList filesBefore = installationFiles();

    const Outcome outcome = runTovrak();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.isEmpty()) << outcome.err.toStdString();

    EXPECT_LT(sizeOf(main), mainBefore / 4);
    EXPECT_EQ(inodeOf(main), mainInode); // written back in place, not replaced
    for (int i = 0; i < databases().size(); ++i) {
        EXPECT_EQ(contentOf(databases().at(i)), before.at(i)) << databases().at(i).toStdString();
        EXPECT_TRUE(outcome.out.contains(QStringLiteral("Compacted ") + databases().at(i)))
            << outcome.out.toStdString();
    }
    EXPECT_EQ(installationFiles(), filesBefore); // nothing temporary left behind
}

TEST_F(Compaction, FindsTheMainAndLanguageDatabasesThroughTheRegistry)
{
    ASSERT_TRUE(QDir().mkpath(inst(QStringLiteral("My Cellars"))));
    const QString cellar = inst(QStringLiteral("My Cellars/Cellar 2026.qvd"));
    const QString language = inst(QStringLiteral("My Cellars/deutsch.lan"));
    createDatabase(cellar, 300);
    createDatabase(language, 300, 2);
    execute(cellar, QStringLiteral("DELETE FROM tblData WHERE ID > 10"));
    execute(language, QStringLiteral("DELETE FROM tblData WHERE ID > 10"));
    ASSERT_EQ(Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                                      QStringLiteral("LastDatabase"),
                                                      QStringLiteral("FullPath"), cellar),
              0);
    ASSERT_EQ(Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                                      QStringLiteral("LanguageDB"),
                                                      QStringLiteral("FullPath"), language),
              0);
    const qint64 cellarBefore = sizeOf(cellar);
    const qint64 languageBefore = sizeOf(language);
    const QByteArray defaultMain = bytesOf(inst(QStringLiteral("csample.qvd")));

    const Outcome outcome = runTovrak();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_LT(sizeOf(cellar), cellarBefore);
    EXPECT_LT(sizeOf(language), languageBefore);
    EXPECT_EQ(contentOf(cellar).size(), 11);
    EXPECT_EQ(bytesOf(inst(QStringLiteral("csample.qvd"))), defaultMain); // not the one named
}

TEST_F(Compaction, KeepsRowsACrashLeftInTheLog)
{
    // A connection that never closed: its rows are only in the -wal file.
    const QString main = inst(QStringLiteral("csample.qvd"));
    {
        const QString live = m_dir.filePath(QStringLiteral("live.qvd"));
        createDatabase(live, 0);
        jet::Connection connection;
        connection.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + live +
                        QStringLiteral(";Jet OLEDB:Database Password=vutmarelko"));
        for (int i = 1; i <= 30; ++i)
            connection.execute(
                QStringLiteral("INSERT INTO tblData (ID, Name) VALUES (%1, 'n')").arg(i));
        ASSERT_TRUE(writeBytes(main, bytesOf(live)));
        ASSERT_TRUE(writeBytes(main + "-wal", bytesOf(live + "-wal")));
        QFile::remove(main + "-shm");
    }
    const Outcome outcome = runTovrak();
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    EXPECT_EQ(contentOf(main).size(), 31);
    EXPECT_FALSE(QFileInfo::exists(main + "-wal"));
}

} // namespace
} // namespace tovrak::test
