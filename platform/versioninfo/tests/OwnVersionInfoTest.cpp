#include "VersionInfo.h"

#include <gtest/gtest.h>

TEST(OwnVersionInfo, TestProgramCarriesTheSuiteFields)
{
    const auto info = verinfo::readOwn();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
    EXPECT_EQ(verinfo::ownCompanyName(), "Quillmere");
}
