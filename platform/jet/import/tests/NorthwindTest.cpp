// Northwind imported from its Jet 3 and Jet 4 files: the well-known figures and sums in Jet SQL
// equal what mdb-export reads from the same file; the schema is what the engine keeps for its
// own tables (PrimaryKey, Required, counters continuing after the highest, relationships with
// their cascades); and the file's own stored queries run on the imported tables.

#include "ImportedDatabase.h"
#include "MdbTools.h"
#include "platform/jet/schema/TableSchema.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <QRegularExpression>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

// A Currency printed by mdb-export ("12.7500") in ten-thousandths.
qint64 tenThousandths(const QString& text)
{
    return std::llround(text.toDouble() * 10000.0);
}

qint64 engineTenThousandths(const vb::Variant& value)
{
    return std::llround(value.toDouble() * 10000.0);
}

class Northwind : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (accessDataDir().isEmpty()) {
            GTEST_SKIP() << "no shared/testdata/access beside the source tree";
        }
        m_file = accessFile(QString::fromUtf8(GetParam()));
        m_db = std::make_unique<ImportedDatabase>(m_file);
    }
    qint64 count(const QString& table)
    {
        return m_db->scalar(u"SELECT Count(*) FROM ["_s + table + u"]"_s).toLong();
    }
    int column(const ExportedTable& table, const QString& name)
    {
        return static_cast<int>(table.columns.indexOf(name));
    }

    QString m_file;
    std::unique_ptr<ImportedDatabase> m_db;
};

TEST_P(Northwind, HasItsWellKnownFigures)
{
    EXPECT_EQ(count(u"Orders"_s), 830);
    EXPECT_EQ(count(u"Customers"_s), 91);
    EXPECT_EQ(count(u"Products"_s), 77);
    EXPECT_EQ(count(u"Employees"_s), 9);
    EXPECT_EQ(count(u"Suppliers"_s), 29);
    EXPECT_EQ(count(u"Order Details"_s), 2155);
}

TEST_P(Northwind, SumsEqualThoseOfMdbExport)
{
    const ExportedTable orders = mdbExport(m_file, u"Orders"_s);
    qint64 freight = 0;
    for (const ExportedRow& row : orders.rows) {
        freight += tenThousandths(row[column(orders, u"Freight"_s)].value_or(u"0"_s));
    }
    EXPECT_EQ(engineTenThousandths(m_db->scalar(u"SELECT Sum(Freight) FROM Orders"_s)), freight);

    const ExportedTable lines = mdbExport(m_file, u"Order Details"_s);
    qint64 quantity = 0;
    qint64 amount = 0;
    for (const ExportedRow& row : lines.rows) {
        const qint64 q = row[column(lines, u"Quantity"_s)]->toLongLong();
        quantity += q;
        amount += q * tenThousandths(*row[column(lines, u"UnitPrice"_s)]);
    }
    EXPECT_EQ(m_db->scalar(u"SELECT Sum(Quantity) FROM [Order Details]"_s).toDouble(), quantity);
    EXPECT_EQ(engineTenThousandths(
                  m_db->scalar(u"SELECT Sum(UnitPrice * Quantity) FROM [Order Details]"_s)),
              amount);
    // A join over the imported keys gives the same money as the rows themselves.
    EXPECT_EQ(engineTenThousandths(
                  m_db->scalar(u"SELECT Sum(d.UnitPrice * d.Quantity) FROM Orders AS o INNER JOIN "
                               u"[Order Details] AS d ON o.OrderID = d.OrderID"_s)),
              amount);
}

