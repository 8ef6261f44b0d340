// Stored queries of kinds the test files lack, written from the rows a Jet file keeps for them
// and carried into a database of ours: the text of each, which become views and which
// procedures, that action queries are compiled but never run, and that a query failing its
// run takes the queries built on it along into the report.

#include "platform/jet/import/QueryImport.h"

#include "ImportedDatabase.h"
#include "platform/jet/adox/Catalog.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

// Rows as MSysQueries holds them (attribute, name1, name2, expression, flag).
QueryRow type(QueryType kind, const QString& target = {})
{
    return {1, target, {}, {}, static_cast<int>(kind)};
}
QueryRow flags(int bits, const QString& top = {})
{
    return {3, top, {}, {}, bits};
}
QueryRow table(const QString& name, const QString& alias = {}, const QString& database = {})
{
    return {5, name, alias, database, 0};
}
QueryRow column(const QString& expression, const QString& alias = {}, const QString& target = {})
{
    return {6, alias, target, expression, 0};
}
QueryRow join(const QString& left, const QString& right, const QString& on, int kind)
{
    return {7, left, right, on, kind};
}
QueryRow where(const QString& expression)
{
    return {8, {}, {}, expression, 0};
}

SourceQuery query(const QString& name, const QList<QueryRow>& rows)
{
    return SourceQuery{name, queryText(rows)};
}

TEST(QueryText, KindsTheTestFilesLack)
{
    const auto sql = [](const QList<QueryRow>& rows) {
        return queryText(rows).jetSql.replace(u"\r\n"_s, u" "_s);
    };
    EXPECT_EQ(sql({type(QueryType::MakeTable, u"Order"_s), flags(0x01), table(u"T"_s)}),
              u"SELECT * INTO [Order] FROM T;"_s);
    EXPECT_EQ(sql({type(QueryType::Append, u"U"_s), flags(0x8000 - 0x10000),
                   column(u"9"_s, {}, u"ID"_s), column(u"1"_s, {}, u"TID"_s)}),
              u"INSERT INTO U (ID, TID) VALUES (9, 1);"_s);
    EXPECT_EQ(sql({type(QueryType::Update), table(u"T"_s), table(u"U"_s, u"Line Items"_s),
                   join(u"T"_s, u"Line Items"_s, u"T.ID = [Line Items].TID"_s, 2),
                   column(u"T.Amount * 2"_s, {}, u"T.Amount"_s), where(u"[Line Items].Qty > 1"_s)}),
              u"UPDATE T LEFT JOIN U AS [Line Items] ON T.ID = [Line Items].TID "
              u"SET T.Amount = T.Amount * 2 WHERE [Line Items].Qty > 1;"_s);
    EXPECT_EQ(
        sql({type(QueryType::Union), flags(0x01), table({}, u"X7YZ_____1"_s, u"SELECT ID FROM T"_s),
             table({}, u"X7YZ_____2"_s, u"SELECT TID FROM U"_s)}),
        u"SELECT ID FROM T UNION ALL SELECT TID FROM U;"_s);
    EXPECT_EQ(sql({flags(0x02 | 0x10 | 0x20, u"50"_s), table(u"T"_s), column(u"Name"_s)}),
              u"SELECT DISTINCT TOP 50 PERCENT Name FROM T;"_s);
    // A second inner condition between tables already joined goes into their ON.
    EXPECT_EQ(
        sql({table(u"T"_s), table(u"U"_s), column(u"T.Name"_s),
             join(u"T"_s, u"U"_s, u"T.ID = U.TID"_s, 1), join(u"t"_s, u"u"_s, u"T.ID > 0"_s, 1)}),
        u"SELECT T.Name FROM T INNER JOIN U ON (T.ID = U.TID) AND (T.ID > 0);"_s);

    EXPECT_EQ(queryText({table(u"T"_s), table(u"U"_s), join(u"T"_s, u"U"_s, u"a"_s, 2),
                         join(u"T"_s, u"U"_s, u"b"_s, 2)})
                  .problem,
              u"its joins between T and U cannot be written as one FROM clause."_s);
    EXPECT_EQ(queryText({table(u"T"_s, {}, u"C:\\other.mdb"_s)}).problem,
              u"it reads table T from another database (C:\\other.mdb)."_s);
    EXPECT_EQ(queryText({type(QueryType::PassThrough)}).problem,
              u"it is a pass-through query, which an ODBC server runs."_s);
}

