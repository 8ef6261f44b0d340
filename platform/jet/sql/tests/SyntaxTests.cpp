// Parsing: where syntax errors are reported, what Jet refuses, statement kinds and
// parameters.

#include "JetSql.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

struct ErrorCase
{
    const char* sql;
    int position;
    const char* description; // a part of the description
};

class SyntaxErrorTest : public ::testing::TestWithParam<ErrorCase>
{
};

TEST_P(SyntaxErrorTest, ReportsWhereAndWhat)
{
    const ErrorCase& c = GetParam();
    try {
        translate(QString::fromUtf8(c.sql));
        FAIL() << "accepted: " << c.sql;
    } catch (const SqlSyntaxError& e) {
        EXPECT_EQ(e.number(), -2147217900);
        EXPECT_EQ(e.position, c.position) << c.sql;
        EXPECT_TRUE(e.description().contains(QString::fromUtf8(c.description)))
            << e.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Jet, SyntaxErrorTest,
    ::testing::Values(ErrorCase{"SELECT * FROM", 13, "FROM clause"},
                      ErrorCase{"SELECT a FROM t WHERE (a = 1", 28, "missing operator"},
                      ErrorCase{"SELECT 'abc FROM t", 7, "string"},
                      ErrorCase{"SELECT [abc FROM t", 7, "bracketing"},
                      ErrorCase{"SELECT #13/45/2001# FROM t", 7, "date"},
                      ErrorCase{"SELECT #10/13/2001 FROM t", 7, "date"},
                      ErrorCase{"UPDATE t SET WHERE x=1", 13, "UPDATE statement"},
                      ErrorCase{"SELEC * FROM t", 0, "Invalid SQL statement"},
                      ErrorCase{"SELECT a FROM t; x", 17, "after end of SQL statement"},
                      ErrorCase{"SELECT a FROM t1 INNER JOIN t2 WHERE a = 1", 31, "JOIN operation"},
                      ErrorCase{"SELECT a FROM t1 INNER JOIN t2 ON", 33, "missing operator"},
                      ErrorCase{"INSERT INTO t (a, b) VALUES (1)", 31, "destination fields"},
                      ErrorCase{"INSERT t VALUES (1)", 7, "INSERT INTO"},
                      ErrorCase{"DELETE FROM", 11, "FROM clause"},
                      ErrorCase{"SELECT a FROM t ORDER a", 22, "ORDER BY"},
                      ErrorCase{"SELECT a + FROM t", 11, "missing operator"},
                      ErrorCase{"SELECT a FROM t WHERE a Is 1", 27, "missing operator"},
                      ErrorCase{"SELECT a FROM t WHERE a Between 1", 33, "missing operator"},
                      ErrorCase{"PARAMETERS x; SELECT a FROM t", 11, "PARAMETER clause"},
                      ErrorCase{"PARAMETERS x Wobbly; SELECT a FROM t", 13, "PARAMETER clause"},
                      ErrorCase{"SELECT a ~ b FROM t", 9, "Invalid character"},
                      ErrorCase{"SELECT 12abc FROM t", 9, "missing operator"}));

TEST(SyntaxLimits, DeepNestingIsRefusedNotFatal)
{
    const QString deep = QStringLiteral("SELECT ") + QString(5000, u'(') + u'1' +
                         QString(5000, u')') + QStringLiteral(" FROM t");
    EXPECT_THROW(translate(deep), SqlSyntaxError);
    QString chain = QStringLiteral("SELECT 1");
    for (int i = 0; i < 5000; ++i)
        chain += QStringLiteral(" + 1");
    EXPECT_THROW(translate(chain), SqlSyntaxError);
    QString nots = QStringLiteral("SELECT a FROM t WHERE ");
    for (int i = 0; i < 5000; ++i)
        nots += QStringLiteral("Not ");
    EXPECT_THROW(translate(nots + u'a'), SqlSyntaxError);
}

TEST(SyntaxLimits, AliasChainsCannotExplode)
{
    // Each alias doubles the previous one: inlined naively this grows as 2^n.
    QString sql = QStringLiteral("SELECT 1 AS a0");
    for (int i = 1; i < 64; ++i)
        sql += QStringLiteral(", a%1+a%1 AS a%2").arg(i - 1).arg(i);
    try {
        translate(sql);
        FAIL() << "accepted";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Query is too complex."));
    }
}

TEST(Refusals, CrosstabQueriesAreNotSupported)
{
    try {
        translate(QStringLiteral("TRANSFORM Sum(x) AS s SELECT a FROM t GROUP BY a PIVOT b;"));
        FAIL();
    } catch (const SqlSyntaxError&) {
        FAIL() << "a crosstab is valid Jet, not a syntax error";
    } catch (const vb::Error& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("not supported")));
    }
}

