#include "common/Registry_Management.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "platform/vb/Error.h"

#include <cstdint>

QV_QT_TEST_APPLICATION();

namespace {

using Registry_Management::RegDataToValue;
using Registry_Management::ValueToRegData;

QByteArray bytes(std::initializer_list<std::uint8_t> list)
{
    QByteArray data;
    for (const std::uint8_t b : list)
        data.append(static_cast<char>(b));
    return data;
}

vb::Variant fromData(const QByteArray& data, reg::ValueType type)
{
    return RegDataToValue(data, static_cast<std::uint32_t>(data.size()), type);
}

TEST(RegDataToValue, TextLosesOnlyItsTerminatingZero)
{
    EXPECT_EQ(fromData(QByteArray("abc", 4), reg::REG_SZ), vb::Variant("abc"));
    // Data written without the zero must not lose its last character.
    EXPECT_EQ(fromData(QByteArray("abc"), reg::REG_SZ), vb::Variant("abc"));
    EXPECT_EQ(fromData(QByteArray(), reg::REG_SZ), vb::Variant(""));
    // Only `length` bytes count, whatever else the buffer holds.
    EXPECT_EQ(RegDataToValue(QByteArray("abcdef", 7), 3, reg::REG_SZ), vb::Variant("abc"));
    EXPECT_EQ(fromData(QByteArray("Ch\xc3\xa2teau", 8), reg::REG_SZ),
              vb::Variant(QStringLiteral("Ch\u00e2teau")));
}

TEST(RegDataToValue, NumbersInBothByteOrders)
{
    EXPECT_EQ(fromData(bytes({0xFF, 0xFF, 0xFF, 0xFF}), reg::REG_DWORD), vb::Variant(-1));
    EXPECT_EQ(fromData(bytes({0x10, 0x00, 0x00, 0x00}), reg::REG_DWORD), vb::Variant(16));
    EXPECT_EQ(fromData(bytes({0x00, 0x00, 0x00, 0x80}), reg::REG_DWORD),
              vb::Variant(std::int32_t{INT32_MIN}));
    EXPECT_EQ(fromData(bytes({0x78, 0x56, 0x34, 0x12}), reg::REG_DWORD),
              vb::Variant(std::int32_t{0x12345678}));
    EXPECT_EQ(fromData(bytes({0x00, 0x00, 0x00, 0x10}), reg::REG_DWORD_BIG_ENDIAN),
              vb::Variant(16));
    EXPECT_EQ(fromData(bytes({0xFF, 0xFF, 0xFF, 0xFE}), reg::REG_DWORD_BIG_ENDIAN),
              vb::Variant(-2));
    // Short data reads as if the missing bytes were zero, never past the data.
    EXPECT_EQ(fromData(bytes({0x10}), reg::REG_DWORD), vb::Variant(16));
}

TEST(RegDataToValue, MultiStringBinaryAndUnknownTypes)
{
    EXPECT_EQ(fromData(QByteArray("a\0b\0\0", 5), reg::REG_MULTI_SZ),
              vb::Variant(QString::fromUtf8("a\0b", 3)));
    EXPECT_EQ(fromData(QByteArray("\0\0", 2), reg::REG_MULTI_SZ), vb::Variant(""));
    EXPECT_TRUE(fromData(bytes({1, 2, 3}), reg::REG_BINARY).isEmpty());
    EXPECT_TRUE(fromData(bytes({1, 2, 3, 4, 5, 6, 7, 8}), reg::REG_QWORD).isEmpty());
}

TEST(RegDataToValue, ExpandableTextIsExpanded)
{
    qputenv("QV_COMMON_TEST_DIR", "/srv/cellar");
    EXPECT_EQ(fromData(QByteArray("%QV_COMMON_TEST_DIR%/Tools\0", 26), reg::REG_EXPAND_SZ),
              vb::Variant("/srv/cellar/Tools"));
    // A long expansion comes back whole rather than cut at the read buffer's size.
    const QByteArray longValue(3000, 'x');
    qputenv("QV_COMMON_TEST_LONG", longValue);
    EXPECT_EQ(fromData(QByteArray("%QV_COMMON_TEST_LONG%", 21), reg::REG_EXPAND_SZ).toString(),
              QString::fromLatin1(longValue));
}

TEST(ValueToRegData, TypeZeroChoosesByTheValue)
{
    reg::ValueType type = 0;
    EXPECT_EQ(ValueToRegData(vb::Variant(std::int16_t{5}), type), bytes({5, 0, 0, 0}));
    EXPECT_EQ(type, reg::REG_DWORD);
    type = 0;
    EXPECT_EQ(ValueToRegData(vb::Variant(std::int32_t{-1}), type), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(type, reg::REG_DWORD);
    type = 0;
    EXPECT_EQ(ValueToRegData(vb::Variant(true), type), bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(type, reg::REG_DWORD);
    type = 0;
    EXPECT_EQ(ValueToRegData(vb::Variant(std::uint8_t{200}), type), bytes({200, 0, 0, 0}));
    EXPECT_EQ(type, reg::REG_DWORD);
    type = 0;
    EXPECT_EQ(ValueToRegData(vb::Variant("5"), type), QByteArray("5", 2));
    EXPECT_EQ(type, reg::REG_SZ);
    // Any other value is written as its default text.
    type = 0;
    const vb::Variant number(1.5);
    EXPECT_EQ(ValueToRegData(number, type), (number.toString() + QChar(u'\0')).toUtf8());
    EXPECT_EQ(type, reg::REG_SZ);
}

TEST(ValueToRegData, ExplicitTypesAndByteOrder)
{
    reg::ValueType type = reg::REG_DWORD_BIG_ENDIAN;
    EXPECT_EQ(ValueToRegData(vb::Variant(std::int32_t{0x12345678}), type),
              bytes({0x12, 0x34, 0x56, 0x78}));
    EXPECT_EQ(type, reg::REG_DWORD_BIG_ENDIAN);
    type = reg::REG_DWORD;
    EXPECT_EQ(ValueToRegData(vb::Variant("16"), type), bytes({16, 0, 0, 0}));
    type = reg::REG_EXPAND_SZ;
    EXPECT_EQ(ValueToRegData(vb::Variant("%TEMP%"), type), QByteArray("%TEMP%", 7));
    type = reg::REG_SZ;
    EXPECT_EQ(ValueToRegData(vb::Variant(std::int32_t{42}), type), QByteArray("42", 3));
}

TEST(ValueToRegData, UnwritableTypesAreRefusedWithAClearError)
{
    for (const reg::ValueType refused : {reg::REG_BINARY, reg::REG_MULTI_SZ, reg::REG_QWORD}) {
        reg::ValueType type = refused;
        try {
            ValueToRegData(vb::Variant("x"), type);
            ADD_FAILURE() << "type " << refused << " was accepted";
        } catch (const vb::Error& error) {
            EXPECT_EQ(error.number(), vb::ErrorNumber::InvalidProcedureCall);
            EXPECT_TRUE(error.description().contains(QString::number(refused)));
            EXPECT_EQ(error.source(), QStringLiteral("Registry_Management"));
        }
    }
}

} // namespace
