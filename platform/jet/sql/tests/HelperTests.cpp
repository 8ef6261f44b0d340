// Like patterns, date literals, the JET collation and the operator helpers on their own.

#include "DateLiteral.h"
#include "LikePattern.h"
#include "OperatorHelpers.h"
#include "TestDatabase.h"
#include "vb/Error.h"
#include "vb/FunctionTable.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <span>

namespace jet::sql {
namespace {

bool like(const char* text, const char* pattern)
{
    return LikePattern(QString::fromUtf8(pattern)).matches(QString::fromUtf8(text));
}

TEST(Like, WildcardsSetsAndCase)
{
    EXPECT_TRUE(like("d'Alba", "*'*"));
    EXPECT_FALSE(like("dAlba", "*'*"));
    EXPECT_TRUE(like("Château", "CHÂ?EAU"));
    EXPECT_TRUE(like("a1b", "a#b"));
    EXPECT_FALSE(like("aXb", "a#b"));
    EXPECT_TRUE(like("door9", "d*#"));
    EXPECT_FALSE(like("door", "d*#"));
    EXPECT_TRUE(like("b", "[a-c]"));
    EXPECT_TRUE(like("B", "[a-c]"));
    EXPECT_FALSE(like("d", "[a-c]"));
    EXPECT_TRUE(like("d", "[!a-c]"));
    EXPECT_TRUE(like("a*b", "a[*]b"));
    EXPECT_FALSE(like("axb", "a[*]b"));
    EXPECT_TRUE(like("", "*"));
    EXPECT_FALSE(like("", "?"));
    EXPECT_FALSE(like("abc", "ab"));
    EXPECT_TRUE(like("abcabcabd", "*abd"));
    EXPECT_TRUE(like("x-y", "x[-]y"));
    // Patterns Jet cannot read match nothing, not even themselves.
    EXPECT_FALSE(like("[abc", "[abc"));
    EXPECT_FALSE(like("a", "[abc"));
    EXPECT_FALSE(like("b", "[z-a]"));
    EXPECT_FALSE(like("", "*[a"));
}

// Like in SQL takes a shortcut for ASCII text; it must agree with the pattern on every kind
// of value, and one statement's cached pattern must not leak into the next row's match.
TEST(Like, InSqlAgreesWithThePattern)
{
    test::TestDatabase db;
    db.exec("CREATE TABLE T (V)");
    db.exec("INSERT INTO T VALUES ('Barolo'), ('bARBERA'), ('Château B'), ('CHÂTEAU'), (''), "
            "(12), (1.5), ('B[1]'), (NULL)");
    for (const char* pattern : {"b*", "*A*", "ch?teau*", "*#", "[!a-c]*", "*[[]1]", "*"}) {
        SCOPED_TRACE(pattern);
        const QList<test::Row> rows =
            db.run(QStringLiteral("SELECT V, V Like '%1' FROM T").arg(pattern));
        ASSERT_EQ(rows.size(), 9);
        const LikePattern compiled(QString::fromUtf8(pattern));
        for (const test::Row& row : rows) {
            if (row.at(0) == "NULL") {
                EXPECT_EQ(row.at(1), "NULL");
                continue;
            }
            EXPECT_EQ(row.at(1), compiled.matches(row.at(0)) ? "-1" : "0")
                << row.at(0).toStdString();
        }
    }
}

TEST(Like, PathologicalPatternsStayFast)
{
    const QString text(20000, u'a');
    QString pattern;
    for (int i = 0; i < 200; ++i)
        pattern += QStringLiteral("*a");
    EXPECT_FALSE(LikePattern(pattern + u'b').matches(text));
}

TEST(DateLiterals, MonthFirstWithOptionalTime)
{
    using jet::test::oleDays;
    EXPECT_EQ(parseDateLiteral(QStringLiteral("10/13/2001")), oleDays(2001, 10, 13));
    EXPECT_EQ(parseDateLiteral(QStringLiteral("1/1/1900")), oleDays(1900, 1, 1));
    EXPECT_EQ(parseDateLiteral(QStringLiteral("12/31/95")), oleDays(1995, 12, 31));
    EXPECT_EQ(parseDateLiteral(QStringLiteral("1/1/29")), oleDays(2029, 1, 1));
    EXPECT_EQ(parseDateLiteral(QStringLiteral("2001-10-13")), oleDays(2001, 10, 13));
    EXPECT_EQ(parseDateLiteral(QStringLiteral("10/13/2001 14:05:09")),
              oleDays(2001, 10, 13) + (14 * 3600 + 5 * 60 + 9) / 86400.0);
    EXPECT_EQ(parseDateLiteral(QStringLiteral("1/2/2003 12:00 AM")), oleDays(2003, 1, 2));
    EXPECT_EQ(parseDateLiteral(QStringLiteral("18:00")), 0.75);
    EXPECT_FALSE(parseDateLiteral(QStringLiteral("13/10/2001")));
    EXPECT_FALSE(parseDateLiteral(QStringLiteral("2/30/2001")));
    EXPECT_FALSE(parseDateLiteral(QStringLiteral("1/1/2001 25:00")));
    EXPECT_FALSE(parseDateLiteral(QStringLiteral("tomorrow")));
    EXPECT_FALSE(parseDateLiteral(QString()));
}

TEST(Collation, CaseInsensitiveAndConsistent)
{
    jet::test::TestDatabase db;
    db.exec("CREATE TABLE w (s TEXT COLLATE JET); INSERT INTO w VALUES ('éclair'), ('Zebra'), "
            "('apple'), ('ÉCLAIR'), ('Apple'), ('b'), ('ab')");
    EXPECT_EQ(db.query("SELECT count(DISTINCT s) FROM w"), QList<jet::test::Row>{{"5"}});
    const auto rows = db.query("SELECT s FROM w ORDER BY s");
    QStringList order;
    for (const auto& r : rows)
        order.append(r.front().toLower());
    EXPECT_EQ(order, (QStringList{"ab", "apple", "apple", "b", "zebra", "éclair", "éclair"}));
    EXPECT_EQ(db.query("SELECT count(*) FROM w WHERE s = 'ÉcLaIr'"), QList<jet::test::Row>{{"2"}});
}

// DateSerial in SQL takes a shortcut for plain dates; it must give what VB's DateSerial gives,
// there and at the edges where it hands over (leap days, two-digit years, roll-over), whether a
// number comes as an integer, a real or text.
TEST(SqlDateSerial, AgreesWithVbEverywhere)
{
    test::TestDatabase db;
    sqlite3_stmt* raw = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), "SELECT DateSerial(?1, ?2, ?3)", -1, &raw, nullptr),
              SQLITE_OK);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    const vb::BuiltinFunction* vbDateSerial = vb::findBuiltin(u"DateSerial");
    ASSERT_NE(vbDateSerial, nullptr);
    enum class Form
    {
        Integer,
        Real,
        Text,
        HalfReal,
        PaddedText
    };
    // The value as SQL hands it over, and as VB's DateSerial receives it.
    const auto bind = [&](int index, int number, Form form) {
        switch (form) {
        case Form::Integer:
            sqlite3_bind_int(raw, index, number);
            return vb::Variant(number);
        case Form::Real:
            sqlite3_bind_double(raw, index, number);
            return vb::Variant(double(number));
        case Form::HalfReal:
            sqlite3_bind_double(raw, index, number + 0.5);
            return vb::Variant(number + 0.5);
        case Form::Text:
        case Form::PaddedText: {
            const QByteArray text = (form == Form::PaddedText ? QByteArray("0") : QByteArray()) +
                                    QByteArray::number(number);
            sqlite3_bind_text(raw, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            return vb::Variant(QString::fromLatin1(text));
        }
        }
        return vb::Variant();
    };
    for (const Form form :
         {Form::Integer, Form::Real, Form::Text, Form::HalfReal, Form::PaddedText}) {
        for (const int year : {29, 99, 100, 1899, 1900, 1999, 2000, 2004, 2023, 2100, 9999}) {
            for (const int month : {-13, -1, 0, 1, 2, 3, 4, 11, 12, 13, 25}) {
                for (const int day : {-40, 0, 1, 28, 29, 30, 31, 32, 400}) {
                    const vb::Variant args[] = {bind(1, year, form), bind(2, month, form),
                                                bind(3, day, Form::Integer)};
                    std::optional<double> expected;
                    try {
                        expected = vbDateSerial->call(std::span<const vb::Variant>(args)).toDate();
                    } catch (const vb::Error&) {
                    }
                    const int rc = sqlite3_step(raw);
                    SCOPED_TRACE(testing::Message()
                                 << int(form) << ": " << year << '-' << month << '-' << day);
                    if (expected) {
                        ASSERT_EQ(rc, SQLITE_ROW);
                        EXPECT_EQ(sqlite3_column_double(raw, 0), *expected);
                    } else {
                        EXPECT_EQ(rc, SQLITE_ERROR);
                    }
                    sqlite3_reset(raw);
                }
            }
        }
    }
}

