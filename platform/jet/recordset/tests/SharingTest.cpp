// Recordset writes and the other users of the file: connections of this process see them and
// never wait for them, transactions of the connection hold them, another process gets the
// busy error, and nothing batched is lost on close.

#include "CellarFixture.h"
#include "jet/Error.h"
#include "jet/sql/JetSql.h"

#include <chrono>
#include <QCoreApplication>
#include <QProcess>
#include <sqlite3.h>

namespace jet {
namespace {

using namespace std::chrono_literals;
using test::CellarFixture;
using test::errorNumber;

class SharingTest : public CellarFixture
{
protected:
    static qint64 rows(Connection& connection)
    {
        return connection.execute("SELECT Count(*) FROM tblWines").value(0).toLong();
    }

    // What a reader outside the engine sees: only committed rows.
    qint64 committedRows() const
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(m_path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        registerSqlFunctions(db); // the table's text columns compare with the JET collation
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM tblWines", -1, &statement, nullptr) !=
            SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(db);
        }
        const qint64 count =
            sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return count;
    }

    void addWine(Recordset& wines, const QString& label)
    {
        wines.addNew();
        wines.setValue("Label", label);
        wines.update();
    }
};

TEST_F(SharingTest, OtherConnectionsOfTheProcessSeeTheWritesAndDoNotWait)
{
    Connection other;
    other.setLockTimeout(20s); // a wait would show; none may happen
    other.open(connectionString());
    Recordset wines;
    openWines(wines);
    addWine(wines, "Batched");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rows(other), 5);
    other.execute("UPDATE tblWines SET Vintage = 1 WHERE Label = 'Batched'");
    addWine(wines, "Second");
    // A write straight through SQLite (as the catalog makes) finds the lock taken by the
    // batch and has it committed rather than failing or waiting.
    EXPECT_EQ(
        sqlite3_exec(other.handle(), "UPDATE tblWines SET Vintage = 2", nullptr, nullptr, nullptr),
        SQLITE_OK);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);

    Recordset others;
    others.open("tblWines", other, CursorType::Keyset, LockType::Optimistic);
    addWine(wines, "Third");
    others.moveLast(); // opened before the third row: not in its set
    EXPECT_EQ(others.value("Label").toString(), "Second");
    others.setValue("Region", "Elsewhere");
    others.update();
    wines.moveFirst();
    EXPECT_EQ(wines.value("Vintage").toLong(), 2);
    EXPECT_EQ(rows(m_connection), 7);
}

TEST_F(SharingTest, TransactionsOfTheConnectionHoldRecordsetWrites)
{
    Recordset wines;
    openWines(wines);
    addWine(wines, "Before");
    m_connection.beginTrans(); // the batch is not part of the transaction
    addWine(wines, "Inside");
    wines.moveFirst();
    wines.deleteCurrent();
    m_connection.rollbackTrans();
    EXPECT_EQ(rows(m_connection), 5);
    EXPECT_EQ(m_connection
                  .execute("SELECT Count(*) FROM tblWines WHERE Label IN ('Before', "
                           "'Margaux')")
                  .value(0)
                  .toLong(),
              2);
}

TEST_F(SharingTest, ClosingKeepsWhatWasBatched)
{
    {
        Recordset wines;
        openWines(wines);
        addWine(wines, "Kept by close");
        EXPECT_EQ(committedRows(), 4); // still in the batch
        wines.close();
        EXPECT_EQ(committedRows(), 5);
    }
    Recordset wines;
    openWines(wines);
    addWine(wines, "Kept at last");
    wines.moveFirst();
    wines.setValue("Region", "Pending, then discarded");
    m_connection.close(); // the recordset is left open: its batch is committed all the same
    EXPECT_EQ(committedRows(), 6);
}

TEST_F(SharingTest, ReturningToTheEventLoopCommits)
{
    int argc = 1;
    char name[] = "jet_recordset_tests";
    char* argv[] = {name, nullptr};
    const bool ownApplication = QCoreApplication::instance() == nullptr;
    std::unique_ptr<QCoreApplication> application;
    if (ownApplication) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    Recordset wines;
    openWines(wines);
    addWine(wines, "Pumped");
    EXPECT_EQ(committedRows(), 4);
    QCoreApplication::processEvents();
    EXPECT_EQ(committedRows(), 5);
}

TEST_F(SharingTest, AnotherProcessHoldingTheLockGivesTheBusyError)
{
    Recordset wines;
    openWines(wines);
    wines.setValue("Region", "Locked out");

    QProcess holder;
    holder.start(QStringLiteral(LOCK_HELPER_PATH), {m_path});
    ASSERT_TRUE(holder.waitForStarted(10000));
    ASSERT_TRUE(holder.waitForReadyRead(10000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "locked");

    m_connection.setLockTimeout(50ms);
    const auto start = std::chrono::steady_clock::now();
    try {
        wines.update();
        ADD_FAILURE() << "wrote through another process's lock";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), test::engineFailure);
        EXPECT_TRUE(error.description().contains("locked")) << error.description().toStdString();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(wines.editMode(), EditMode::InProgress);
    EXPECT_EQ(errorNumber([&] { wines.addNew(); }),
              test::engineFailure);                        // AddNew saves the pending edit first
    EXPECT_EQ(wines.value("Label").toString(), "Margaux"); // still reads

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(10000));
    wines.update();
    wines.close();
    EXPECT_EQ(
        m_connection.execute("SELECT Region FROM tblWines WHERE WineID = 1").value(0).toString(),
        "Locked out");
}

} // namespace
} // namespace jet
