#pragma once

// The test program's surroundings: a QApplication on the offscreen platform, a registry store
// of its own, and US English number and date formats (the report's sizes read "4.88KB (5,000
// bytes)" there).

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

namespace analyser::testing {

class AnalyserTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        qputenv("QUORVEX_REGISTRY", m_folder.filePath("registry.db").toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { m_app.reset(); }

private:
    QTemporaryDir m_folder;
    int m_argc = 1;
    char m_name[16] = "analyser_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

} // namespace analyser::testing
