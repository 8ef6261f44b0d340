// Jet's expression semantics on SQLite: truth values, Null rules of the operators, text
// comparison, Like, and the query forms host SQL uses.

#include "TestDatabase.h"

#include <cmath>
#include <gtest/gtest.h>

namespace jet::test {
namespace {

class Semantics : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.exec(R"(
            CREATE TABLE t (id INTEGER PRIMARY KEY, n INTEGER, r REAL, s TEXT COLLATE JET,
                flag INTEGER);
            INSERT INTO t VALUES (1, 10, 2.5, 'Apple', -1), (2, 3, NULL, 'banana', 0),
                (3, NULL, -1.5, NULL, -1), (4, 7, 0.5, 'cherry', 0), (5, 10, 4, 'APPLE', 0);
            CREATE TABLE u (id INTEGER, tag TEXT COLLATE JET);
            INSERT INTO u VALUES (1, 'x'), (1, 'y'), (4, 'z');
        )");
    }

    // The one value of a Jet expression evaluated over the row with this id.
    QString eval(const QString& expression, int id = 1)
    {
        const auto rows =
            db.run(QStringLiteral("SELECT %1 FROM t WHERE id = %2").arg(expression).arg(id));
        return rows.size() == 1 ? rows.front().front() : QStringLiteral("<no row>");
    }

    QStringList ids(const QString& jet)
    {
        QStringList out;
        for (const Row& row : db.run(jet))
            out.append(row.front());
        return out;
    }

    TestDatabase db;
};

TEST_F(Semantics, ComparisonsAndBooleansAreMinusOneAndZero)
{
    EXPECT_EQ(eval("n = 10"), "-1");
    EXPECT_EQ(eval("n > 10"), "0");
    EXPECT_EQ(eval("True"), "-1");
    EXPECT_EQ(eval("No"), "0");
    EXPECT_EQ(eval("n Is Null", 3), "-1");
    EXPECT_EQ(eval("s Is Not Null", 3), "0");
    EXPECT_EQ(eval("n = 10", 3), "NULL");
    EXPECT_EQ(eval("n Between 5 And 10"), "-1");
    EXPECT_EQ(eval("n In (1, 2, 10)"), "-1");
    EXPECT_EQ(eval("Exists (SELECT * FROM u WHERE u.id = t.id)"), "-1");
    EXPECT_EQ(eval("Exists (SELECT * FROM u WHERE u.id = t.id)", 2), "0");
    EXPECT_EQ(eval("s Like 'a*'"), "-1");
    EXPECT_EQ(eval("s Not Like 'a*'"), "0");
    EXPECT_EQ(eval("s = 'APPLE'"), "-1"); // text compares without regard to case
    // Jet reads "x <> Null" as "x Is Not Null", but "Null <> x" and "x = Null" stay Null.
    EXPECT_EQ(eval("4 <> Null"), "-1");
    EXPECT_EQ(eval("n <> Null", 3), "0");
    EXPECT_EQ(eval("Null <> 4"), "NULL");
    EXPECT_EQ(eval("4 = Null"), "NULL");
    EXPECT_EQ(ids("SELECT id FROM t WHERE n <> Null ORDER BY id"),
              ids("SELECT id FROM t WHERE n Is Not Null ORDER BY id"));
}

