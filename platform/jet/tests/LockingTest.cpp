// Several sessions on one file: another process holding the write lock gives the busy error
// rather than a hang; connections of this process never wait for each other in vain.

#include "jet/Error.h"
#include "TestDatabase.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <QProcess>
#include <sys/wait.h>
#include <unistd.h>

namespace jet {
namespace {

using namespace std::chrono_literals;
using test::TestDatabase;

class LockingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Connection setup;
        setup.open(m_database.connectionString());
        test::executeAll(setup, {"CREATE TABLE tblStock (ID LONG, Qty LONG)",
                                 "INSERT INTO tblStock VALUES (1, 10)"});
    }

    static qint64 quantity(Connection& connection)
    {
        ResultSet rows = connection.execute("SELECT Qty FROM tblStock WHERE ID = 1");
        return rows.value(0).toLong();
    }

    TestDatabase m_database;
};

TEST_F(LockingTest, WriteLockOfAnotherProcessGivesTheBusyError)
{
    QProcess holder;
    holder.start(QStringLiteral(LOCK_HELPER_PATH), {m_database.path()});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "locked");

    Connection connection;
    connection.setLockTimeout(50ms);
    connection.open(m_database.connectionString()); // opening and reading are not blocked
    EXPECT_EQ(quantity(connection), 10);
    try {
        connection.execute("UPDATE tblStock SET Qty = 11");
        FAIL() << "wrote through another process's lock";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), -2147467259);
        EXPECT_EQ(error.source(), "Microsoft JET Database Engine");
        EXPECT_TRUE(error.description().contains("locked"));
    }
    ASSERT_EQ(connection.errors().count(), 1);
    EXPECT_EQ(connection.errors().item(0).number, ErrorNumber::Unspecified);

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);
    connection.execute("UPDATE tblStock SET Qty = 11");
    EXPECT_EQ(quantity(connection), 11);
}

// Whether another process sees a lock of this process on SQLite's shared-lock bytes of `path`.
bool sharedLockSeenByAnotherProcess(const QString& path)
{
    const QByteArray file = path.toLocal8Bit();
    const pid_t child = fork();
    if (child == 0) {
        const int fd = ::open(file.constData(), O_RDWR);
        struct flock probe = {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        probe.l_start = 0x40000000 + 2; // SQLite's shared range follows the pending byte
        probe.l_len = 510;
        const bool seen = fd >= 0 && fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
        _exit(seen ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// On Linux closing any descriptor of a file drops all of the process's locks on it, so opening
// a second connection must not look at the file outside SQLite.
TEST_F(LockingTest, OpeningAnotherConnectionKeepsTheLocksOfTheFirst)
{
    Connection writer;
    writer.open(m_database.connectionString());
    writer.beginTrans();
    writer.execute("UPDATE tblStock SET Qty = 30");
    ASSERT_TRUE(sharedLockSeenByAnotherProcess(m_database.path()));

    Connection second;
    second.open(m_database.connectionString());
    EXPECT_TRUE(sharedLockSeenByAnotherProcess(m_database.path()));
    writer.commitTrans();
}

TEST_F(LockingTest, ReadersOfThisProcessAreNotBlockedByAWriter)
{
    Connection writer;
    Connection reader;
    writer.open(m_database.connectionString());
    reader.open(m_database.connectionString());
    writer.beginTrans();
    writer.execute("UPDATE tblStock SET Qty = 20");
    EXPECT_EQ(quantity(reader), 10); // the committed state
    ResultSet open = reader.execute("SELECT Qty FROM tblStock");
    writer.commitTrans(); // a result being read elsewhere does not hold the commit up
    EXPECT_EQ(open.value(0).toLong(), 10); // it reads the state it started on
    open.moveNext();
    EXPECT_TRUE(open.eof());
    EXPECT_EQ(quantity(reader), 20); // and lets go of it at its end
}

TEST_F(LockingTest, WriterOfThisThreadIsReportedAtOnceNotWaitedFor)
{
    Connection first;
    Connection second;
    first.open(m_database.connectionString());
    second.open(m_database.connectionString());
    second.setLockTimeout(20s); // waiting would take this long; it must not wait
    first.beginTrans();
    first.execute("UPDATE tblStock SET Qty = 30");

    const auto start = std::chrono::steady_clock::now();
    try {
        second.execute("UPDATE tblStock SET Qty = 31");
        FAIL() << "two writers at once";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Unspecified);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);

    first.commitTrans();
    second.execute("UPDATE tblStock SET Qty = Qty + 1");
    EXPECT_EQ(quantity(first), 31);
}

} // namespace
} // namespace jet
