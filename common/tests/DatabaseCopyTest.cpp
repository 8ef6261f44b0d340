// Copying and restoring database files: rows still in the write-ahead log arrive, a failure
// leaves the target as it was with nothing temporary beside it, and a stale log beside a
// restored file is never replayed onto it.

#include "common/DatabaseCopy.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <unistd.h>

namespace {

QString connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=") +
           jet::DatabasePassword::systemPassword();
}

// A database with tblDBVer and `rows` wines; the connection stays open when `keepOpen` is given,
// so the rows stay in the write-ahead log.
void createCellar(const QString& path, int rows, std::unique_ptr<jet::Connection>* keepOpen = {})
{
    jet::createDatabase(path, jet::DatabasePassword::systemPassword());
    auto connection = std::make_unique<jet::Connection>();
    connection->open(connectionString(path));
    connection->execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
    connection->execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (11)"));
    connection->execute(
        QStringLiteral("CREATE TABLE tblWines (WineID LONG, WineName TEXT(50), Price CURRENCY)"));
    connection->execute(QStringLiteral("CREATE INDEX WineName ON tblWines (WineName)"));
    connection->beginTrans();
    for (int i = 1; i <= rows; ++i)
        connection->execute(
            QStringLiteral("INSERT INTO tblWines VALUES (%1, 'Wine %1', %2)").arg(i).arg(i * 1.25));
    connection->commitTrans();
    if (keepOpen)
        *keepOpen = std::move(connection);
}

qint64 wineCount(const QString& path)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    jet::ResultSet rows = connection.execute(QStringLiteral("SELECT COUNT(*) FROM tblWines"));
    return rows.value(0).toLong();
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Runs raw SQL on a file, bypassing the engine (to damage a database on purpose).
void rawExec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

class DatabaseCopyTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(DatabaseCopyTest, RowsStillInTheWriteAheadLogAreCopied)
{
    std::unique_ptr<jet::Connection> holder;
    createCellar(path(QStringLiteral("csample.qvd")), 300, &holder);
    ASSERT_GT(QFileInfo(path(QStringLiteral("csample.qvd-wal"))).size(), 0);

    const QString backup = path(QStringLiteral("Backup/winedata.bak"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("Backup"))));
    dbfile::copyDatabase(path(QStringLiteral("csample.qvd")), backup);
    holder.reset();

    EXPECT_EQ(wineCount(backup), 300);
    QString reason;
    EXPECT_TRUE(dbfile::verifyDatabase(backup, &reason)) << reason.toStdString();
    EXPECT_EQ(entriesOf(path(QStringLiteral("Backup"))), QStringList{"winedata.bak"});
}

TEST_F(DatabaseCopyTest, ReplacesAnExistingTargetKeepingItsPermissions)
{
    createCellar(path(QStringLiteral("new.qvd")), 10);
    createCellar(path(QStringLiteral("old.qvd")), 3);
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("old.qvd")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFile::Permissions before = QFileInfo(path(QStringLiteral("old.qvd"))).permissions();
    dbfile::copyDatabase(path(QStringLiteral("new.qvd")), path(QStringLiteral("old.qvd")));
    EXPECT_EQ(wineCount(path(QStringLiteral("old.qvd"))), 10);
    EXPECT_EQ(QFileInfo(path(QStringLiteral("old.qvd"))).permissions(), before);
}