TEST_F(Semantics, LogicalOperatorsAreLogicalNeverBitwise)
{
    // Jet has no bitwise operators: any non-zero number is True and the answer is -1, 0 or Null.
    EXPECT_EQ(eval("Not flag"), "0");
    EXPECT_EQ(eval("Not 5"), "0");
    EXPECT_EQ(eval("Not 0"), "-1");
    EXPECT_EQ(eval("Not 0.25"), "0");
    EXPECT_EQ(eval("(n = 10) And (r > 1)"), "-1");
    EXPECT_EQ(eval("12 And 3"), "-1");
    EXPECT_EQ(eval("12 Or 3"), "-1");
    EXPECT_EQ(eval("0 Or 0"), "0");
    EXPECT_EQ(eval("5 Xor 4"), "0");
    EXPECT_EQ(eval("5 Xor 0"), "-1");
    EXPECT_EQ(eval("5 Eqv 3"), "-1");
    EXPECT_EQ(eval("2 Imp 0"), "0");
    EXPECT_EQ(eval("True Xor True"), "0");
    EXPECT_EQ(eval("False Eqv False"), "-1");
    EXPECT_EQ(eval("True Imp False"), "0");
    EXPECT_EQ(eval("(n = 1) And False", 3), "0");   // Null And False
    EXPECT_EQ(eval("(n = 1) Or True", 3), "-1");    // Null Or True
    EXPECT_EQ(eval("(n = 1) And True", 3), "NULL"); // Null And True
    EXPECT_EQ(eval("37 Or Null"), "-1");
    EXPECT_EQ(eval("Null Or 0"), "NULL");
    EXPECT_EQ(eval("37 And Null"), "NULL");
    EXPECT_EQ(eval("0 And Null"), "0");
    EXPECT_EQ(eval("False Imp (n = 1)", 3), "-1");
    EXPECT_EQ(eval("Not (n = 1)", 3), "NULL");
    // A value and a condition agree on what is true.
    EXPECT_EQ(ids("SELECT id FROM t WHERE (n And 2) ORDER BY id"),
              ids("SELECT id FROM t WHERE "
                  "(n And 2) = True ORDER BY id"));
    // In WHERE they are conditions and keep SQL's short-circuit meaning.
    EXPECT_EQ(ids("SELECT id FROM t WHERE Not (n = 10) Or s Is Null ORDER BY id"),
              (QStringList{"2", "3", "4"}));
    EXPECT_EQ(ids("SELECT id FROM t WHERE flag Xor (n > 5) ORDER BY id"), (QStringList{"4", "5"}));
    // Yes is Jet's name for True, even where a field of that name is meant.
    EXPECT_EQ(ids("SELECT id FROM t WHERE yes Xor (n > 5) ORDER BY id"), QStringList{"2"});
}

TEST_F(Semantics, ArithmeticAndConcatenation)
{
    EXPECT_EQ(eval("n / 4"), "2.5"); // always a real division
    EXPECT_EQ(eval("n \\ 4"), "2");
    EXPECT_EQ(eval("-7 \\ 2"), "-3");
    EXPECT_EQ(eval("n Mod 4"), "2");
    EXPECT_EQ(eval("-7 Mod 3"), "-1");
    EXPECT_EQ(eval("7.5 Mod 2"), "0"); // 7.5 rounds to 8 first
    EXPECT_EQ(eval("2 ^ 10"), "1024");
    EXPECT_EQ(eval("-2 ^ 2"), "4"); // in Jet a sign binds tighter than ^
    EXPECT_EQ(eval("2 ^ -1"), "0.5");
    EXPECT_EQ(eval("2 + 3 * 4 - 1"), "13");
    EXPECT_EQ(eval("10 - 2 - 3"), "5");
    EXPECT_EQ(eval("s & '-' & n"), "Apple-10");
    EXPECT_EQ(eval("s & n", 3), "NULL"); // both Null
    EXPECT_EQ(eval("'[' & s & ']'", 3), "[]");
    EXPECT_EQ(eval("s + 'x'"), "Applex"); // + between texts concatenates
    EXPECT_EQ(eval("'5' + n"), "15");     // a numeric text adds
    EXPECT_EQ(eval("r + n"), "12.5");
    EXPECT_EQ(eval("9223372036854775807 + n"), "9.22337203685478e+18"); // no wrap-around
    EXPECT_EQ(eval("s + 1", 3), "NULL");
    EXPECT_EQ(eval("&H1F + &O10"), "39");
    EXPECT_EQ(eval("&HFFFF"), "-1"); // VB's 16-bit form
    EXPECT_EQ(eval("&H10000"), "65536");
    EXPECT_EQ(eval("&HFFFFFFFF"), "-1");
    EXPECT_THROW(translate(QStringLiteral("SELECT &H100000000 FROM t")), SqlSyntaxError);
    EXPECT_THROW(translate(QStringLiteral("SELECT &HCCCCCCCCCCCCCCCCCCCCCCC FROM t")),
                 SqlSyntaxError);
}

TEST_F(Semantics, RunTimeErrorsReachTheStatement)
{
    // Division by zero is an error in Jet, not a silent Null.
    EXPECT_THROW(db.run("SELECT n / 0 FROM t"), std::runtime_error);
    EXPECT_THROW(db.run("SELECT n Mod 0 FROM t"), std::runtime_error);
    EXPECT_THROW(db.run("SELECT s + 1 FROM t WHERE id = 1"), std::runtime_error); // type mismatch
    EXPECT_EQ(eval("s Like '[a'"), "0"); // a pattern Jet cannot read matches nothing
    // The statement fails with VB's own description of the error.
    try {
        db.run("SELECT 1 \\ (n - n) FROM t WHERE id = 1");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("Division by zero")))
            << e.what();
    }
}

