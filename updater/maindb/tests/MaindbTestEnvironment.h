#pragma once

// The test program's surroundings: a QApplication on the offscreen platform and a registry
// store of its own in a fresh temporary folder.

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QTemporaryDir>

namespace updater::maindb::testing {

class MaindbTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        qputenv("QUORVEX_REGISTRY", m_folder.filePath("registry.db").toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    QTemporaryDir m_folder;
    int m_argc = 1;
    char m_name[24] = "updater_maindb_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

} // namespace updater::maindb::testing
