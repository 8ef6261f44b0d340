#pragma once

// The test program's surroundings: a QApplication on the offscreen platform and a registry
// store of its own in a fresh temporary folder, so the repairs never touch the user's.

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QTemporaryDir>

namespace gorvane::testing {

class GorvaneTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

private:
    QTemporaryDir m_folder;
    int m_argc = 1;
    char m_name[16] = "gorvane_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

} // namespace gorvane::testing
