#include "common/cRegistry.h"

#include <gtest/gtest.h>

namespace {

const reg::Hkey HKCU = reg::HKEY_CURRENT_USER;
const QString base = QStringLiteral("Software\\QvCommonTests\\Keys");

bool keyExists(const QString& path)
{
    cRegistry registry;
    registry.setClassKey(HKCU);
    registry.setSectionKey(path);
    return registry.KeyExists();
}

void createKey(const QString& path)
{
    cRegistry registry;
    registry.setClassKey(HKCU);
    registry.setSectionKey(path);
    ASSERT_TRUE(registry.CreateKey());
}

TEST(cRegistryKeys, DeleteKeyRemovesTheWholeTreeDeepestFirst)
{
    createKey(base + "\\Tree\\Reports\\Export\\WineList\\PDF");
    createKey(base + "\\Tree\\Reports\\Export\\WineList\\Excel");
    createKey(base + "\\Tree\\Form Positions\\frmReportViewer");
    cRegistry registry;
    ASSERT_TRUE(
        registry.PutRegistryLong(HKCU, base + "\\Tree\\Form Positions\\frmReportViewer", "X", 15));
    createKey(base + "\\Sibling");

    EXPECT_TRUE(registry.DeleteKey(HKCU, base + "\\Tree"));
    EXPECT_FALSE(keyExists(base + "\\Tree"));
    EXPECT_FALSE(keyExists(base + "\\Tree\\Reports\\Export\\WineList\\PDF"));
    EXPECT_TRUE(keyExists(base + "\\Sibling"));
    // Nothing left to delete.
    EXPECT_FALSE(registry.DeleteKey(HKCU, base + "\\Tree"));
}

TEST(cRegistryKeys, DeleteKeyRefusesANameThatAddressesTheRoot)
{
    createKey(base + "\\Keep");
    cRegistry registry;
    EXPECT_FALSE(registry.DeleteKey(HKCU, ""));
    EXPECT_FALSE(registry.DeleteKey(HKCU, "\\"));
    EXPECT_FALSE(registry.DeleteKey(HKCU, " \\ "));
    EXPECT_TRUE(keyExists(base + "\\Keep"));
}

TEST(cRegistryKeys, EnumerationsFillArraysCountingFromOne)
{
    createKey(base + "\\Enum\\Alpha");
    createKey(base + "\\Enum\\Beta");
    createKey(base + "\\Enum\\Gamma");
    cRegistry registry;
    ASSERT_TRUE(registry.PutRegistryString(HKCU, base + "\\Enum", "First", "1"));
    ASSERT_TRUE(registry.PutRegistryLong(HKCU, base + "\\Enum", "A rather longer value name", 2));

    registry.setSectionKey(base + "\\Enum");
    std::vector<QString> sections;
    int sectionCount = -1;
    ASSERT_TRUE(registry.EnumerateSections(sections, sectionCount));
    ASSERT_EQ(sectionCount, 3);
    ASSERT_EQ(sections.size(), 4u);
    EXPECT_TRUE(sections[0].isEmpty());
    EXPECT_EQ(sections[1], QStringLiteral("Alpha"));
    EXPECT_EQ(sections[2], QStringLiteral("Beta"));
    EXPECT_EQ(sections[3], QStringLiteral("Gamma"));

    std::vector<QString> values;
    int valueCount = -1;
    ASSERT_TRUE(registry.EnumerateValues(values, valueCount));
    ASSERT_EQ(valueCount, 2);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[1], QStringLiteral("First"));
    EXPECT_EQ(values[2], QStringLiteral("A rather longer value name"));
}

TEST(cRegistryKeys, EnumeratingAKeyThatCannotBeOpenedGivesAnEmptyList)
{
    cRegistry registry;
    registry.setClassKey(HKCU);
    registry.setSectionKey(base + "\\Absent");
    std::vector<QString> names{"stale", "entries"};
    int count = 5;
    EXPECT_TRUE(registry.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(names.size(), 1u);
    count = 5;
    EXPECT_TRUE(registry.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
}

TEST(cRegistryKeys, CreateKeyAndDeleteValue)
{
    cRegistry registry;
    registry.setClassKey(HKCU);
    registry.setSectionKey(base + "\\New\\Deep");
    EXPECT_FALSE(registry.KeyExists());
    EXPECT_TRUE(registry.CreateKey());
    EXPECT_TRUE(registry.KeyExists());

    ASSERT_TRUE(registry.PutRegistryString(HKCU, base + "\\New", "Gone", "x"));
    EXPECT_TRUE(registry.DeleteValue(HKCU, base + "\\New", "Gone"));
    EXPECT_EQ(registry.GetRegistryString(HKCU, base + "\\New", "Gone", "default"), "default");
    EXPECT_FALSE(registry.DeleteValue(HKCU, base + "\\New", "Gone"));
    EXPECT_FALSE(registry.DeleteValue(HKCU, base + "\\Absent", "Gone"));
}

} // namespace