TEST(Refusals, UnknownFunctionsUseJetsMessage)
{
    try {
        translate(QStringLiteral("SELECT Frobnicate([a]) FROM t"));
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.description(),
                  QStringLiteral("Undefined function 'Frobnicate' in expression."));
    }
    EXPECT_THROW(translate(QStringLiteral("SELECT Left$('abc') FROM t")), vb::Error);
    EXPECT_THROW(translate(QStringLiteral("SELECT IIf(a) FROM t")), vb::Error);
    EXPECT_THROW(translate(QStringLiteral("SELECT Sum(*) FROM t")), vb::Error);
}

TEST(Refusals, UpdatingTwoTablesAtOnce)
{
    EXPECT_THROW(
        translate(QStringLiteral("UPDATE a INNER JOIN b ON a.id = b.id SET a.x = 1, b.y = 2")),
        vb::Error);
}

TEST(StatementKinds, FollowTheStatement)
{
    const std::pair<const char*, StatementKind> cases[] = {
        {"SELECT a FROM t", StatementKind::Select},
        {"(SELECT a FROM t) UNION (SELECT b FROM u)", StatementKind::Select},
        {"SELECT a INTO n FROM t", StatementKind::Other},
        {"INSERT INTO t (a) VALUES (1)", StatementKind::Insert},
        {"UPDATE t SET a = 1", StatementKind::Update},
        {"DELETE * FROM t", StatementKind::Delete},
        {"CREATE TABLE t (a LONG)", StatementKind::CreateTable},
        {"ALTER TABLE t ADD COLUMN a LONG", StatementKind::AlterTable},
        {"CREATE INDEX i ON t (a)", StatementKind::CreateIndex},
        {"DROP TABLE t", StatementKind::DropTable},
        {"DROP INDEX i ON t", StatementKind::DropIndex},
    };
    for (const auto& [sql, kind] : cases)
        EXPECT_EQ(translate(QString::fromUtf8(sql)).kind, kind) << sql;
    EXPECT_TRUE(translate(QStringLiteral("DROP TABLE t")).sqlite.isEmpty());
}

TEST(Parameters, FormReferencesAndDeclarationsBecomeNumberedParameters)
{
    const TranslatedStatement t = translate(QStringLiteral(
        "SELECT Invoices.* FROM Invoices WHERE (((Invoices.OrderID)=[Forms]![Orders]![OrderID]))"
        " OR Invoices.OrderID = Forms!orders!OrderID;"));
    EXPECT_EQ(t.parameters, QStringList{QStringLiteral("Forms!Orders!OrderID")});
    EXPECT_EQ(t.sqlite.count(QStringLiteral("?1")), 2);

    const TranslatedStatement declared = translate(QStringLiteral(
        "PARAMETERS [b] Long, Beginning Date DateTime, [pName] Text(255); "
        "SELECT [Beginning Date], [Forms]![F]![C], [pName], b FROM t WHERE x = [b]"));
    EXPECT_EQ(declared.parameters, (QStringList{"b", "Beginning Date", "pName", "Forms!F!C"}));
    EXPECT_EQ(declared.parameterTypes, (QStringList{"Long", "DateTime", "Text(255)", ""}));
    EXPECT_TRUE(declared.sqlite.contains(QStringLiteral("x\" = ?1")));
}

TEST(Parameters, UnknownNamesBecomeParametersWhenTheSchemaIsKnown)
{
    TranslateOptions options;
    options.isKnownName = [](const QString& name) {
        return QStringList{"tblWines", "WineID", "Vintage"}.contains(name, Qt::CaseInsensitive);
    };
    const TranslatedStatement t = translate(
        QStringLiteral("SELECT w.WineID, Vintage AS V, [Which Year] AS Y FROM tblWines AS w "
                       "WHERE w.Vintage = [Which Year] AND Owner.Name = 'x' ORDER BY V"),
        options);
    EXPECT_EQ(t.parameters, (QStringList{"Which Year", "Owner.Name"}));
    // Without the lookup every plain name is a field.
    EXPECT_TRUE(translate(QStringLiteral("SELECT [Which Year] FROM t")).parameters.isEmpty());
}

TEST(Translation, NamesAreQuotedAndLiteralsEscaped)
{
    const QString sql =
        translate(QStringLiteral("SELECT [Order Details].[Unit \"Price\"] AS [My Alias], "
                                 "\"It's \"\"quoted\"\"\" FROM [Order Details]"))
            .sqlite;
    EXPECT_EQ(sql, QStringLiteral("SELECT \"Order Details\".\"Unit \"\"Price\"\"\" AS \"My "
                                  "Alias\", 'It''s \"quoted\"' AS \"Expr1000\" FROM \"Order "
                                  "Details\""));
}

TEST(Translation, DateLiteralsBecomeOleDays)
{
    EXPECT_EQ(
        translate(QStringLiteral("UPDATE WebLinks SET WebLinks.LastModif = #10/13/2001#;")).sqlite,
        QStringLiteral("UPDATE \"WebLinks\" SET \"LastModif\" = 37177"));
    EXPECT_TRUE(translate(QStringLiteral("SELECT #1/2/2003 6:00 PM# FROM t"))
                    .sqlite.contains(QStringLiteral("37623.75")));
}

} // namespace
} // namespace jet
