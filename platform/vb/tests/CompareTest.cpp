#include "Compare.h"

#include "VbAssertions.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(CompareVariants, FollowsVbRulesForMixedTypes)
{
    EXPECT_EQ(compareVariants(Variant(2), Variant(10.5)), -1);
    EXPECT_EQ(compareVariants(Variant(std::int16_t{3}), Variant(3.0f)), 0);
    EXPECT_EQ(compareVariants(Variant(true), Variant(0)), -1); // True is -1
    EXPECT_EQ(compareVariants(Variant::fromDate(2.0), Variant(1)), 1);
    EXPECT_EQ(compareVariants(Variant(Currency::fromRaw(INT64_MAX)),
                              Variant(Currency::fromRaw(INT64_MAX - 1))),
              1); // exact, where doubles would tie
    // Strings compare as text, "10" before "9"; any number is below any string.
    EXPECT_EQ(compareVariants(Variant("10"), Variant("9")), -1);
    EXPECT_EQ(compareVariants(Variant(99), Variant("1")), -1);
    EXPECT_EQ(compareVariants(Variant("1"), Variant(99)), 1);
    EXPECT_EQ(compareVariants(Variant("a"), Variant("B")), 1);
    EXPECT_EQ(compareVariants(Variant("a"), Variant("B"), CompareMethod::Text), -1);
    EXPECT_EQ(compareVariants(Variant("abc"), Variant("ABC"), CompareMethod::Text), 0);
    // Empty is 0 beside numbers and "" beside strings.
    EXPECT_EQ(compareVariants(Variant(), Variant(0)), 0);
    EXPECT_EQ(compareVariants(Variant(), Variant(-1)), 1);
    EXPECT_EQ(compareVariants(Variant(), Variant("")), 0);
    EXPECT_EQ(compareVariants(Variant(), Variant("a")), -1);
    EXPECT_EQ(compareVariants(Variant(), Variant()), 0);
    // Null makes the comparison Null.
    EXPECT_FALSE(compareVariants(Variant::null(), Variant::null()).has_value());
    EXPECT_FALSE(compareVariants(Variant(1), Variant::null()).has_value());
    EXPECT_VB_ERROR(compareVariants(Variant::fromObject(nullptr), Variant(1)), 13);
}
