#include "StringFunctions.h"

#include "LocaleGuard.h"
#include "VbAssertions.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

const Variant null = Variant::null();

QString text(const Variant& v)
{
    return v.toString();
}

} // namespace

TEST(StringFunctions, NullTextPropagatesButNullCountsRaise)
{
    EXPECT_TRUE(Left(null, Variant(2)).isNull());
    EXPECT_TRUE(Right(null, Variant(2)).isNull());
    EXPECT_TRUE(Mid(null, Variant(1)).isNull());
    EXPECT_TRUE(Mid(null, Variant(1), Variant(2)).isNull());
    EXPECT_TRUE(Len(null).isNull());
    EXPECT_TRUE(Trim(null).isNull());
    EXPECT_TRUE(UCase(null).isNull());
    EXPECT_TRUE(InStr(Variant("abc"), null).isNull());
    EXPECT_TRUE(InStr(null, Variant("a")).isNull());
    EXPECT_TRUE(String(Variant(3), null).isNull());
    EXPECT_TRUE(Replace(null, Variant("a"), Variant("b")).isNull());
    EXPECT_VB_ERROR(Left(Variant("abc"), null), 94);
    EXPECT_VB_ERROR(Mid(Variant("abc"), null), 94);
    EXPECT_VB_ERROR(InStr(null, Variant("abc"), Variant("b")), 94);
    EXPECT_VB_ERROR(Chr(null), 94);
    EXPECT_VB_ERROR(Asc(null), 94);
    EXPECT_VB_ERROR(Space(null), 94);
}

TEST(StringFunctions, LeftRightMidBounds)
{
    const Variant abc("abc");
    EXPECT_EQ(text(Left(abc, Variant(2))), "ab");
    EXPECT_EQ(text(Left(abc, Variant(10))), "abc");
    EXPECT_EQ(text(Left(abc, Variant(0))), "");
    EXPECT_EQ(text(Right(abc, Variant(2))), "bc");
    EXPECT_EQ(text(Right(abc, Variant(9))), "abc");
    EXPECT_EQ(text(Mid(abc, Variant(2))), "bc");
    EXPECT_EQ(text(Mid(abc, Variant(5))), "");
    EXPECT_EQ(text(Mid(abc, Variant(2), Variant(1))), "b");
    EXPECT_EQ(text(Mid(abc, Variant(3), Variant(99))), "c");
    EXPECT_EQ(text(Left(abc, Variant(1.5))), "ab"); // lengths round like CLng
    EXPECT_VB_ERROR(Left(abc, Variant(-1)), 5);
    EXPECT_VB_ERROR(Right(abc, Variant(-1)), 5);
    EXPECT_VB_ERROR(Mid(abc, Variant(0)), 5);
    EXPECT_VB_ERROR(Mid(abc, Variant(1), Variant(-1)), 5);
    EXPECT_VB_ERROR(Left(abc, Variant("x")), 13);
    // Numbers are read as their text.
    EXPECT_EQ(text(Left(Variant(12345), Variant(2))), "12");
    EXPECT_EQ(Len(Variant(12345)).toLong(), 5);
    EXPECT_EQ(Len(Variant()).toLong(), 0);
}

TEST(StringFunctions, InStrStartAndCompare)
{
    const Variant s("abcABC");
    EXPECT_EQ(InStr(s, Variant("B")).toLong(), 5);
    EXPECT_EQ(InStr(Variant(1), s, Variant("B"), Variant(1)).toLong(), 2);
    EXPECT_EQ(InStr(Variant(3), s, Variant("b"), Variant(1)).toLong(), 5);
    EXPECT_EQ(InStr(s, Variant("x")).toLong(), 0);
    EXPECT_EQ(InStr(Variant(""), Variant("")).toLong(), 0);
    EXPECT_EQ(InStr(Variant(4), s, Variant("")).toLong(), 4);
    EXPECT_EQ(InStr(Variant(7), s, Variant("")).toLong(), 0);
    EXPECT_EQ(InStr(Variant(9), s, Variant("a")).toLong(), 0);
    EXPECT_VB_ERROR(InStr(Variant(0), s, Variant("a")), 5);
    EXPECT_VB_ERROR(InStr(Variant(1), s, Variant("a"), Variant(3)), 5);
    EXPECT_EQ(InStrRev(Variant("a.b.c"), Variant(".")).toLong(), 4);
    EXPECT_EQ(InStrRev(Variant("a.b.c"), Variant("."), Variant(3)).toLong(), 2);
    EXPECT_EQ(StrComp(Variant("a"), Variant("B")).toLong(), 1);
    EXPECT_EQ(StrComp(Variant("a"), Variant("B"), Variant(1)).toLong(), -1);
}

