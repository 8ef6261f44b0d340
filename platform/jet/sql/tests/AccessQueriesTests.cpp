// Stored queries of public Access databases, as Access saved them: real Jet SQL nobody here
// wrote. Every one must translate, except crosstab queries (refused as not supported) and
// pass-through queries (the text of another server, never translated).

#include "JetSql.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace jet {
namespace {

struct StoredQuery
{
    QString file;
    QString name;
    QString type;
    QString sql;
};

QList<StoredQuery> readQueries(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression header(QStringLiteral(R"(^## (.*)\t\[(\w+)\]$)"));
    QList<StoredQuery> queries;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        const auto m = header.match(line);
        if (m.hasMatch()) {
            queries.append({QFileInfo(path).fileName(), m.captured(1), m.captured(2), {}});
        } else if (!queries.isEmpty() && !line.startsWith(u'#')) {
            queries.last().sql += line + u'\n';
        }
    }
    return queries;
}

TEST(AccessStoredQueries, AllTranslateExceptCrosstabAndPassThrough)
{
    const QByteArray source = qgetenv("QV_SOURCE_DIR");
    const QDir dir(QString::fromLocal8Bit(source) + QStringLiteral("/../shared/testdata/access"));
    if (source.isEmpty() || !dir.exists())
        GTEST_SKIP() << "no shared/testdata/access beside the source tree ("
                     << dir.absolutePath().toStdString() << ")";
    int translated = 0;
    int refused = 0;
    int passThrough = 0;
    const QStringList files = dir.entryList({QStringLiteral("*.queries.sql")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        for (const StoredQuery& q : readQueries(dir.filePath(name))) {
            const std::string where = (q.file + u'/' + q.name).toStdString();
            if (q.type == u"PASSTHROUGH") {
                ++passThrough;
                continue;
            }
            if (q.type == u"CROSS_TAB") {
                try {
                    translate(q.sql);
                    ADD_FAILURE() << where << ": crosstab accepted";
                } catch (const SqlSyntaxError& e) {
                    ADD_FAILURE() << where << ": " << e.description().toStdString();
                } catch (const vb::Error& e) {
                    EXPECT_TRUE(e.description().contains(QStringLiteral("not supported")));
                    ++refused;
                }
                continue;
            }
            try {
                const TranslatedStatement t = translate(q.sql);
                EXPECT_FALSE(t.sqlite.isEmpty() && t.ddl.action == DdlStatement::Action::None)
                    << where;
                ++translated;
            } catch (const vb::Error& e) {
                ADD_FAILURE() << where << ": " << e.description().toStdString();
            }
        }
    }
    EXPECT_GE(translated, 100);
    RecordProperty("translated", translated);
    std::printf("stored queries: %d translated, %d crosstab refused, %d pass-through skipped\n",
                translated, refused, passThrough);
}

// The Northwind query texts against the tables they name: SQLite accepts every translated
// SELECT (names resolve, the functions exist).
TEST(AccessStoredQueries, NorthwindSelectsPrepare)
{
    jet::test::TestDatabase db;
    db.exec(R"(
        CREATE TABLE Categories (CategoryID INTEGER, CategoryName TEXT COLLATE JET,
            Description TEXT COLLATE JET, Picture BLOB);
        CREATE TABLE Products (ProductID INTEGER, ProductName TEXT COLLATE JET,
            SupplierID INTEGER, CategoryID INTEGER, QuantityPerUnit TEXT COLLATE JET,
            UnitPrice REAL, UnitsInStock INTEGER, UnitsOnOrder INTEGER, ReorderLevel INTEGER,
            Discontinued INTEGER);
        CREATE TABLE Orders (OrderID INTEGER, CustomerID TEXT COLLATE JET, EmployeeID INTEGER,
            OrderDate REAL, RequiredDate REAL, ShippedDate REAL, ShipVia INTEGER, Freight REAL,
            ShipName TEXT, ShipAddress TEXT, ShipCity TEXT, ShipRegion TEXT,
            ShipPostalCode TEXT, ShipCountry TEXT);
        CREATE TABLE "Order Details" (OrderID INTEGER, ProductID INTEGER, UnitPrice REAL,
            Quantity INTEGER, Discount REAL);
        CREATE TABLE Customers (CustomerID TEXT COLLATE JET, CompanyName TEXT, ContactName TEXT,
            ContactTitle TEXT, Address TEXT, City TEXT, Region TEXT, PostalCode TEXT,
            Country TEXT, Phone TEXT, Fax TEXT);
        CREATE TABLE Suppliers (SupplierID INTEGER, CompanyName TEXT, ContactName TEXT,
            ContactTitle TEXT, Address TEXT, City TEXT, Region TEXT, PostalCode TEXT,
            Country TEXT, Phone TEXT, Fax TEXT, HomePage TEXT);
        CREATE TABLE Employees (EmployeeID INTEGER, LastName TEXT, FirstName TEXT, Country TEXT);
        CREATE TABLE Shippers (ShipperID INTEGER, CompanyName TEXT);
    )");
    const char* queries[] = {
        "SELECT DISTINCTROW [Order Details].OrderID, Sum(CCur([UnitPrice]*[Quantity]*(1-[Discount])"
        "/100)*100) AS Subtotal FROM [Order Details] GROUP BY [Order Details].OrderID;",
        "SELECT City, CompanyName, ContactName, \"Customers\" AS [Relationship] FROM Customers "
        "UNION SELECT City, CompanyName, ContactName, \"Suppliers\" FROM Suppliers ORDER BY "
        "City, CompanyName;",
        "SELECT DISTINCTROW Products.ProductName, Products.UnitPrice FROM Products WHERE "
        "(((Products.UnitPrice)>(SELECT AVG([UnitPrice]) From Products))) ORDER BY "
        "Products.UnitPrice DESC;",
        "SELECT DISTINCTROW Customers.CustomerID, Customers.CompanyName, Customers.City, "
        "Customers.Country FROM Customers RIGHT JOIN Orders ON Customers.CustomerID = "
        "Orders.CustomerID WHERE (((Orders.OrderDate) Between #1/1/95# And #12/31/95#));",
        "SELECT TOP 10 Products.ProductName AS TenMostExpensiveProducts, Products.UnitPrice "
        "FROM Products ORDER BY Products.UnitPrice DESC;",
        "SELECT Employees.EmployeeID, [LastName] & \", \" & [FirstName] AS ReportsTo FROM "
        "Employees ORDER BY Employees.LastName, Employees.FirstName;",
        "SELECT \"aSupplierList.Add(new Supplier(\" & Suppliers.SupplierID AS Expr1, +\", \"\"\""
        "+Suppliers.CompanyName AS Expr2, + \"\"\"));\" FROM Suppliers;",
        "SELECT DISTINCTROW Orders.ShipName, Orders.ShipAddress, [FirstName] & \" \" & "
        "[LastName] AS Salesperson, Shippers.CompanyName, [Order Details].ProductID, "
        "CCur([Order Details].[UnitPrice]*[Quantity]*(1-[Discount])/100)*100 AS ExtendedPrice "
        "FROM Shippers INNER JOIN (Products INNER JOIN ((Employees INNER JOIN (Customers INNER "
        "JOIN Orders ON Customers.CustomerID = Orders.CustomerID) ON Employees.EmployeeID = "
        "Orders.EmployeeID) INNER JOIN [Order Details] ON Orders.OrderID = [Order "
        "Details].OrderID) ON Products.ProductID = [Order Details].ProductID) ON "
        "Shippers.ShipperID = Orders.ShipVia;",
    };
    for (const char* jet : queries) {
        EXPECT_NO_THROW(db.run(QString::fromUtf8(jet))) << jet;
    }
}

} // namespace
} // namespace jet
