// Like patterns, date literals, the JET collation and the operator helpers on their own.

#include "DateLiteral.h"
#include "LikePattern.h"
#include "OperatorHelpers.h"
#include "TestDatabase.h"
#include "vb/Error.h"

#include <gtest/gtest.h>

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
    EXPECT_THROW(LikePattern(QStringLiteral("[abc")), vb::Error);
    EXPECT_THROW(LikePattern(QStringLiteral("[z-a]")), vb::Error);
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
    EXPECT_EQ(logicalEqv(vb::Variant(std::int32_t(5)), vb::Variant(std::int32_t(3))).toLong(), -7);
}

} // namespace
} // namespace jet::sql
