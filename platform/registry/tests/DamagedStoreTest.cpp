// A damaged or unreadable store: reads fail with a status (callers fall back to defaults), writes
// fail with a reason, and the file is never replaced.

#include "StoreFixture.h"

#include <QFile>
#include <sqlite3.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

} // namespace

class DamagedStore : public StoreTest
{
protected:
    // Every call a settings reader or writer makes fails without a crash, with a status and a
    // reason that names the file.
    void expectUnusable(const QString& path, reg::Status readStatus, reg::Status writeStatus)
    {
        usePath(path);
        const QByteArray before = contents(path);
        reg::Hkey key = 0;
        EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Quorvex"),
                                 reg::KEY_READ, &key),
                  readStatus);
        reg::ValueType type = 0;
        QByteArray data;
        EXPECT_EQ(read(reg::HKEY_CURRENT_USER, QStringLiteral("v"), &type, &data), readStatus);
        QString name;
        EXPECT_EQ(reg::enumKeyEx(reg::HKEY_CURRENT_USER, 0, &name, 256), readStatus);

        EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Quorvex"), &key),
                  writeStatus);
        EXPECT_TRUE(reg::lastErrorText().contains(path)) << reg::lastErrorText().toStdString();
        EXPECT_EQ(setText(reg::HKEY_CURRENT_USER, QStringLiteral("v"), QStringLiteral("x")),
                  writeStatus);
        EXPECT_FALSE(reg::lastErrorText().isEmpty());
        EXPECT_EQ(contents(path), before); // never replaced by an empty store
    }

    // A real store with some keys, closed so that everything is in the main file.
    QString goodStore(const QString& name)
    {
        const QString path = folderPath(name);
        usePath(path);
        const reg::Hkey key = create(QStringLiteral("Software\\Quorvex"));
        for (int i = 0; i < 200; ++i)
            setText(key, QStringLiteral("value%1").arg(i), QString(100, QLatin1Char('x')));
        usePath(folderPath(QStringLiteral("elsewhere.db"))); // closes the connection
        reg::Hkey dummy = 0;
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QString(), reg::KEY_READ, &dummy);
        return path;
    }
};

TEST_F(DamagedStore, GarbageBytes)
{
    const QString path = folderPath(QStringLiteral("garbage.db"));
    writeFile(path, QByteArray(4096, '\x5a'));
    expectUnusable(path, reg::ERROR_BADDB, reg::ERROR_BADDB);
    EXPECT_TRUE(reg::lastErrorText().contains(QStringLiteral("damaged")));
}

TEST_F(DamagedStore, TruncatedFile)
{
    const QString path = goodStore(QStringLiteral("truncated.db"));
    const QByteArray whole = contents(path);
    ASSERT_GT(whole.size(), 8192);
    writeFile(path, whole.left(whole.size() / 2));
    expectUnusable(path, reg::ERROR_BADDB, reg::ERROR_BADDB);
}

TEST_F(DamagedStore, AnotherProgramsDatabase)
{
    const QString path = folderPath(QStringLiteral("foreign.db"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE tblWines(WineID INTEGER)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    expectUnusable(path, reg::ERROR_BADDB, reg::ERROR_BADDB);
}

TEST_F(DamagedStore, AFolderWhereTheFileShouldBe)
{
    const QString path = folderPath(QStringLiteral("folder.db"));
    ASSERT_TRUE(QDir().mkpath(path));
    expectUnusable(path, reg::ERROR_CANTREAD, reg::ERROR_CANTWRITE);
}

TEST_F(DamagedStore, UnreadablePermissions)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "file permissions do not stop the super-user";
    const QString path = goodStore(QStringLiteral("unreadable.db"));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    expectUnusable(path, reg::ERROR_CANTREAD, reg::ERROR_CANTWRITE);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(DamagedStore, RepairedFileIsUsedAgainWithoutRestart)
{
    const QString path = goodStore(QStringLiteral("repaired.db"));
    const QByteArray good = contents(path);
    writeFile(path, QByteArray(4096, '\x00') + QByteArray(100, '\x01'));
    usePath(path);
    reg::Hkey key = 0;
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Quorvex"),
                             reg::KEY_READ, &key),
              reg::ERROR_BADDB);
    writeFile(path, good);
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\Quorvex"),
                             reg::KEY_READ, &key),
              0);
}

TEST_F(DamagedStore, AnEmptyFileIsAnEmptyStore)
{
    const QString path = folderPath(QStringLiteral("empty.db"));
    writeFile(path, QByteArray());
    usePath(path);
    reg::Hkey key = 0;
    EXPECT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Software"), reg::KEY_READ, &key),
        reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, QStringLiteral("Software"), &key), 0);
}