TEST_P(Northwind, SchemaIsWhatTheEngineKeeps)
{
    sqlite3* db = m_db->connection().handle();
    const std::optional<TableSchema> orders = readTableSchema(db, u"Orders"_s);
    ASSERT_TRUE(orders);
    const ColumnSchema& orderId = orders->columns[orders->columnIndex(u"OrderID"_s)];
    EXPECT_EQ(orderId.type, JetType::Counter);
    EXPECT_TRUE(orderId.autoIncrement);
    const IndexSchema* primary = orders->index(u"PrimaryKey"_s);
    ASSERT_TRUE(primary);
    EXPECT_TRUE(primary->primary);
    EXPECT_EQ(primary->columns.front().name, u"OrderID"_s);
    EXPECT_EQ(orders->columns[orders->columnIndex(u"CustomerID"_s)].size, 5);
    ASSERT_TRUE(orders->index(u"CustomerID"_s));
    EXPECT_FALSE(orders->index(u"CustomerID"_s)->unique);

    const std::optional<TableSchema> customers = readTableSchema(db, u"Customers"_s);
    const ColumnSchema& company = customers->columns[customers->columnIndex(u"CompanyName"_s)];
    EXPECT_FALSE(company.nullable);
    EXPECT_TRUE(company.zeroLengthChecked);
    EXPECT_FALSE(company.allowZeroLength);

    const std::optional<TableSchema> lines = readTableSchema(db, u"Order Details"_s);
    const KeySchema* toOrders = lines->key(u"OrdersOrder Details"_s);
    ASSERT_TRUE(toOrders);
    EXPECT_EQ(toOrders->kind, KeySchema::Kind::Foreign);
    EXPECT_EQ(toOrders->relatedTable, u"Orders"_s);
    EXPECT_EQ(toOrders->onDelete, ReferentialAction::Cascade);
    EXPECT_EQ(toOrders->onUpdate, ReferentialAction::NoAction);
    EXPECT_EQ(orders->key(u"CustomersOrders"_s)->onUpdate, ReferentialAction::Cascade);

    // The same table made by Jet SQL DDL is described the same way.
    m_db->connection().execute(
        u"CREATE TABLE ShippersAgain (ShipperID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
        u"CompanyName TEXT(40) NOT NULL, Phone TEXT(24))"_s);
    const std::optional<TableSchema> imported = readTableSchema(db, u"Shippers"_s);
    const std::optional<TableSchema> made = readTableSchema(db, u"ShippersAgain"_s);
    ASSERT_EQ(imported->columns.size(), made->columns.size());
    for (qsizetype i = 0; i < made->columns.size(); ++i) {
        SCOPED_TRACE(made->columns[i].name.toStdString());
        EXPECT_EQ(imported->columns[i].type, made->columns[i].type);
        EXPECT_EQ(imported->columns[i].size, made->columns[i].size);
        EXPECT_EQ(imported->columns[i].nullable, made->columns[i].nullable);
        EXPECT_EQ(imported->columns[i].autoIncrement, made->columns[i].autoIncrement);
    }
    EXPECT_EQ(imported->primaryIndex()->name, made->primaryIndex()->name);
    EXPECT_EQ(imported->primaryIndex()->sqliteName.isEmpty(),
              made->primaryIndex()->sqliteName.isEmpty());
}

TEST_P(Northwind, RulesHoldOnTheImportedTables)
{
    Connection& c = m_db->connection();
    c.execute(u"INSERT INTO Orders (CustomerID, EmployeeID) VALUES ('ALFKI', 1)"_s);
    EXPECT_EQ(m_db->scalar(u"SELECT Max(OrderID) FROM Orders"_s).toLong(), 11078);

    const qint64 linesBefore = count(u"Order Details"_s);
    const qint64 linesOfOrder =
        m_db->scalar(u"SELECT Count(*) FROM [Order Details] WHERE OrderID = 10248"_s).toLong();
    ASSERT_GT(linesOfOrder, 0);
    c.execute(u"DELETE FROM Orders WHERE OrderID = 10248"_s);
    EXPECT_EQ(count(u"Order Details"_s), linesBefore - linesOfOrder);

    EXPECT_THROW(c.execute(u"INSERT INTO [Order Details] (OrderID, ProductID, UnitPrice, "
                           u"Quantity, Discount) VALUES (1, 1, 1, 1, 0)"_s),
                 vb::Error);
    EXPECT_THROW(c.execute(u"INSERT INTO Customers (CustomerID) VALUES ('ZZZZZ')"_s), vb::Error);
    const qint64 ordersOfAlfki =
        m_db->scalar(u"SELECT Count(*) FROM Orders WHERE CustomerID = 'ALFKI'"_s).toLong();
    c.execute(u"UPDATE Customers SET CustomerID = 'ALFKX' WHERE CustomerID = 'ALFKI'"_s);
    EXPECT_EQ(m_db->scalar(u"SELECT Count(*) FROM Orders WHERE CustomerID = 'ALFKX'"_s).toLong(),
              ordersOfAlfki);
}