TEST_F(Semantics, VbFunctionsReplaceSqliteBuiltInsOfTheSameName)
{
    EXPECT_EQ(eval("Round(2.5)"), "2"); // VB rounds half to even; SQLite's round gives 3.0
    EXPECT_EQ(eval("Replace('a-b-c', '-', '+')"), "a+b+c");
}

TEST_F(Semantics, IIfAndFunctionsWithDollarNames)
{
    EXPECT_EQ(eval("IIf(n > 5, 'big', 'small')", 2), "small");
    EXPECT_EQ(eval("IIf(n > 5, 'big')", 2), "NULL");
    EXPECT_EQ(eval("IIf(n > 5, 'big', 'small')", 3), "small"); // a Null test is False
    EXPECT_EQ(eval("Left$(s, 3) & Right(s, 2)"), "Apple");
    EXPECT_EQ(eval("UCase$(Left(s, 1)) = 'a'"), "-1");
    EXPECT_EQ(eval("Nz(n, 0)", 3), "0");
}

TEST_F(Semantics, AggregatesFirstLastAndGrouping)
{
    EXPECT_EQ(db.run("SELECT Count(*), Count(n), Sum(n), Min(s), Max(s), Avg(n) FROM t"),
              (QList<Row>{{"5", "4", "30", "Apple", "cherry", "7.5"}}));
    EXPECT_EQ(db.run("SELECT First(s), Last(s) FROM (SELECT s FROM t ORDER BY id)"),
              (QList<Row>{{"Apple", "APPLE"}}));
    // GROUP BY and DISTINCT follow the case-insensitive comparison of text columns.
    EXPECT_EQ(db.run("SELECT s, Count(*) AS c FROM t WHERE s Is Not Null GROUP BY s HAVING "
                     "Count(*) > 1"),
              (QList<Row>{{"Apple", "2"}}));
    EXPECT_EQ(db.run("SELECT DISTINCT s FROM t WHERE s Like 'A*'").size(), 1);
    EXPECT_EQ(db.run("SELECT StDev(n), VarP(n) FROM t WHERE id In (1, 2)"),
              (QList<Row>{{QString::number(std::sqrt(24.5), 'g', 15), "12.25"}}));
}

TEST_F(Semantics, QueryForms)
{
    EXPECT_EQ(ids("SELECT TOP 2 id FROM t ORDER BY n DESC, id"), (QStringList{"1", "5"}));
    EXPECT_EQ(ids("SELECT TOP 50 PERCENT id FROM t ORDER BY id"), (QStringList{"1", "2", "3"}));
    // TOP keeps the rows tied with the last one, as Jet does.
    EXPECT_EQ(db.run("SELECT TOP 1 s AS Name, n FROM t ORDER BY n DESC").size(), 2);
    EXPECT_EQ(ids("SELECT TOP 2 id, n FROM t ORDER BY n"), (QStringList{"3", "2"}));
    EXPECT_EQ(ids("SELECT TOP 3 n FROM t GROUP BY n ORDER BY Count(*) DESC, n").first(), "10");
    EXPECT_EQ(ids("SELECT DISTINCT TOP 1 n FROM t ORDER BY n DESC"), QStringList{"10"});
    EXPECT_EQ(ids("SELECT id FROM t WHERE id In (SELECT id FROM u;) ORDER BY id"),
              (QStringList{"1", "4"}));
    EXPECT_EQ(ids("SELECT id FROM t WHERE id Not In (SELECT id FROM u) And n Not Between 1 "
                  "And 5 ORDER BY id"),
              (QStringList{"5"}));
    EXPECT_EQ(ids("SELECT id FROM t UNION SELECT id FROM u ORDER BY id DESC"),
              (QStringList{"5", "4", "3", "2", "1"}));
    EXPECT_EQ(ids("SELECT id FROM u UNION ALL SELECT id FROM u WHERE tag = 'Z'").size(), 4);
    EXPECT_EQ(ids("SELECT t.id FROM t LEFT JOIN u ON t.id = u.id WHERE u.tag Is Null "
                  "ORDER BY t.id"),
              (QStringList{"2", "3", "5"}));
    EXPECT_EQ(ids("SELECT t.id FROM u RIGHT JOIN t ON t.id = u.id ORDER BY t.id").size(), 6);
    EXPECT_EQ(ids("SELECT [t].* FROM t AS [t] WHERE [t].[id] = 2").size(), 1);
    EXPECT_EQ(db.run("SELECT id FROM t WHERE s Like '[a-b]*' AND s Like '*[!x]' ORDER BY id"),
              (QList<Row>{{"1"}, {"2"}, {"5"}}));
}