class QueryImportInto : public testing::Test
{
protected:
    void SetUp() override
    {
        m_path = m_dir.filePath(u"queries.qvd"_s);
        createDatabase(m_path, DatabasePassword::systemPassword());
        m_connection.open(connectionStringFor(m_path));
        for (const QString& sql :
             {u"CREATE TABLE T (ID LONG PRIMARY KEY, Name TEXT(20), Amount CURRENCY)"_s,
              u"CREATE TABLE U (ID LONG PRIMARY KEY, TID LONG, Qty INTEGER)"_s,
              u"INSERT INTO T VALUES (1, 'abc', 10)"_s, u"INSERT INTO T VALUES (2, '7', 20)"_s,
              u"INSERT INTO U VALUES (1, 1, 3)"_s, u"INSERT INTO U VALUES (2, 1, 4)"_s}) {
            m_connection.execute(sql);
        }
    }
    qint64 count(const QString& sql) { return m_connection.execute(sql).value(0).toLong(); }

    QTemporaryDir m_dir;
    QString m_path;
    Connection m_connection;
};

TEST_F(QueryImportInto, VerifiesEachQueryAndReportsTheRest)
{
    const QList<SourceQuery> queries{
        query(u"Totals"_s, {table(u"T"_s),
                            table(u"U"_s),
                            column(u"T.Name"_s),
                            column(u"Sum(U.Qty)"_s, u"Total"_s),
                            join(u"T"_s, u"U"_s, u"T.ID = U.TID"_s, 1),
                            {9, {}, {}, u"T.Name"_s, 0}}),
        query(u"Numbers"_s, {table(u"T"_s), column(u"CLng(Name)"_s, u"N"_s)}),
        query(u"On Numbers"_s, {flags(0x01), table(u"Numbers"_s)}),
        query(u"Pivot"_s, {type(QueryType::Crosstab),
                           table(u"U"_s),
                           column(u"Sum(Qty)"_s),
                           {6, {}, {}, u"TID"_s, 1},
                           {6, {}, {}, u"ID"_s, 2},
                           {9, {}, {}, u"ID"_s, 2},
                           {9, {}, {}, u"TID"_s, 1}}),
        query(u"Elsewhere"_s, {table(u"T"_s, {}, u"C:\\other.mdb"_s)}),
        query(u"~sq_fOrders"_s, {table(u"T"_s)}),
        query(u"Archive"_s,
              {type(QueryType::MakeTable, u"Archived"_s), flags(0x01), table(u"T"_s)}),
        query(u"Add line"_s, {type(QueryType::Append, u"U"_s), flags(0x8000 - 0x10000),
                              column(u"9"_s, {}, u"ID"_s), column(u"[Order]"_s, {}, u"TID"_s)}),
        query(u"By name"_s, {{2, u"Which"_s, {}, {}, 10},
                             table(u"T"_s),
                             column(u"ID"_s),
                             where(u"Name = [Which]"_s)}),
    };
    ImportReport report;
    importStoredQueries(m_connection, queries, report);

    adox::Catalog catalog;
    catalog.setActiveConnection(m_connection);
    ASSERT_EQ(catalog.views().count(), 1);
    EXPECT_EQ(catalog.views().item(0).name(), u"Totals"_s);
    EXPECT_EQ(catalog.procedures().count(), 3);
    EXPECT_TRUE(catalog.procedures().find(u"By name"_s));
    EXPECT_EQ(count(u"SELECT Total FROM Totals WHERE Name = 'abc'"_s), 7);
    // Compiled, never run: no table made, no row added.
    EXPECT_EQ(count(u"SELECT Count(*) FROM U"_s), 2);
    EXPECT_THROW(m_connection.execute(u"SELECT * FROM Archived"_s), vb::Error);

    ASSERT_EQ(report.queries.size(), 4);
    EXPECT_EQ(report.queries[3].parameters, QStringList{u"Which"_s});
    EXPECT_EQ(report.queries[2].parameters, QStringList{u"Order"_s}); // an unknown name asks
    EXPECT_EQ(report.formQueries, 1);
    ASSERT_EQ(report.queriesLeftBehind.size(), 4);
    EXPECT_EQ(report.queriesLeftBehind[0].name, u"Numbers"_s);
    EXPECT_TRUE(report.queriesLeftBehind[0].reason.contains(u"Type mismatch"_s));
    EXPECT_EQ(report.queriesLeftBehind[1].reason,
              u"it is built on query Numbers, which is not carried over."_s);
    EXPECT_TRUE(report.queriesLeftBehind[2].reason.contains(u"Crosstab"_s));
    EXPECT_TRUE(
        report.queriesLeftBehind[2].jetSql.startsWith(u"TRANSFORM Sum(Qty)\r\nSELECT ID"_s));
    EXPECT_TRUE(report.queriesLeftBehind[2].jetSql.endsWith(u"GROUP BY ID\r\nPIVOT TID;"_s));
    EXPECT_EQ(report.queriesLeftBehind[3].name, u"Elsewhere"_s);
    EXPECT_TRUE(report.queriesLeftBehind[3].jetSql.isEmpty());
    EXPECT_TRUE(report.toText().contains(u"    TRANSFORM Sum(Qty)\n"_s));
}

} // namespace
} // namespace jet::importer::test
