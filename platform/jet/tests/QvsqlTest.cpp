// qvsql end to end, in the two forms outside checks rely on, and its failures.

#include "TestDatabase.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace jet {
namespace {

struct QvsqlRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

QvsqlRun qvsql(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(QVSQL_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted(10000));
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class QvsqlTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath("my cellar.qvd"); }

    QTemporaryDir m_dir;
};

TEST_F(QvsqlTest, CreateThenRunStatementsAndPrintRows)
{
    const QvsqlRun create = qvsql({"--create", path()});
    ASSERT_EQ(create.exitCode, 0) << create.err.toStdString();
    ASSERT_TRUE(QFileInfo(path()).isFile());

    const QvsqlRun setup = qvsql({path(),
                                  "CREATE TABLE tblWines (WineID LONG, Name TEXT(50), "
                                  "Bought DATETIME, Price DOUBLE)",
                                  "INSERT INTO tblWines VALUES (1, 'Rioja', 36526, 12.5)",
                                  "INSERT INTO tblWines VALUES (2, 'Tab\there', NULL, NULL)"});
    ASSERT_EQ(setup.exitCode, 0) << setup.err.toStdString();
    EXPECT_EQ(setup.out, "1 row affected\n1 row affected\n");

    const QvsqlRun rows =
        qvsql({path(), "SELECT WineID, Name, Bought, Price FROM tblWines ORDER BY "
                       "WineID"});
    ASSERT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    const QString expected = "WineID\tName\tBought\tPrice\n1\tRioja\t" +
                             vb::Variant::fromDate(36526).toString() + '\t' +
                             vb::Variant(12.5).toString() + "\n2\tTab\\there\t\t\n";
    EXPECT_EQ(rows.out, expected);
    EXPECT_TRUE(rows.err.isEmpty());

    // A computed Date prints as a date, not as its day number.
    const QvsqlRun computed =
        qvsql({path(), "SELECT DateSerial(Year([Bought]), Month([Bought]) + 11, 1) AS Review FROM "
                       "tblWines WHERE WineID = 1"});
    ASSERT_EQ(computed.exitCode, 0) << computed.err.toStdString();
    EXPECT_EQ(computed.out, "Review\n" + vb::Variant::fromDate(36861).toString() + '\n');
}

TEST_F(QvsqlTest, CreateRefusesAnExistingFile)
{
    ASSERT_EQ(qvsql({"--create", path()}).exitCode, 0);
    const QByteArray before = test::fileDigest(path());
    const QvsqlRun again = qvsql({"--create", path()});
    EXPECT_NE(again.exitCode, 0);
    EXPECT_TRUE(again.err.contains("Database already exists.")) << again.err.toStdString();
    EXPECT_EQ(test::fileDigest(path()), before);
}

TEST_F(QvsqlTest, ErrorsGoToStandardErrorWithFailureStatus)
{
    ASSERT_EQ(qvsql({"--create", path()}).exitCode, 0);
    const QvsqlRun wrongPassword = qvsql({"--password", "nope", path(), "SELECT 1"});
    EXPECT_NE(wrongPassword.exitCode, 0);
    EXPECT_TRUE(wrongPassword.out.isEmpty());
    EXPECT_TRUE(wrongPassword.err.contains("Not a valid password."))
        << wrongPassword.err.toStdString();

    const QvsqlRun missing = qvsql({m_dir.filePath("missing.qvd"), "SELECT 1"});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains("Could not find file"));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("missing.qvd")));

    const QvsqlRun badTable = qvsql({path(), "SELECT * FROM tblNothing"});
    EXPECT_NE(badTable.exitCode, 0);
    EXPECT_TRUE(badTable.err.contains("tblNothing"));
}

TEST_F(QvsqlTest, ScriptFileAndStandardInputStopAtTheFirstError)
{
    ASSERT_EQ(qvsql({"--create", path()}).exitCode, 0);
    const QString script = m_dir.filePath("setup.sql");
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("CREATE TABLE t (a LONG);\nINSERT INTO t VALUES (1);\n"
                   "INSERT INTO t VALUES ('x;y');\n");
    }
    const QvsqlRun fromFile = qvsql({path(), "-f", script});
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();

    const QvsqlRun fromInput =
        qvsql({path()}, "SELECT Count(*) AS N FROM t;\nSELECT * FROM nowhere;\n"
                        "DELETE FROM t;\n");
    EXPECT_NE(fromInput.exitCode, 0);
    EXPECT_EQ(fromInput.out, "N\n2\n");
    const QvsqlRun count = qvsql({path(), "SELECT Count(*) AS N FROM t"});
    EXPECT_EQ(count.out, "N\n2\n");
}

TEST_F(QvsqlTest, SchemaListsTablesInJetTerms)
{
    ASSERT_EQ(qvsql({"--create", path()}).exitCode, 0);
    ASSERT_EQ(qvsql({path(), "CREATE TABLE tblWines (WineID LONG NOT NULL, Name TEXT(40), "
                             "Drunk BIT, Bought DATETIME)"})
                  .exitCode,
              0);
    const QvsqlRun schema = qvsql({"--schema", path()});
    ASSERT_EQ(schema.exitCode, 0) << schema.err.toStdString();
    EXPECT_EQ(schema.out, "Table\tColumn\tType\tSize\tRequired\n"
                          "tblWines\tWineID\tLong\t\tYes\n"
                          "tblWines\tName\tText\t40\tNo\n"
                          "tblWines\tDrunk\tYes/No\t\tNo\n"
                          "tblWines\tBought\tDate/Time\t\tNo\n");
}

} // namespace
} // namespace jet

namespace jet {
namespace {

TEST_F(QvsqlTest, ADatabaseOfItsOwnPasswordOpensOnlyWithIt)
{
    ASSERT_EQ(qvsql({"--create", "--password", "own pw", path()}).exitCode, 0);
    // Without --password qvsql gives the system's password, which opens only its own
    // databases.
    const QvsqlRun byDefault = qvsql({path(), "SELECT 1"});
    EXPECT_NE(byDefault.exitCode, 0);
    EXPECT_TRUE(byDefault.err.contains("Not a valid password.")) << byDefault.err.toStdString();
    const QvsqlRun own = qvsql({"--password", "own pw", path(), "SELECT 1 AS One"});
    EXPECT_EQ(own.exitCode, 0) << own.err.toStdString();
    EXPECT_EQ(own.out, "One\n1\n");
}

TEST(Qvsql, CarriesTheVersionNote)
{
    const auto info = verinfo::readFile(QStringLiteral(QVSQL_PATH));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("ProductName"), "Quorvex");
    EXPECT_EQ(info->value("OriginalFilename"), "qvsql");
    EXPECT_FALSE(info->value("FileVersion").isEmpty());
    EXPECT_FALSE(info->value("FileDescription").isEmpty());
}

} // namespace
} // namespace jet