TEST_F(Semantics, SelectListAliasesUsedLaterInTheList)
{
    EXPECT_EQ(db.run("SELECT n * 2 AS d, d + 1 AS e, e & '!' AS f FROM t WHERE id = 1 ORDER BY e"),
              (QList<Row>{{"20", "21", "21!"}}));
    const auto withStar = db.run("SELECT *, n * 2 AS d, d + 1 AS e FROM t WHERE id = 1");
    ASSERT_EQ(withStar.size(), 1);
    EXPECT_EQ(withStar[0].size(), 7);
    EXPECT_EQ(withStar[0].mid(5), (Row{"20", "21"}));
    EXPECT_EQ(db.run("SELECT t.n AS a, a + u.id AS b FROM t INNER JOIN u ON t.id = u.id WHERE "
                     "u.tag = 'z'"),
              (QList<Row>{{"7", "11"}}));
    EXPECT_EQ(db.run("SELECT Sum(n) AS s, s / 2 AS h FROM t"), (QList<Row>{{"30", "15"}}));
    // An alias naming a field of its own expression is that field.
    EXPECT_EQ(db.run("SELECT n + 1 AS n FROM t WHERE id = 2"), (QList<Row>{{"4"}}));
}

TEST_F(Semantics, ColumnsAreNamedAsJetNamesThem)
{
    sqlite3_stmt* raw = nullptr;
    const QByteArray sql =
        translate(QStringLiteral("SELECT t.id, u.id, n * 2, s AS Name, Count(*) FROM t INNER "
                                 "JOIN u ON t.id = u.id GROUP BY t.id, u.id, n, s"))
            .sqlite.toUtf8();
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), sql.constData(), -1, &raw, nullptr), SQLITE_OK);
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(raw); ++i)
        names.append(QString::fromUtf8(sqlite3_column_name(raw, i)));
    sqlite3_finalize(raw);
    EXPECT_EQ(names, (QStringList{"t.id", "u.id", "Expr1000", "Name", "Expr1001"}));
}

TEST_F(Semantics, InsertUpdateDeleteForms)
{
    db.run("INSERT INTO u (id, tag) VALUES (9, \"new\")");
    db.run("INSERT INTO u SELECT id, s FROM t WHERE id = 2");
    db.run("PARAMETERS x Long, y Long; INSERT INTO u (tag, id) SELECT 'p' & [x], [y];", {7, 8});
    // A name that is no field must not quietly become a text: SQLite's legacy reading of
    // "x" as 'x' is off on Jet connections.
    EXPECT_THROW(db.run("INSERT INTO u (tag, id) SELECT [x], 1"), std::runtime_error);
    EXPECT_EQ(db.query("SELECT id, tag FROM u WHERE id > 1 ORDER BY id"),
              (QList<Row>{{"2", "banana"}, {"4", "z"}, {"8", "p7"}, {"9", "new"}}));
    db.run("UPDATE t INNER JOIN u ON t.id = u.id SET t.s = t.s & '+' & u.tag WHERE u.tag <> 'y'");
    EXPECT_EQ(db.changes(), 3);
    EXPECT_EQ(db.query("SELECT s FROM t WHERE id IN (1, 2, 3, 4) ORDER BY id"),
              (QList<Row>{{"Apple+x"}, {"banana+banana"}, {"NULL"}, {"cherry+z"}}));
    db.run("DELETE t.* FROM t INNER JOIN u ON t.id = u.id WHERE u.tag = 'X'");
    EXPECT_EQ(db.changes(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM t WHERE id = 1"), "0");
    db.run("DELETE FROM t AS x WHERE x.id = 2");
    EXPECT_EQ(db.changes(), 1);
    db.run("SELECT * INTO t2 FROM t WHERE n > 5");
    EXPECT_EQ(db.value("SELECT count(*) FROM t2"), "2");
}

TEST_F(Semantics, ParametersBindInTheirListedOrder)
{
    const QString sql = QStringLiteral(
        "PARAMETERS [Low] Long, [High] Long; SELECT id FROM t WHERE n Between [Low] And [High] "
        "And s Like [Forms]![Find]![Pattern] ORDER BY id");
    const TranslatedStatement t = translate(sql);
    ASSERT_EQ(t.parameters, (QStringList{"Low", "High", "Forms!Find!Pattern"}));
    EXPECT_EQ(db.run(sql, {5, 10, "*e*"}), (QList<Row>{{"1"}, {"4"}, {"5"}}));
}

} // namespace
} // namespace jet::test
