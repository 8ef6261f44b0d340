// Expansion of %NAME% references as ExpandEnvironmentStrings does it.

#include "Registry.h"

#include <gtest/gtest.h>

TEST(EnvironmentStrings, ReplacesKnownNamesAndKeepsEverythingElse)
{
    qputenv("QV_TEST_FOLDER", "/opt/quorvex");
    qputenv("QV_TEST_EMPTY", "");
    qunsetenv("QV_TEST_UNSET");
    const auto expand = [](const char* text) {
        return reg::expandEnvironmentStrings(QString::fromUtf8(text)).toStdString();
    };
    EXPECT_EQ(expand("%QV_TEST_FOLDER%\\Tools"), "/opt/quorvex\\Tools");
    EXPECT_EQ(expand("a%QV_TEST_FOLDER%b%QV_TEST_FOLDER%c"), "a/opt/quorvexb/opt/quorvexc");
    EXPECT_EQ(expand("[%QV_TEST_EMPTY%]"), "[]");
    // Names are looked up without regard to case, as on Windows.
    EXPECT_EQ(expand("%qv_test_folder%"), "/opt/quorvex");
    // Unknown names stay as written, percent signs included, and scanning goes on after them.
    EXPECT_EQ(expand("%QV_TEST_UNSET%"), "%QV_TEST_UNSET%");
    EXPECT_EQ(expand("%QV_TEST_UNSET%%QV_TEST_FOLDER%"), "%QV_TEST_UNSET%/opt/quorvex");
    EXPECT_EQ(expand("100%% sure"), "100%% sure");
    EXPECT_EQ(expand("50% off"), "50% off");
    EXPECT_EQ(expand("%"), "%");
    EXPECT_EQ(expand("trailing %QV_TEST_FOLDER"), "trailing %QV_TEST_FOLDER");
    EXPECT_EQ(expand(""), "");
    EXPECT_EQ(expand("no references"), "no references");
}
