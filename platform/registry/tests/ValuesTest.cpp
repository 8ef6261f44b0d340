// Values keep their type number and bytes exactly; sizes and buffers behave as RegQueryValueEx.

#include "StoreFixture.h"

using Values = StoreTest;

TEST_F(Values, EveryTypeKeepsItsBytesExactly)
{
    const reg::Hkey key = create(QStringLiteral("Types"));
    struct Case
    {
        const char* name;
        reg::ValueType type;
        QByteArray data;
    };
    const std::vector<Case> cases = {
        {"sz", reg::REG_SZ, QByteArray("abc\0", 4)},
        {"sz without zero", reg::REG_SZ, QByteArray("abc")},
        {"sz with inner zero", reg::REG_SZ, QByteArray("a\0b\0", 4)},
        {"utf8", reg::REG_SZ, QStringLiteral("Château €").toUtf8().append('\0')},
        {"expand", reg::REG_EXPAND_SZ, QByteArray("%HOME%\\x\0", 9)},
        {"binary", reg::REG_BINARY, QByteArray("\x00\xff\x7f\x80", 4)},
        {"dword", reg::REG_DWORD, QByteArray("\xff\xff\xff\xff", 4)},
        {"big endian", reg::REG_DWORD_BIG_ENDIAN, QByteArray("\x00\x00\x00\x10", 4)},
        {"multi", reg::REG_MULTI_SZ, QByteArray("one\0two\0\0", 9)},
        {"qword", reg::REG_QWORD, QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8)},
        {"none empty", reg::REG_NONE, QByteArray()},
        {"odd type", 0x1234u, QByteArray("zz")},
    };
    for (const Case& c : cases)
        ASSERT_EQ(setBytes(key, QString::fromUtf8(c.name), c.type, c.data), 0) << c.name;
    for (const Case& c : cases) {
        reg::ValueType type = 99;
        QByteArray data("garbage");
        ASSERT_EQ(read(key, QString::fromUtf8(c.name), &type, &data), 0) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(data, c.data) << c.name;
    }
}

TEST_F(Values, ReplacingAValueKeepsItsPlaceAndNameButTakesTheNewType)
{
    const reg::Hkey key = create(QStringLiteral("Replace"));
    ASSERT_EQ(setText(key, QStringLiteral("First"), QStringLiteral("1")), 0);
    ASSERT_EQ(setText(key, QStringLiteral("Second"), QStringLiteral("2")), 0);
    const std::uint32_t number = 7;
    ASSERT_EQ(reg::setValueEx(key, QStringLiteral("FIRST"), reg::REG_DWORD,
                              reinterpret_cast<const std::uint8_t*>(&number), 4),
              0);
    QString name;
    reg::ValueType type = 0;
    QByteArray data;
    ASSERT_EQ(reg::enumValue(key, 0, &name, 100, &type, &data), 0);
    EXPECT_EQ(name, QStringLiteral("First"));
    EXPECT_EQ(type, reg::REG_DWORD);
    EXPECT_EQ(data, QByteArray("\x07\x00\x00\x00", 4));
    reg::KeyInfo info;
    ASSERT_EQ(reg::queryInfoKey(key, &info), 0);
    EXPECT_EQ(info.values, 2u);
}

TEST_F(Values, DefaultValueHasTheEmptyName)
{
    const reg::Hkey key = create(QStringLiteral("Default"));
    ASSERT_EQ(setText(key, QString(), QStringLiteral("default")), 0);
    ASSERT_EQ(setText(key, QStringLiteral("named"), QStringLiteral("other")), 0);
    reg::ValueType type = 0;
    QByteArray data;
    ASSERT_EQ(read(key, QString(), &type, &data), 0);
    EXPECT_EQ(data, QByteArray("default", 8));
    EXPECT_EQ(reg::deleteValue(key, QString()), 0);
    EXPECT_EQ(read(key, QString(), &type, &data), reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(read(key, QStringLiteral("named"), &type, &data), 0);
}

TEST_F(Values, BufferSizesFollowTheQueryRules)
{
    const reg::Hkey key = create(QStringLiteral("Sizes"));
    ASSERT_EQ(setText(key, QStringLiteral("v"), QStringLiteral("abcdef")), 0);

    // Type and size only.
    reg::ValueType type = 0;
    std::uint32_t size = 0;
    ASSERT_EQ(reg::queryValueEx(key, QStringLiteral("v"), &type, nullptr, &size), 0);
    EXPECT_EQ(type, reg::REG_SZ);
    EXPECT_EQ(size, 7u);

    // Too small: more data, the size needed, and the buffer left alone.
    std::uint8_t small[4] = {1, 2, 3, 4};
    size = sizeof small;
    EXPECT_EQ(reg::queryValueEx(key, QStringLiteral("v"), &type, small, &size),
              reg::ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(small[0], 1);

    // Exactly big enough.
    std::uint8_t exact[7] = {};
    size = sizeof exact;
    EXPECT_EQ(reg::queryValueEx(key, QStringLiteral("v"), nullptr, exact, &size), 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(exact), 7), QByteArray("abcdef", 7));

    // A data buffer without a size is a caller error, not a crash.
    EXPECT_EQ(reg::queryValueEx(key, QStringLiteral("v"), &type, exact, nullptr),
              reg::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg::setValueEx(key, QStringLiteral("v"), reg::REG_SZ, nullptr, 3),
              reg::ERROR_INVALID_PARAMETER);
    // Everything may be null when only existence is asked.
    EXPECT_EQ(reg::queryValueEx(key, QStringLiteral("v"), nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(reg::queryValueEx(key, QStringLiteral("missing"), nullptr, nullptr, nullptr),
              reg::ERROR_FILE_NOT_FOUND);
}

TEST_F(Values, ValuesBelongToTheirKeyOnly)
{
    const reg::Hkey a = create(QStringLiteral("A"));
    const reg::Hkey b = create(QStringLiteral("A\\B"));
    ASSERT_EQ(setText(a, QStringLiteral("v"), QStringLiteral("in a")), 0);
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(b, QStringLiteral("v"), &type, &data), reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg::deleteValue(b, QStringLiteral("v")), reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(read(a, QStringLiteral("v"), &type, &data), 0);
}
