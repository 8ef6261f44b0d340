#include "BackupFixture.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/registry/Registry.h"

#include <memory>
#include <QApplication>
#include <QDir>
#include <QFile>

namespace backup::test {

namespace {

QString connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=") +
           jet::DatabasePassword::systemPassword();
}

class Environment : public ::testing::Environment
{
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "backup_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new Environment);

} // namespace

void createDatabase(const QString& path, int version, int rows)
{
    jet::createDatabase(path, jet::DatabasePassword::systemPassword());
    jet::Connection connection;
    connection.open(connectionString(path));
    connection.execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
    connection.execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (%1)").arg(version));
    connection.execute(QStringLiteral("CREATE TABLE tblData (ID LONG, Name TEXT(50))"));
    connection.execute(QStringLiteral("CREATE INDEX Name ON tblData (Name)"));
    for (int i = 1; i <= rows; ++i)
        connection.execute(QStringLiteral("INSERT INTO tblData VALUES (%1, 'Row %1')").arg(i));
}

QStringList contentOf(const QString& path)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    QStringList content;
    jet::ResultSet version = connection.execute(QStringLiteral("SELECT Version FROM tblDBVer"));
    content << QStringLiteral("version %1").arg(version.value(0).toLong());
    jet::ResultSet rows =
        connection.execute(QStringLiteral("SELECT ID, Name FROM tblData ORDER BY ID"));
    for (; !rows.eof(); rows.moveNext())
        content << rows.value(0).toString() + QLatin1Char('|') + rows.value(1).toString();
    return content;
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

void BackupTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir().mkpath(tools()));
    ASSERT_TRUE(QDir().mkpath(chosen()));
    reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Software"));
    createDatabase(inst(QStringLiteral("csample.qvd")), 11, 5);
    createDatabase(inst(QStringLiteral("settings.dat")), 18);
    createDatabase(inst(QStringLiteral("english.lan")), 1);
    createDatabase(inst(QStringLiteral("weblinks.dat")), 4);
    createDatabase(inst(QStringLiteral("printlabels.dat")), 1);
    createDatabase(inst(QStringLiteral("Auctions.dat")), 1);
    ASSERT_TRUE(writeBytes(inst(QStringLiteral("rates.dat")),
                           "\"USD\",\"US Dollar\",1.0\r\n\"EUR\",\"Euro\",0.92\r\n"));
}

QString BackupTest::inst(const QString& name) const
{
    const QString folder = m_dir.filePath(QStringLiteral("Quorvex"));
    return name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
}

QDateTime BackupTest::fixedTime()
{
    return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
}

} // namespace backup::test