TEST(StringFunctions, TrimAndCase)
{
    EXPECT_EQ(text(Trim(Variant("  a b  "))), "a b");
    EXPECT_EQ(text(LTrim(Variant("  a "))), "a ");
    EXPECT_EQ(text(RTrim(Variant(" a  "))), " a");
    EXPECT_EQ(text(Trim(Variant("\ta\t"))), "\ta\t"); // only blanks are trimmed
    EXPECT_EQ(text(UCase(Variant("straße"))), QStringLiteral("STRASSE"));
    EXPECT_EQ(text(LCase(Variant("ÄB"))), QStringLiteral("äb"));
    EXPECT_EQ(text(StrReverse(Variant("abc"))), "cba");
}

TEST(StringFunctions, ReplaceStartCountAndCompare)
{
    const Variant s("abcabcabc");
    EXPECT_EQ(text(Replace(s, Variant("b"), Variant("X"))), "aXcaXcaXc");
    EXPECT_EQ(text(Replace(s, Variant("b"), Variant("X"), Variant(4))), "aXcaXc");
    EXPECT_EQ(text(Replace(s, Variant("b"), Variant("X"), Variant(1), Variant(2))), "aXcaXcabc");
    EXPECT_EQ(text(Replace(s, Variant("B"), Variant(""), Variant(1), Variant(-1), Variant(1))),
              "acacac");
    EXPECT_EQ(text(Replace(s, Variant("B"), Variant("X"))), "abcabcabc");
    EXPECT_EQ(text(Replace(s, Variant(""), Variant("X"))), "abcabcabc");
    EXPECT_EQ(text(Replace(s, Variant("b"), Variant("X"), Variant(20))), "");
    // Replacement containing the search text does not loop.
    EXPECT_EQ(text(Replace(Variant("aa"), Variant("a"), Variant("aa"))), "aaaa");
    EXPECT_VB_ERROR(Replace(s, Variant("b"), Variant("X"), Variant(0)), 5);
    EXPECT_VB_ERROR(Replace(s, Variant("b"), Variant("X"), Variant(1), Variant(-2)), 5);
    EXPECT_VB_ERROR(Replace(s, null, Variant("X")), 94);
}

TEST(StringFunctions, CharacterCodesUseTheWesternCodePage)
{
    EXPECT_EQ(text(Chr(Variant(65))), "A");
    EXPECT_EQ(text(Chr(Variant(128))), QStringLiteral("€"));
    EXPECT_EQ(text(Chr(Variant(233))), QStringLiteral("é"));
    EXPECT_EQ(Asc(Variant("€uro")).toLong(), 128);
    EXPECT_EQ(Asc(Variant("é")).toLong(), 233);
    EXPECT_EQ(Asc(Variant(QStringLiteral("ł"))).toLong(), 63);
    EXPECT_EQ(AscW(Variant(QStringLiteral("ł"))).toLong(), 0x142);
    EXPECT_EQ(text(ChrW(Variant(0x20AC))), QStringLiteral("€"));
    EXPECT_VB_ERROR(Chr(Variant(256)), 5);
    EXPECT_VB_ERROR(Chr(Variant(-1)), 5);
    EXPECT_VB_ERROR(Asc(Variant("")), 5);
}

TEST(StringFunctions, SpaceAndString)
{
    EXPECT_EQ(text(Space(Variant(3))), "   ");
    EXPECT_EQ(text(Space(Variant(0))), "");
    EXPECT_EQ(text(String(Variant(3), Variant("xyz"))), "xxx");
    EXPECT_EQ(text(String(Variant(2), Variant(65))), "AA");
    EXPECT_EQ(text(String(Variant(2), Variant(321))), "AA"); // codes wrap at 256
    EXPECT_VB_ERROR(Space(Variant(-1)), 5);
    EXPECT_VB_ERROR(String(Variant(2), Variant("")), 5);
    EXPECT_VB_ERROR(Space(Variant(1 << 30)), 14);
}
