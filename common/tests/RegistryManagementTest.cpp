#include "common/Registry_Management.h"
#include "common/ScopedRegKey.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>

namespace {

using namespace Registry_Management;

const reg::Hkey HKCU = reg::HKEY_CURRENT_USER;

// What is stored under a value, read with the registry API itself.
struct RawValue
{
    reg::Status status = 0;
    reg::ValueType type = 0;
    QByteArray data;
};

RawValue rawValue(const QString& keyPath, const QString& valueName)
{
    RawValue raw;
    common::ScopedRegKey key;
    raw.status = key.opened(reg::openKeyEx(HKCU, keyPath, reg::KEY_READ, key.receive()));
    if (raw.status != reg::ERROR_SUCCESS)
        return raw;
    std::uint32_t size = 0;
    raw.status = reg::queryValueEx(key.get(), valueName, &raw.type, nullptr, &size);
    raw.data.resize(size);
    if (size > 0)
        raw.status = reg::queryValueEx(key.get(), valueName, &raw.type,
                                       reinterpret_cast<std::uint8_t*>(raw.data.data()), &size);
    return raw;
}

void putRaw(const QString& keyPath, const QString& valueName, reg::ValueType type,
            const QByteArray& data)
{
    common::ScopedRegKey key;
    ASSERT_EQ(key.opened(reg::createKey(HKCU, keyPath, key.receive())), reg::ERROR_SUCCESS);
    ASSERT_EQ(reg::setValueEx(key.get(), valueName, type,
                              reinterpret_cast<const std::uint8_t*>(data.constData()),
                              static_cast<std::uint32_t>(data.size())),
              reg::ERROR_SUCCESS);
}

const QString testKey = QStringLiteral("Software\\QvCommonTests\\Module");

TEST(ProductSettings, ProductKeyComesFromTheProgramsCompany)
{
    EXPECT_EQ(ProductKeyPath(), QStringLiteral("Software\\Quillmere\\Quorvex"));
}

TEST(ProductSettings, SavedTextReadsBackAndIsStoredAsPlainString)
{
    ASSERT_EQ(SaveProductSetting(HKCU, "Application", "FullPath", "abc"), reg::ERROR_SUCCESS);
    EXPECT_EQ(GetProductSetting(HKCU, "Application", "FullPath", "default"), "abc");

    const RawValue raw = rawValue(ProductKeyPath() + "\\Application", "FullPath");
    ASSERT_EQ(raw.status, reg::ERROR_SUCCESS);
    EXPECT_EQ(raw.type, reg::REG_SZ);
    EXPECT_EQ(raw.data, QByteArray("abc", 4)); // one terminating zero, nothing more

    // Overwriting and texts beyond ASCII.
    const QString path = QStringLiteral("/home/anne/Caves du Ch\u00e2teau/csample.qvd");
    ASSERT_EQ(SaveProductSetting(HKCU, "LastDatabase", "FullPath", path), reg::ERROR_SUCCESS);
    ASSERT_EQ(SaveProductSetting(HKCU, "LastDatabase", "FullPath", path), reg::ERROR_SUCCESS);
    EXPECT_EQ(GetProductSetting(HKCU, "LastDatabase", "FullPath", QString()), path);
    ASSERT_EQ(SaveProductSetting(HKCU, "LastDatabase", "FullPath", ""), reg::ERROR_SUCCESS);
    EXPECT_EQ(GetProductSetting(HKCU, "LastDatabase", "FullPath", "default"), QString(""));
}

TEST(ProductSettings, MissingSectionOrValueGivesTheDefaultExactly)
{
    EXPECT_EQ(GetProductSetting(HKCU, "NoSuchSection", "FullPath", "  C:\\x  "), "  C:\\x  ");
    EXPECT_TRUE(GetProductSetting(HKCU, "NoSuchSection", "FullPath", QString()).isEmpty());
    ASSERT_EQ(SaveProductSetting(HKCU, "LanguageDB", "Other", "x"), reg::ERROR_SUCCESS);
    EXPECT_EQ(GetProductSetting(HKCU, "LanguageDB", "FullPath", "english.lan"), "english.lan");
}

TEST(ProductSettings, ValueTooLongForTheReadBufferGivesTheDefault)
{
    const QString fits(static_cast<qsizetype>(ReadBufferSize) - 1, QLatin1Char('a'));
    const QString tooLong(static_cast<qsizetype>(ReadBufferSize), QLatin1Char('a'));
    ASSERT_EQ(WriteRegistryString(HKCU, testKey, "Fits", fits), reg::ERROR_SUCCESS);
    ASSERT_EQ(WriteRegistryString(HKCU, testKey, "TooLong", tooLong), reg::ERROR_SUCCESS);
    EXPECT_EQ(ReadRegistryValue(HKCU, testKey, "Fits", "default"), fits);
    EXPECT_EQ(ReadRegistryValue(HKCU, testKey, "TooLong", "default"), "default");

    reg::Hkey key = 0;
    ASSERT_EQ(OpenRegKey(HKCU, testKey, reg::KEY_READ, key), reg::ERROR_SUCCESS);
    vb::Variant value("untouched");
    EXPECT_EQ(QueryRegValue(key, "TooLong", value), reg::ERROR_MORE_DATA);
    EXPECT_EQ(value, vb::Variant("untouched"));
    reg::closeKey(key);
}

TEST(ProductSettings, NonTextValuesReadAsText)
{
    putRaw(testKey, "AllBits", reg::REG_DWORD, QByteArray("\xFF\xFF\xFF\xFF", 4));
    putRaw(testKey, "Sixteen", reg::REG_DWORD, QByteArray("\x10\0\0\0", 4));
    putRaw(testKey, "BigSixteen", reg::REG_DWORD_BIG_ENDIAN, QByteArray("\0\0\0\x10", 4));
    putRaw(testKey, "Blob", reg::REG_BINARY, QByteArray("\1\2\3", 3));
    EXPECT_EQ(ReadRegistryValue(HKCU, testKey, "AllBits", "d"), "-1");
    EXPECT_EQ(ReadRegistryValue(HKCU, testKey, "Sixteen", "d"), "16");
    EXPECT_EQ(ReadRegistryValue(HKCU, testKey, "BigSixteen", "d"), "16");
    // Binary data has no reading: an empty result, not the default.
    EXPECT_EQ(ReadRegistryValue(HKCU, testKey, "Blob", "d"), QString(""));
}

TEST(RegistryKeysAndValues, StatusCodesArePassedThrough)
{
    reg::Hkey key = 0;
    EXPECT_EQ(OpenRegKey(HKCU, "Software\\QvCommonTests\\Missing", reg::KEY_READ, key),
              reg::ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(CreateRegKey(HKCU, testKey, key), reg::ERROR_SUCCESS);
    vb::Variant value;
    EXPECT_EQ(QueryRegValue(key, "NoSuchValue", value), reg::ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(value.isEmpty());
    reg::closeKey(key);
    // A path with an empty level is refused by the registry; its status comes back unchanged.
    EXPECT_EQ(WriteRegistryString(HKCU, "Software\\\\QvCommonTests", "v", "x"),
              reg::ERROR_BAD_PATHNAME);
    EXPECT_EQ(SaveProductSetting(HKCU, "A\\\\B", "v", "x"), reg::ERROR_BAD_PATHNAME);
}

TEST(RegistryKeysAndValues, TypeZeroStoresNumbersAsDwordAndTextAsString)
{
    reg::Hkey key = 0;
    ASSERT_EQ(CreateRegKey(HKCU, testKey, key), reg::ERROR_SUCCESS);
    EXPECT_EQ(SetRegValue(key, "Number", 0, vb::Variant(std::int16_t{5})), reg::ERROR_SUCCESS);
    EXPECT_EQ(SetRegValue(key, "Text", 0, vb::Variant("5")), reg::ERROR_SUCCESS);
    EXPECT_EQ(SetRegValue(key, "Big", reg::REG_DWORD_BIG_ENDIAN, vb::Variant(16)),
              reg::ERROR_SUCCESS);

    vb::Variant number;
    vb::Variant text;
    vb::Variant big;
    EXPECT_EQ(QueryRegValue(key, "Number", number), reg::ERROR_SUCCESS);
    EXPECT_EQ(QueryRegValue(key, "Text", text), reg::ERROR_SUCCESS);
    EXPECT_EQ(QueryRegValue(key, "Big", big), reg::ERROR_SUCCESS);
    reg::closeKey(key);
    EXPECT_EQ(number, vb::Variant(5));
    EXPECT_EQ(text, vb::Variant("5"));
    EXPECT_EQ(big, vb::Variant(16));

    const RawValue rawNumber = rawValue(testKey, "Number");
    EXPECT_EQ(rawNumber.type, reg::REG_DWORD);
    EXPECT_EQ(rawNumber.data, QByteArray("\5\0\0\0", 4));
    const RawValue rawText = rawValue(testKey, "Text");
    EXPECT_EQ(rawText.type, reg::REG_SZ);
    EXPECT_EQ(rawText.data, QByteArray("5", 2));
    EXPECT_EQ(rawValue(testKey, "Big").data, QByteArray("\0\0\0\x10", 4));
}

TEST(RegistryKeysAndValues, RefusedTypeRaisesAndWritesNothing)
{
    reg::Hkey key = 0;
    ASSERT_EQ(CreateRegKey(HKCU, testKey, key), reg::ERROR_SUCCESS);
    EXPECT_THROW(SetRegValue(key, "Refused", reg::REG_BINARY, vb::Variant("x")), vb::Error);
    EXPECT_THROW(SetRegValue(key, "Refused", reg::REG_MULTI_SZ, vb::Variant("x")), vb::Error);
    reg::closeKey(key);
    EXPECT_EQ(rawValue(testKey, "Refused").status, reg::ERROR_FILE_NOT_FOUND);
}

} // namespace
