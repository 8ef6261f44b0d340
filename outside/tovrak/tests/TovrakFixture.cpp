#include "TovrakFixture.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/registry/Registry.h"

#include <memory>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <sqlite3.h>

namespace tovrak::test {

namespace {

QString connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=") +
           jet::DatabasePassword::systemPassword();
}

// The program's surroundings: a core application for QProcess, and an empty registry.
class Environment : public ::testing::Environment
{
public:
    void SetUp() override { m_app = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "tovrak_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new Environment);

QString text(const vb::Variant& value)
{
    return value.isNull() ? QStringLiteral("(null)") : value.toString();
}

} // namespace

void createDatabase(const QString& path, int rows, int version)
{
    jet::createDatabase(path, jet::DatabasePassword::systemPassword());
    jet::Connection connection;
    connection.open(connectionString(path));
    connection.execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
    connection.execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (%1)").arg(version));
    connection.execute(
        QStringLiteral("CREATE TABLE tblData (ID LONG, Name TEXT(100), Notes MEMO, Price "
                       "CURRENCY)"));
    connection.execute(QStringLiteral("CREATE INDEX PrimaryKey ON tblData (ID) WITH PRIMARY"));
    connection.execute(QStringLiteral("CREATE INDEX Name ON tblData (Name)"));
    connection.beginTrans();
    for (int i = 1; i <= rows; ++i)
        connection.execute(
            QStringLiteral("INSERT INTO tblData VALUES (%1, 'Wine number %1', '%2', %3)")
                .arg(i)
                .arg(QString(200, QLatin1Char('a' + i % 26)))
                .arg(i * 0.5));
    connection.commitTrans();
}

QStringList contentOf(const QString& path)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    QStringList content;
    jet::ResultSet version = connection.execute(QStringLiteral("SELECT Version FROM tblDBVer"));
    content << QStringLiteral("version %1").arg(version.value(0).toLong());
    jet::ResultSet rows = connection.execute(
        QStringLiteral("SELECT ID, Name, Notes, Price FROM tblData ORDER BY ID"));
    for (; !rows.eof(); rows.moveNext())
        content << QStringLiteral("%1|%2|%3|%4")
                       .arg(rows.value(0).toLong())
                       .arg(text(rows.value(1)), text(rows.value(2)), text(rows.value(3)));
    return content;
}

qint64 sizeOf(const QString& path)
{
    return QFileInfo(path).size();
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
    char* message = nullptr;
    const int rc = sqlite3_exec(
        db,
        "PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql = 'CREATE INDEX "
        "\"tblData.Name\" ON tblData (Notes)' WHERE type = 'index' AND name = 'tblData.Name'",
        nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "");
    EXPECT_EQ(sqlite3_changes(db), 1);
    sqlite3_free(message);
    sqlite3_close(db);
}

void TovrakTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir().mkpath(tools()));
    // Each test starts from an empty registry: the defaults apply.
    reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Software"));
    createDatabase(inst(QStringLiteral("csample.qvd")), 600);
    createDatabase(inst(QStringLiteral("settings.dat")), 40, 18);
    createDatabase(inst(QStringLiteral("english.lan")), 40, 1);
    createDatabase(inst(QStringLiteral("weblinks.dat")), 40, 4);
}

QString TovrakTest::inst(const QString& name) const
{
    const QString folder = m_dir.filePath(QStringLiteral("Quorvex Inst"));
    return name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
}

QStringList TovrakTest::databases() const
{
    return {inst(QStringLiteral("csample.qvd")), inst(QStringLiteral("settings.dat")),
            inst(QStringLiteral("english.lan")), inst(QStringLiteral("weblinks.dat"))};
}

Outcome TovrakTest::runTovrak(const QStringList& arguments) const
{
    return runProgram(QStringList{QStringLiteral("--tools"), tools()} + arguments);
}

Outcome TovrakTest::runProgram(const QStringList& arguments) const
{
    QProcess process;
    process.start(qEnvironmentVariable("QV_BIN_DIR") + QStringLiteral("/tovrak"), arguments);
    Outcome outcome;
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "tovrak did not finish: " << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

QStringList TovrakTest::installationFiles() const
{
    return QDir(inst()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace tovrak::test
