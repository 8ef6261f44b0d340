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

QDir accessDataDir()
{
    return QDir(QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR")) +
                QStringLiteral("/../shared/testdata/access"));
}

const char* northwindSchema = R"(
    CREATE TABLE Categories (CategoryID INTEGER, CategoryName TEXT COLLATE JET,
        Description TEXT COLLATE JET, Picture BLOB);
    CREATE TABLE Products (ProductID INTEGER, ProductName TEXT COLLATE JET, SupplierID INTEGER,
        CategoryID INTEGER, QuantityPerUnit TEXT COLLATE JET, UnitPrice REAL,
        UnitsInStock INTEGER, UnitsOnOrder INTEGER, ReorderLevel INTEGER, Discontinued INTEGER);
    CREATE TABLE Orders (OrderID INTEGER, CustomerID TEXT COLLATE JET, EmployeeID INTEGER,
        OrderDate REAL, RequiredDate REAL, ShippedDate REAL, ShipVia INTEGER, Freight REAL,
        ShipName TEXT, ShipAddress TEXT, ShipCity TEXT, ShipRegion TEXT, ShipPostalCode TEXT,
        ShipCountry TEXT);
    CREATE TABLE "Order Details" (OrderID INTEGER, ProductID INTEGER, UnitPrice REAL,
        Quantity INTEGER, Discount REAL);
    CREATE TABLE Customers (CustomerID TEXT COLLATE JET, CompanyName TEXT, ContactName TEXT,
        ContactTitle TEXT, Address TEXT, City TEXT, Region TEXT, PostalCode TEXT, Country TEXT,
        Phone TEXT, Fax TEXT);
    CREATE TABLE Suppliers (SupplierID INTEGER, CompanyName TEXT, ContactName TEXT,
        ContactTitle TEXT, Address TEXT, City TEXT, Region TEXT, PostalCode TEXT, Country TEXT,
        Phone TEXT, Fax TEXT, HomePage TEXT);
    CREATE TABLE Employees (EmployeeID INTEGER, LastName TEXT, FirstName TEXT, Country TEXT);
    CREATE TABLE Shippers (ShipperID INTEGER, CompanyName TEXT);
)";

// The Northwind queries against the tables they name, each stored query they use expanded
// from the same file: SQLite accepts every translated SELECT (names resolve, functions exist,
// nested joins and unions are valid SQLite).
TEST(AccessStoredQueries, NorthwindSelectsPrepare)
{
    const QDir dir = accessDataDir();
    if (qgetenv("QV_SOURCE_DIR").isEmpty() || !dir.exists())
        GTEST_SKIP() << "no shared/testdata/access beside the source tree";
    int prepared = 0;
    for (const char* name : {"nwind.mdb.queries.sql", "statdata_Northwind.mdb.queries.sql",
                             "GabrielLogue_Northwind.mdb.queries.sql"}) {
        const QList<StoredQuery> queries = readQueries(dir.filePath(QString::fromUtf8(name)));
        ASSERT_FALSE(queries.isEmpty()) << name;
        TranslateOptions options;
        options.storedQuery = [&](const QString& table) -> std::optional<QString> {
            for (const StoredQuery& q : queries)
                if (q.name.compare(table, Qt::CaseInsensitive) == 0)
                    return q.sql;
            return std::nullopt;
        };
        jet::test::TestDatabase db;
        db.exec(QString::fromUtf8(northwindSchema));
        for (const StoredQuery& q : queries) {
            // Crosstabs, and form-bound queries reading a crosstab, are refused.
            if (q.type != u"SELECT" && q.type != u"UNION")
                continue;
            if (q.sql.contains(QStringLiteral("Quarterly Orders by Product")))
                continue;
            const std::string where = (q.name + u'\n' + q.sql).toStdString();
            try {
                const TranslatedStatement t = translate(q.sql, options);
                const QByteArray sql = t.sqlite.toUtf8();
                sqlite3_stmt* statement = nullptr;
                const int rc = sqlite3_prepare_v2(db.handle(), sql.constData(), int(sql.size()),
                                                  &statement, nullptr);
                sqlite3_finalize(statement);
                EXPECT_EQ(rc, SQLITE_OK) << where << "\n"
                                         << sqlite3_errmsg(db.handle()) << "\n"
                                         << sql.toStdString();
                ++prepared;
            } catch (const vb::Error& e) {
                ADD_FAILURE() << where << ": " << e.description().toStdString();
            }
        }
    }
    std::printf("Northwind queries prepared by SQLite: %d\n", prepared);
    EXPECT_GE(prepared, 60);
}

} // namespace
} // namespace jet