TEST(OperatorHelpers, NullRulesAndTypes)
{
    const vb::Variant null = vb::Variant::null();
    EXPECT_TRUE(concat(null, null).isNull());
    EXPECT_EQ(concat(null, vb::Variant("a")).toString(), QStringLiteral("a"));
    EXPECT_EQ(add(vb::Variant(std::int32_t(2147483647)), vb::Variant(std::int32_t(1))).toDouble(),
              2147483648.0);
    EXPECT_EQ(add(vb::Variant("07"), vb::Variant(6.0)).toDouble(), 13.0);
    EXPECT_THROW(add(vb::Variant("x"), vb::Variant(1.0)), vb::Error);
    EXPECT_TRUE(add(null, vb::Variant("x")).isNull());
    EXPECT_THROW(divide(vb::Variant(1.0), vb::Variant(0.0)), vb::Error);
    EXPECT_THROW(intDivide(vb::Variant(1.0), vb::Variant(0.4)), vb::Error); // 0.4 rounds to 0
    EXPECT_EQ(intDivide(vb::Variant(2.5), vb::Variant(1.0)).toLong(), 2);   // half to even
    EXPECT_EQ(
        modulo(vb::Variant(std::int32_t(-2147483647 - 1)), vb::Variant(std::int32_t(-1))).toLong(),
        0);
    EXPECT_THROW(power(vb::Variant(-8.0), vb::Variant(1.0 / 3)), vb::Error);
    EXPECT_THROW(power(vb::Variant(10.0), vb::Variant(400.0)), vb::Error);
    EXPECT_EQ(logicalImp(null, vb::Variant(true)).toLong(), -1);
    EXPECT_TRUE(logicalImp(vb::Variant(true), null).isNull());
    EXPECT_TRUE(logicalXor(null, vb::Variant(false)).isNull());
    EXPECT_EQ(logicalEqv(vb::Variant(std::int32_t(5)), vb::Variant(std::int32_t(3))).toLong(), -1);
    EXPECT_EQ(logicalAnd(vb::Variant(std::int32_t(12)), vb::Variant(std::int32_t(3))).toLong(), -1);
    EXPECT_EQ(logicalNot(vb::Variant(0.5)).toLong(), 0);
}

} // namespace
} // namespace jet::sql
