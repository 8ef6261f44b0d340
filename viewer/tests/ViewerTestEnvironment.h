#pragma once

// The viewer test program's surroundings: a QApplication on the offscreen platform and a
// registry store of its own in a fresh temporary folder, so every run starts with no stored
// positions or print settings.

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QTemporaryDir>

namespace lumesk::testing {

class ViewerTestEnvironment : public ::testing::Environment
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
    char m_name[16] = "viewer_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// Include in exactly one test file.
#define QV_VIEWER_TEST_ENVIRONMENT()                                                               \
    [[maybe_unused]] static ::testing::Environment* const qvViewerTestEnvironment =                \
        ::testing::AddGlobalTestEnvironment(new ::lumesk::testing::ViewerTestEnvironment)

} // namespace lumesk::testing
