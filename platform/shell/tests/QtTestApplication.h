#pragma once

// The surroundings of every test program: one QApplication on the offscreen platform, created
// before the first test and destroyed after the last one, and a registry store of its own in a
// fresh temporary folder, so that each run starts empty and never touches the user's settings.
// A program that reads numbers and dates in one fixed locale names it.

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

namespace shell::testing {

class QtTestApplication : public ::testing::Environment
{
public:
    explicit QtTestApplication(std::optional<QLocale> locale = std::nullopt)
        : m_locale(std::move(locale))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_registryFolder.isValid());
        qputenv("QUORVEX_REGISTRY",
                m_registryFolder.filePath(QStringLiteral("registry.db")).toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        if (m_locale)
            QLocale::setDefault(*m_locale);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::optional<QLocale> m_locale;
    QTemporaryDir m_registryFolder;
    int m_argc = 1;
    char m_name[16] = "qv_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

} // namespace shell::testing

// Include in exactly one test file of each program.
#define QV_QT_TEST_APPLICATION()                                                                   \
    [[maybe_unused]] static ::testing::Environment* const qvQtTestApplication =                    \
        ::testing::AddGlobalTestEnvironment(new ::shell::testing::QtTestApplication)
