// The type the translation reports for each result column that SQLite would leave untyped.

#include "JetSql.h"
#include "TestDatabase.h"
#include "vb/Variant.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

QStringList typesOf(const char* sql, const TranslateOptions& options = {})
{
    return translate(QString::fromUtf8(sql), options).resultTypes;
}

TEST(ResultTypes, FunctionsAndLiteralsGiveTheirJetType)
{
    EXPECT_EQ(
        typesOf("SELECT DateSerial(2002, 9, 1), #1/2/2003#, Now(), CDate('1/1/2000'), "
                "DateAdd('d', 1, X), TimeSerial(1, 2, 3) FROM T"),
        QStringList({"DATETIME", "DATETIME", "DATETIME", "DATETIME", "DATETIME", "DATETIME"}));
    EXPECT_EQ(typesOf("SELECT CCur(X), CBool(X), CInt(X), CLng(X), CStr(X), Format(X, 'd'), "
                      "'a' & X, X = 1, X Like 'a*', X Is Null, Date$(), Count(*) FROM T"),
              QStringList({"CURRENCY", "BIT", "SHORT", "LONG", "TEXT", "TEXT", "TEXT", "BIT", "BIT",
                           "BIT", "TEXT", "LONG"}));
    // Nothing is claimed where the tree cannot tell.
    EXPECT_EQ(typesOf("SELECT X, X * 2, Val(X), 1 FROM T"), QStringList({"", "", "", ""}));
}

TEST(ResultTypes, DateArithmeticBranchesAndAggregates)
{
    EXPECT_EQ(typesOf("SELECT #1/2/2003# + 7, 7 + #1/2/2003#, #1/2/2003# - 1, "
                      "#1/2/2003# - #1/1/2003#, 1 - #1/2/2003#, #1/2/2003# + 'x' FROM T"),
              QStringList({"DATETIME", "DATETIME", "DATETIME", "DOUBLE", "", ""}));
    // A date plus or minus a time is a date; the difference of two dates a number.
    EXPECT_EQ(typesOf("SELECT #1/2/2003# + #12:00#, #1/2/2003# - #6:00#, Now() - TimeSerial(1, 0, "
                      "0), #1/2/2003# + Time(), Now() - DateSerial(2003, 1, 1) FROM T"),
              QStringList({"DATETIME", "DATETIME", "DATETIME", "DATETIME", "DOUBLE"}));
    EXPECT_EQ(typesOf("SELECT IIf(X, Now(), Null), IIf(X, Null, CCur(1)), IIf(X, Now(), 1), "
                      "IIf(X, 'a', 'b'), Nz(CDate(X), Now()), Nz(CDate(X), 0) FROM T"),
              QStringList({"DATETIME", "CURRENCY", "", "TEXT", "DATETIME", ""}));
    EXPECT_EQ(typesOf("SELECT Max(CDate(X)), First(CCur(X)), Sum(CCur(X)) FROM T"),
              QStringList({"DATETIME", "CURRENCY", ""}));
}

TEST(ResultTypes, AliasesUnionsAndStar)
{
    // A later item using an earlier alias, also when the alias is computed in a layer.
    EXPECT_EQ(typesOf("SELECT DateSerial(2002, 9, 1) AS D, D + 1 AS E, Year(D) AS Y FROM T"),
              QStringList({"DATETIME", "DATETIME", ""}));
    EXPECT_EQ(typesOf("SELECT Now() AS A, CCur(1) AS B FROM T UNION SELECT Now(), 'x' FROM U"),
              QStringList({"DATETIME", ""}));
    EXPECT_EQ(typesOf("SELECT Now(), * , Now() FROM T"), QStringList({"DATETIME"}));
    // Only the outer query's columns are described.
    EXPECT_EQ(typesOf("SELECT Q.A FROM (SELECT Now() AS A FROM T) AS Q"), QStringList({""}));
    EXPECT_TRUE(typesOf("UPDATE T SET A = Now()").isEmpty());
}

TEST(ResultTypes, ColumnsFollowTheSchemaLookup)
{
    TranslateOptions options;
    QStringList asked;
    options.columnType = [&](const QString& table, const QString& column) {
        asked.append(table + '.' + column);
        if (column.compare("Purchased", Qt::CaseInsensitive) == 0)
            return QStringLiteral("DATETIME");
        if (column == "Cost")
            return table == "A" ? QStringLiteral("CURRENCY") : QStringLiteral("DOUBLE");
        return QString();
    };
    EXPECT_EQ(typesOf("SELECT Max(Purchased), IIf(X > 1, w.purchased + 1, Null), Min(X) "
                      "FROM tblWines AS w",
                      options),
              QStringList({"DATETIME", "DATETIME", ""}));
    EXPECT_TRUE(asked.contains("tblWines.Purchased"));
    // Two tables with the column in different types: no claim; a qualifier picks one.
    EXPECT_EQ(typesOf("SELECT Max(Cost), Max(B.Cost) FROM A, B", options),
              QStringList({"", "DOUBLE"}));
}

TEST(ResultTypes, DatesJoinedToTextGiveTheirText)
{
    test::TestDatabase db;
    db.exec("CREATE TABLE T (D DATETIME, N DOUBLE)");
    db.exec("INSERT INTO T VALUES (37500, 37500)");
    db.exec("INSERT INTO T VALUES (NULL, NULL)");
    TranslateOptions options;
    options.columnType = [](const QString&, const QString& column) {
        return column == "D" ? QStringLiteral("DATETIME") : QStringLiteral("DOUBLE");
    };
    const QString date = vb::Variant::fromDate(37500).toString();
    EXPECT_EQ(db.run("SELECT 'x' & D, CStr(D), D & N, 'x' & N, 'y' & DateSerial(2002, 9, 1) "
                     "FROM T WHERE D IS NOT NULL",
                     {}, options),
              QList<test::Row>({{"x" + date, date, date + "37500", "x37500",
                                 "y" + vb::Variant::fromDate(37500).toString()}}));
    // Null stays Null for CStr and vanishes in &, as before.
    EXPECT_EQ(db.run("SELECT 'x' & D, D & '' FROM T WHERE D IS NULL", {}, options),
              QList<test::Row>({{"x", ""}}));
}

} // namespace
} // namespace jet
