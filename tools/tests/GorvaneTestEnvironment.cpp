#include "GorvaneTestEnvironment.h"

namespace gorvane::testing {

void GorvaneTestEnvironment::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    qputenv("QUORVEX_REGISTRY", m_folder.filePath("registry.db").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    m_app = std::make_unique<QApplication>(m_argc, m_argv);
}

void GorvaneTestEnvironment::TearDown()
{
    m_app.reset();
}

[[maybe_unused]] static ::testing::Environment* const gorvaneTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new GorvaneTestEnvironment);

} // namespace gorvane::testing
