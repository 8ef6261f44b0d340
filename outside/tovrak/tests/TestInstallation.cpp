#include "TestInstallation.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/registry/Registry.h"
#include "platform/shell/tests/QtTestApplication.h"

#include <memory>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace outside::test {

namespace {

QV_QT_TEST_APPLICATION();

QString text(const vb::Variant& value)
{
    return value.isNull() ? QStringLiteral("(null)") : value.toString();
}

} // namespace

QString connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=") +
           jet::DatabasePassword::systemPassword();
}

void createDatabase(const QString& path, int version, int rows)
{
    jet::createDatabase(path, jet::DatabasePassword::systemPassword());
    jet::Connection connection;
    connection.open(connectionString(path));
    connection.execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
    connection.execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (%1)").arg(version));
    connection.execute(
        QStringLiteral("CREATE TABLE tblData (ID LONG, Name TEXT(100), Notes MEMO)"));
    connection.execute(QStringLiteral("CREATE INDEX Name ON tblData (Name)"));
    connection.beginTrans();
    for (int i = 1; i <= rows; ++i)
        connection.execute(QStringLiteral("INSERT INTO tblData VALUES (%1, 'Wine %1', '%2')")
                               .arg(i)
                               .arg(QString(200, QLatin1Char('a' + i % 26))));
    connection.commitTrans();
}

QStringList contentOf(const QString& path)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    jet::ResultSet version = connection.execute(QStringLiteral("SELECT Version FROM tblDBVer"));
    QStringList content{QStringLiteral("version %1").arg(version.value(0).toLong())};
    jet::ResultSet rows =
        connection.execute(QStringLiteral("SELECT ID, Name, Notes FROM tblData ORDER BY ID"));
    for (; !rows.eof(); rows.moveNext())
        content << QStringLiteral("%1|%2|%3")
                       .arg(rows.value(0).toLong())
                       .arg(text(rows.value(1)), text(rows.value(2)));
    return content;
}

void execute(const QString& path, const QString& jetSql)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    connection.execute(jetSql);
}

void damageIndex(const QString& path)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(
        db,
        "PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql = 'CREATE INDEX "
        "\"tblData.Name\" ON tblData (Notes)' WHERE type = 'index' AND name = 'tblData.Name'",
        nullptr, nullptr, nullptr);
    EXPECT_EQ(rc, SQLITE_OK);
    EXPECT_EQ(sqlite3_changes(db), 1);
    sqlite3_close(db);
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

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase);
}

void InstallationTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir().mkpath(tools()));
    reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Software"));
    const int versions[] = {11, 18, 1, 4};
    for (int i = 0; i < 4; ++i)
        createDatabase(databases().at(i), versions[i], i == 0 ? 600 : 40);
}

QString InstallationTest::inst(const QString& name) const
{
    const QString folder = m_dir.filePath(QStringLiteral("Quorvex Inst"));
    return name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
}

QStringList InstallationTest::databases() const
{
    return {inst(QStringLiteral("csample.qvd")), inst(QStringLiteral("settings.dat")),
            inst(QStringLiteral("english.lan")), inst(QStringLiteral("weblinks.dat"))};
}

} // namespace outside::test
