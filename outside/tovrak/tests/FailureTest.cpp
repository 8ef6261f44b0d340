// What tovrak leaves alone: databases in use, missing or damaged ones. Each is reported on its
// own line, the exit status is non-zero, and the other databases are still compacted.

#include "platform/jet/Connection.h"
#include "TovrakFixture.h"

#include <QDir>

namespace tovrak::test {
namespace {

QString connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=vutmarelko");
}

QStringList linesOf(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class Failure : public TovrakTest
{
protected:
    void SetUp() override
    {
        TovrakTest::SetUp();
        execute(inst(QStringLiteral("csample.qvd")), QStringLiteral("DELETE FROM tblData"));
        m_mainBefore = sizeOf(inst(QStringLiteral("csample.qvd")));
    }
    void expectMainCompacted() const
    {
        EXPECT_LT(sizeOf(inst(QStringLiteral("csample.qvd"))), m_mainBefore);
    }

    qint64 m_mainBefore = 0;
};

TEST_F(Failure, DatabasesInUseAreReportedAndLeftAlone)
{
    const QString settings = inst(QStringLiteral("settings.dat"));
    const QString weblinks = inst(QStringLiteral("weblinks.dat"));
    jet::Connection writer;
    writer.open(connectionString(settings));
    writer.beginTrans();
    writer.execute(QStringLiteral("INSERT INTO tblData (ID, Name) VALUES (1000, 'pending')"));
    // Read first: closing any other handle on the file would drop this process's locks on it.
    const QByteArray weblinksBefore = bytesOf(weblinks);
    jet::Connection reader; // only open, not reading
    reader.open(connectionString(weblinks));

    const Outcome outcome = runTovrak();
    EXPECT_EQ(outcome.exitCode, 1);
    const QStringList errors = linesOf(outcome.err);
    ASSERT_EQ(errors.size(), 2) << outcome.err.toStdString();
    EXPECT_TRUE(errors.at(0).startsWith(QStringLiteral("tovrak: ") + settings));
    EXPECT_TRUE(errors.at(0).contains(QStringLiteral("in use")));
    EXPECT_TRUE(errors.at(1).startsWith(QStringLiteral("tovrak: ") + weblinks));
    EXPECT_TRUE(errors.at(1).contains(QStringLiteral("in use")));
    expectMainCompacted();
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("english.lan")));

    // The holders go on as if nothing happened.
    writer.commitTrans();
    writer.close();
    EXPECT_EQ(contentOf(settings).size(), 42);
    EXPECT_EQ(contentOf(settings).last(), QStringLiteral("1000|pending|(null)|(null)"));
    EXPECT_EQ(bytesOf(weblinks), weblinksBefore);
}

TEST_F(Failure, AMissingDatabaseIsReportedAndTheOthersCompacted)
{
    const QString weblinks = inst(QStringLiteral("weblinks.dat"));
    ASSERT_TRUE(QFile::remove(weblinks));
    const Outcome outcome = runTovrak();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(linesOf(outcome.err),
              QStringList{QStringLiteral("tovrak: %1 was not found").arg(weblinks)});
    expectMainCompacted();
    EXPECT_FALSE(QFileInfo::exists(weblinks));
}

TEST_F(Failure, ADamagedDatabaseIsNeverReplaced)
{
    const QString language = inst(QStringLiteral("english.lan"));
    execute(language, QStringLiteral("DELETE FROM tblData WHERE ID > 2"));
    damageIndex(language);
    const QByteArray before = bytesOf(language);
    const QStringList files = installationFiles();

    const Outcome outcome = runTovrak();
    EXPECT_EQ(outcome.exitCode, 1);
    const QStringList errors = linesOf(outcome.err);
    ASSERT_EQ(errors.size(), 1) << outcome.err.toStdString();
    EXPECT_TRUE(errors.at(0).startsWith(QStringLiteral("tovrak: ") + language));
    EXPECT_TRUE(errors.at(0).contains(QStringLiteral("damaged"))) << errors.at(0).toStdString();
    EXPECT_EQ(bytesOf(language), before);
    EXPECT_EQ(installationFiles(), files);
    expectMainCompacted();
}

TEST_F(Failure, ADatabaseWithoutItsVersionTableIsNotTouched)
{
    const QString settings = inst(QStringLiteral("settings.dat"));
    execute(settings, QStringLiteral("DROP TABLE tblDBVer"));
    const QByteArray before = bytesOf(settings);
    const Outcome outcome = runTovrak();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("tblDBVer"))) << outcome.err.toStdString();
    EXPECT_EQ(bytesOf(settings), before);
}

TEST_F(Failure, AFileThatIsNoDatabaseIsNotTouched)
{
    const QString weblinks = inst(QStringLiteral("weblinks.dat"));
    ASSERT_TRUE(QFile::remove(weblinks));
    ASSERT_TRUE(writeBytes(weblinks, "http://example.org\n"));
    const Outcome outcome = runTovrak();
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(linesOf(outcome.err),
              QStringList{QStringLiteral("tovrak: %1 is not a database file").arg(weblinks)});
    EXPECT_EQ(bytesOf(weblinks), "http://example.org\n");
}

} // namespace
} // namespace tovrak::test
