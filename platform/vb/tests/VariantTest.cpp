#include "Variant.h"

#include <gtest/gtest.h>

TEST(Variant, Placeholder)
{
    EXPECT_TRUE(vb::Variant().isEmpty());
}
