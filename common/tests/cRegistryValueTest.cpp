#include "common/cRegistry.h"
#include "common/Registry_Management.h"
#include "common/ScopedRegKey.h"

#include <gtest/gtest.h>
#include <QLocale>

namespace {

const reg::Hkey HKCU = reg::HKEY_CURRENT_USER;
const QString testKey = QStringLiteral("Software\\QvCommonTests\\Settings");

reg::ValueType storedType(const QString& keyPath, const QString& valueName)
{
    common::ScopedRegKey key;
    if (key.opened(reg::openKeyEx(HKCU, keyPath, reg::KEY_READ, key.receive())) != 0)
        return reg::REG_NONE;
    reg::ValueType type = reg::REG_NONE;
    std::uint32_t size = 0;
    return reg::queryValueEx(key.get(), valueName, &type, nullptr, &size) == 0 ? type
                                                                               : reg::REG_NONE;
}

cRegistry at(const QString& valueName, reg::ValueType type)
{
    cRegistry registry;
    registry.setClassKey(HKCU);
    registry.setSectionKey(testKey);
    registry.setValueKey(valueName);
    registry.setValueType(type);
    return registry;
}

TEST(cRegistryValue, UnreadableValueGivesDefault)
{
    cRegistry registry;
    registry.setClassKey(HKCU);
    registry.setSectionKey("Software\\QvCommonTests\\NoSuchKey");
    registry.setValueKey("Anything");
    registry.setDefault(vb::Variant(std::int32_t{77}));
    EXPECT_EQ(registry.Value(), vb::Variant(77));
    EXPECT_FALSE(registry.KeyExists());

    EXPECT_EQ(registry.GetRegistryString(HKCU, testKey, "Missing", "fallback"), "fallback");
    EXPECT_EQ(registry.GetRegistryLong(HKCU, testKey, "Missing", -5), -5);
}

TEST(cRegistryValue, TextWithAVariableIsStoredExpandableAndReadExpanded)
{
    qputenv("QV_CELLAR", "/srv/cellar");
    cRegistry registry;
    ASSERT_TRUE(registry.PutRegistryString(HKCU, testKey, "Path", "%QV_CELLAR%/Backup"));
    EXPECT_EQ(storedType(testKey, "Path"), reg::REG_EXPAND_SZ);
    EXPECT_EQ(registry.GetRegistryString(HKCU, testKey, "Path", ""), "/srv/cellar/Backup");

    // A lone percent sign, or two with nothing between, is plain text.
    ASSERT_TRUE(registry.PutRegistryString(HKCU, testKey, "Zoom", "50%"));
    EXPECT_EQ(storedType(testKey, "Zoom"), reg::REG_SZ);
    ASSERT_TRUE(registry.PutRegistryString(HKCU, testKey, "Twin", "100%%"));
    EXPECT_EQ(storedType(testKey, "Twin"), reg::REG_SZ);
    EXPECT_EQ(registry.GetRegistryString(HKCU, testKey, "Twin", ""), "100%%");
    ASSERT_TRUE(registry.PutRegistryString(HKCU, testKey, "Short", "%A%"));
    EXPECT_EQ(storedType(testKey, "Short"), reg::REG_EXPAND_SZ);
}

TEST(cRegistryValue, WritesFollowTheValueTypeAndRefuseWhatDoesNotFit)
{
    // Binary takes only byte arrays.
    cRegistry binary = at("Blob", reg::REG_BINARY);
    EXPECT_FALSE(binary.setValue(vb::Variant("text")));
    EXPECT_EQ(storedType(testKey, "Blob"), reg::REG_NONE);
    const QByteArray blob("\0\1\2\xFF", 4);
    EXPECT_TRUE(binary.setValue(vb::Variant(blob)));
    EXPECT_EQ(storedType(testKey, "Blob"), reg::REG_BINARY);
    EXPECT_EQ(binary.Value(), vb::Variant(blob));

    // Numbers take only Integer and Long and are always stored little-endian.
    cRegistry number = at("Count", reg::REG_DWORD_BIG_ENDIAN);
    EXPECT_FALSE(number.setValue(vb::Variant(2.5)));
    EXPECT_FALSE(number.setValue(vb::Variant(std::uint8_t{3})));
    EXPECT_FALSE(number.setValue(vb::Variant("3")));
    EXPECT_EQ(storedType(testKey, "Count"), reg::REG_NONE);
    EXPECT_TRUE(number.setValue(vb::Variant(std::int16_t{-3})));
    EXPECT_EQ(storedType(testKey, "Count"), reg::REG_DWORD);
    EXPECT_EQ(number.Value(), vb::Variant(-3));

    cRegistry other = at("Other", reg::REG_QWORD);
    EXPECT_FALSE(other.setValue(vb::Variant(1)));

    // Null has no text.
    cRegistry text = at("Nothing", reg::REG_SZ);
    EXPECT_FALSE(text.setValue(vb::Variant::null()));
    EXPECT_EQ(storedType(testKey, "Nothing"), reg::REG_NONE);
}

TEST(cRegistryValue, ReadsByTheStoredType)
{
    common::ScopedRegKey key;
    ASSERT_EQ(key.opened(reg::createKey(HKCU, testKey, key.receive())), 0);
    const auto put = [&key](const char* name, reg::ValueType type, const QByteArray& data) {
        reg::setValueEx(key.get(), name, type,
                        reinterpret_cast<const std::uint8_t*>(data.constData()),
                        static_cast<std::uint32_t>(data.size()));
    };
    put("Big", reg::REG_DWORD_BIG_ENDIAN, QByteArray("\x12\x34\x56\x78", 4));
    put("Multi", reg::REG_MULTI_SZ, QByteArray("a\0b\0\0", 5));
    put("Empty", reg::REG_SZ, QByteArray());
    put("Quad", reg::REG_QWORD, QByteArray("\1\0\0\0\0\0\0\0", 8));

    // The value type set on the object does not matter for reading.
    EXPECT_EQ(at("Big", reg::REG_SZ).Value(), vb::Variant(std::int32_t{0x12345678}));
    EXPECT_EQ(at("Multi", reg::REG_SZ).Value(), vb::Variant(QString::fromUtf8("a\0b\0", 4)));
    EXPECT_EQ(at("Empty", reg::REG_DWORD).Value(), vb::Variant(""));
    EXPECT_EQ(at("Quad", reg::REG_SZ).Value(), vb::Variant(QByteArray("\1\0\0\0\0\0\0\0", 8)));
}

TEST(cRegistryValue, TypedHelpersNeverRaise)
{
    cRegistry registry;
    ASSERT_TRUE(registry.PutRegistryString(HKCU, testKey, "NotANumber", "abc"));
    ASSERT_TRUE(registry.PutRegistryString(HKCU, testKey, "NumberText", "42"));
    EXPECT_EQ(registry.GetRegistryLong(HKCU, testKey, "NotANumber", 9), 9);
    EXPECT_EQ(registry.GetRegistryLong(HKCU, testKey, "NumberText", 9), 42);
    ASSERT_TRUE(registry.PutRegistryLong(HKCU, testKey, "Long", -123456));
    EXPECT_EQ(registry.GetRegistryLong(HKCU, testKey, "Long", 0), -123456);
    EXPECT_EQ(registry.GetRegistryString(HKCU, testKey, "Long", ""), "-123456");
    // The helpers leave the object addressing what they used.
    EXPECT_EQ(registry.SectionKey(), testKey);
    EXPECT_EQ(registry.ValueKey(), QStringLiteral("Long"));
    EXPECT_EQ(registry.ValueType(), reg::REG_SZ);
}

TEST(cRegistryValue, DoublesRoundTripWhateverTheRegionalSettings)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    cRegistry registry;
    for (const double value : {0.1, 1234567.25, -3e-10, 0.0}) {
        ASSERT_TRUE(registry.PutRegistryDouble(HKCU, testKey, "Double", value));
        EXPECT_EQ(registry.GetRegistryDouble(HKCU, testKey, "Double", 99.0), value);
    }
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(registry.GetRegistryDouble(HKCU, testKey, "Double", 99.0), 0.0);
    EXPECT_EQ(registry.GetRegistryDouble(HKCU, testKey, "NoDouble", 99.0), 99.0);
    ASSERT_TRUE(registry.PutRegistryLong(HKCU, testKey, "Whole", 7));
    EXPECT_EQ(registry.GetRegistryDouble(HKCU, testKey, "Whole", 99.0), 7.0);
    QLocale::setDefault(saved);
}

TEST(cRegistryValue, PrivateStringsLiveUnderTheApplicationKey)
{
    cRegistry registry;
    EXPECT_EQ(registry.GetRegistryKeyNameForApp(), QStringLiteral("Software\\Quillmere\\Quorvex"));
    const QString title = QStringLiteral("Ch\u00e2teau \u2013 Cellar list");
    ASSERT_TRUE(registry.PutPrivateRegistryString(HKCU, "Reports\\PrintSettings\\WineList", "Title",
                                                  title));
    EXPECT_EQ(
        registry.GetPrivateRegistryString(HKCU, "Reports\\PrintSettings\\WineList", "Title", ""),
        title);
    // The registry module reads what the class wrote, and the other way round.
    EXPECT_EQ(Registry_Management::GetProductSetting(HKCU, "Reports\\PrintSettings\\WineList",
                                                     "Title", ""),
              title);
    ASSERT_EQ(Registry_Management::SaveProductSetting(HKCU, "LastSelections", "QueryID", "12"),
              reg::ERROR_SUCCESS);
    EXPECT_EQ(registry.GetPrivateRegistryString(HKCU, "LastSelections", "QueryID", ""), "12");
}

} // namespace