// The Jet file's stored queries, carried over by the import, run on its tables; a query that
// lists a whole table gives the count mdb-sql takes from the Jet file.
TEST_P(Northwind, StoredQueriesOfTheFileRunOnTheImportedTables)
{
    const QList<SavedQuery> queries = savedQueries(m_file);
    ASSERT_FALSE(queries.isEmpty());
    static const QRegularExpression wholeTable(
        u"^SELECT (DISTINCTROW )?\\*\\s+FROM (\\w+);\\s*$"_s);
    int ran = 0;
    int checkedWithMdbSql = 0;
    std::map<QString, qint64> counts;
    QStringList leftBehind;
    for (const QueryLeftBehind& query : m_db->report().queriesLeftBehind) {
        leftBehind.append(query.name);
    }
    for (const SavedQuery& query : queries) {
        if ((query.type != u"SELECT"_s && query.type != u"UNION"_s) ||
            query.sql.contains(u"PARAMETERS"_s) || query.sql.contains(u"Forms"_s) ||
            query.name.startsWith(u'~') || leftBehind.contains(query.name)) {
            continue;
        }
        SCOPED_TRACE(query.name.toStdString());
        const qint64 rows =
            m_db->scalar(u"SELECT Count(*) FROM ["_s + query.name + u"]"_s).toLong();
        counts[query.name] = rows;
        ++ran;
        const QRegularExpressionMatch match = wholeTable.match(query.sql.trimmed());
        if (match.hasMatch()) {
            EXPECT_EQ(rows, mdbSqlCount(m_file, match.captured(2)));
            ++checkedWithMdbSql;
        }
    }
    EXPECT_GE(ran, 12);
    // What the simple ones promise, from the rows mdb-export reads.
    const ExportedTable products = mdbExport(m_file, u"Products"_s);
    qint64 current = 0;
    for (const ExportedRow& row : products.rows) {
        current += row[column(products, u"Discontinued"_s)] == u"0"_s ? 1 : 0;
    }
    EXPECT_EQ(counts[u"Current Product List"_s], current);
    EXPECT_EQ(counts[u"Alphabetical List of Products"_s], current);
    EXPECT_EQ(counts[u"Order Details Extended"_s], 2155);
    EXPECT_EQ(counts[u"Order Subtotals"_s], 830);
    EXPECT_EQ(counts[u"Orders Qry"_s], 830);
    // TOP 10 with DISTINCTROW: the ten highest prices mdb-export reads.
    std::vector<qint64> prices;
    for (const ExportedRow& row : products.rows) {
        prices.push_back(tenThousandths(*row[column(products, u"UnitPrice"_s)]));
    }
    std::sort(prices.rbegin(), prices.rend());
    ResultSet top = m_db->connection().execute(
        u"SELECT UnitPrice FROM [Ten Most Expensive Products] ORDER BY UnitPrice DESC"_s);
    for (std::size_t i = 0; i < 10; ++i, top.moveNext()) {
        ASSERT_FALSE(top.eof());
        EXPECT_EQ(engineTenThousandths(top.value(0)), prices[i]);
    }
    EXPECT_TRUE(top.eof());
    std::set<QString> places;
    for (const QString& table : {u"Customers"_s, u"Suppliers"_s}) {
        const ExportedTable rows = mdbExport(m_file, table);
        for (const ExportedRow& row : rows.rows) {
            places.insert(table + row[column(rows, u"City"_s)].value_or(QString()) + u"|"_s +
                          row[column(rows, u"CompanyName"_s)].value_or(QString()) + u"|"_s +
                          row[column(rows, u"ContactName"_s)].value_or(QString()));
        }
    }
    EXPECT_EQ(counts[u"Customers and Suppliers by City"_s], static_cast<qint64>(places.size()));
    RecordProperty("queries_run", ran);
    RecordProperty("checked_with_mdb_sql", checkedWithMdbSql);
}

INSTANTIATE_TEST_SUITE_P(Files, Northwind,
                         testing::Values("nwind.mdb", "GabrielLogue_Northwind.mdb"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param[0] == 'n' ? "Jet3" : "Jet4");
                         });

} // namespace
} // namespace jet::importer::test
