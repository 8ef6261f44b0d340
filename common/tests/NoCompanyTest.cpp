#include "common/cRegistry.h"
#include "common/Registry_Management.h"
#include "platform/shell/tests/QtTestApplication.h"

QV_QT_TEST_APPLICATION();

namespace {

// This program's version information names no company.
TEST(NoCompany, ProductKeyLeavesTheCompanySegmentOut)
{
    EXPECT_EQ(Registry_Management::ProductKeyPath(), QStringLiteral("Software\\Quorvex"));
    EXPECT_EQ(cRegistry().GetRegistryKeyNameForApp(), QStringLiteral("Software\\Quorvex"));

    const reg::Hkey HKCU = reg::HKEY_CURRENT_USER;
    ASSERT_EQ(Registry_Management::SaveProductSetting(HKCU, "Application", "FullPath", "/opt/q"),
              reg::ERROR_SUCCESS);
    EXPECT_EQ(Registry_Management::ReadRegistryValue(HKCU, "Software\\Quorvex\\Application",
                                                     "FullPath", ""),
              "/opt/q");
}

} // namespace