TEST_F(DatabaseCopyTest, FailuresLeaveTheTargetUntouchedAndNoTemporary)
{
    const QString target = path(QStringLiteral("target.qvd"));
    createCellar(target, 5);
    const QByteArray before = bytesOf(target);

    const auto expectFailure = [&](const QString& source, int number, const QString& named) {
        const QStringList entries = entriesOf(m_dir.path());
        try {
            dbfile::copyDatabase(source, target);
            ADD_FAILURE() << "copied " << source.toStdString();
        } catch (const vb::Error& error) {
            EXPECT_EQ(error.number(), number) << error.description().toStdString();
            EXPECT_TRUE(error.description().contains(named)) << error.description().toStdString();
        }
        EXPECT_EQ(bytesOf(target), before);
        EXPECT_EQ(entriesOf(m_dir.path()), entries);
    };

    expectFailure(path(QStringLiteral("missing.qvd")), 53, QStringLiteral("missing.qvd"));

    ASSERT_TRUE(writeBytes(path(QStringLiteral("notes.txt")), "Not a database at all\n"));
    expectFailure(path(QStringLiteral("notes.txt")), 321, QStringLiteral("notes.txt"));

    // A source whose index disagrees with its table: the raw copy is made, then fails its check.
    const QString damaged = path(QStringLiteral("damaged.qvd"));
    createCellar(damaged, 20);
    rawExec(damaged, "PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql = "
                     "'CREATE INDEX \"tblWines.WineName\" ON tblWines (Price)' "
                     "WHERE type = 'index' AND tbl_name = 'tblWines'");
    expectFailure(damaged, 321, QStringLiteral("damaged.qvd"));

    expectFailure(target, 5, QStringLiteral("target.qvd"));
}

TEST_F(DatabaseCopyTest, AnUnwritableFolderIsNamedAndNothingIsWritten)
{
    const QString source = path(QStringLiteral("csample.qvd"));
    createCellar(source, 5);
    QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (::access(QFile::encodeName(folder).constData(), W_OK) == 0)
        folder = QStringLiteral("/proc"); // permissions do not bind this user; /proc binds all
    try {
        dbfile::copyDatabase(source, folder + QStringLiteral("/winedata.bak"));
        ADD_FAILURE() << "wrote into " << folder.toStdString();
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 75);
        EXPECT_TRUE(error.description().contains(folder)) << error.description().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/winedata.bak")));
    QFile::setPermissions(path(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(entriesOf(path(QStringLiteral("locked"))).isEmpty());

    try {
        dbfile::copyDatabase(source, path(QStringLiteral("no such folder/winedata.bak")));
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 76);
        EXPECT_TRUE(error.description().contains(QStringLiteral("no such folder")));
    }
}

TEST_F(DatabaseCopyTest, RestoreIgnoresAStaleLogOfOtherContent)
{
    const QString backup = path(QStringLiteral("winedata.bak"));
    createCellar(backup, 40);
    const QString target = path(QStringLiteral("csample.qvd"));
    createCellar(target, 7);

    // A log of a different database, left beside the target: opened as it is, it would be
    // replayed onto whatever file bears the target's name.
    std::unique_ptr<jet::Connection> other;
    createCellar(path(QStringLiteral("other.qvd")), 500, &other);
    ASSERT_TRUE(writeBytes(target + "-wal", bytesOf(path(QStringLiteral("other.qvd-wal")))));
    other.reset();

    dbfile::restoreDatabase(backup, target);
    EXPECT_FALSE(QFileInfo::exists(target + "-wal"));
    EXPECT_EQ(wineCount(target), 40);
    QString reason;
    EXPECT_TRUE(dbfile::verifyDatabase(target, &reason)) << reason.toStdString();
    for (const QString& name : entriesOf(m_dir.path()))
        EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
}

TEST_F(DatabaseCopyTest, VerifyNamesWhatIsWrong)
{
    const QString good = path(QStringLiteral("good.qvd"));
    createCellar(good, 3);
    QString reason;
    EXPECT_TRUE(dbfile::verifyDatabase(good, &reason));
    EXPECT_TRUE(reason.isEmpty());

    const QString noVersion = path(QStringLiteral("noversion.qvd"));
    createCellar(noVersion, 3);
    rawExec(noVersion, "DELETE FROM tblDBVer");
    EXPECT_FALSE(dbfile::verifyDatabase(noVersion, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("tblDBVer"))) << reason.toStdString();
}

} // namespace
