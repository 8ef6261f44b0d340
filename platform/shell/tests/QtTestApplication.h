#pragma once

// One QApplication for the whole test program, created before the first test and destroyed
// after the last one (tests run headless on the offscreen platform).

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>

namespace shell::testing {

class QtTestApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "shell_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// Include in exactly one test file.
#define QV_QT_TEST_APPLICATION()                                                                   \
    [[maybe_unused]] static ::testing::Environment* const qvQtTestApplication =                    \
        ::testing::AddGlobalTestEnvironment(new ::shell::testing::QtTestApplication)

} // namespace shell::testing
