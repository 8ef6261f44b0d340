// HashTable: bucket order of keys whose buckets are worked out from the hash by hand, chains,
// slot reuse and growth, IgnoreCase, and the three error numbers.

#include "reports/winelist/HashTable.h"

#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QObject>

using namespace Qt::StringLiterals;

namespace {

using Keys = std::vector<QString>;

int errorNumberOf(const std::function<void()>& call, QString* description = nullptr)
{
    try {
        call();
    } catch (const vb::Error& error) {
        if (description)
            *description = error.description();
        return error.number();
    }
    return 0;
}

TEST(HashTable, KeysAndValuesComeInBucketOrderNotInsertionOrder)
{
    HashTable table; // 1024 buckets
    // "B" = 0x42 -> 66; "AB" = 0x00004241 -> 16961 mod 1024 = 577; "A" = 0x41 -> 65.
    table.Add(u"B"_s, vb::Variant(qint32(2)));
    table.Add(u"AB"_s, vb::Variant(qint32(3)));
    table.Add(u"A"_s, vb::Variant(qint32(1)));
    EXPECT_EQ(table.Keys(), (Keys{u"A"_s, u"B"_s, u"AB"_s}));
    const std::vector<vb::Variant> values = table.Values();
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].toLong(), 1);
    EXPECT_EQ(values[2].toLong(), 3);
    EXPECT_EQ(table.Count(), 3);
}

TEST(HashTable, TheHashIsASigned32BitXorOfWindows1252WordsTakenModuloNonNegative)
{
    // "abcdE": words 0x64636261 ^ 0x00000045 = 0x64636224 = 1684234788; mod 1000 = 788.
    EXPECT_EQ(HashTable::bucketOf(u"abcdE"_s, 1000), 788);
    // "aaa\u00ff": 0xFF616161 is -10395295 as a signed number; -295 + 1000 = 705 (the absolute
    // value would give 295).
    EXPECT_EQ(HashTable::bucketOf(u"aaa\u00ff"_s, 1000), 705);
    // The euro sign is byte 0x80 in Windows-1252: 0x80616161 = -2141101727; -727 + 1000 = 273.
    EXPECT_EQ(HashTable::bucketOf(u"aaa\u20ac"_s, 1000), 273);
    // Outside the code page the UTF-8 bytes are hashed: "\u0101" is C4 81 -> 0x81C4 = 33220.
    EXPECT_EQ(HashTable::keyBytes(u"\u0101"_s), QByteArray("\xc4\x81"));
    EXPECT_EQ(HashTable::bucketOf(u"\u0101"_s, 1024), 33220 % 1024);
}

TEST(HashTable, RemovingTheMiddleOfAThreeSlotChainKeepsTheOthersAndReusesItsSlot)
{
    HashTable table;
    table.SetSize(8);
    // "A" 65, "I" 73, "Q" 81 and "Y" 89 all fall in bucket 1 of 8.
    table.Add(u"A"_s, vb::Variant(u"first"_s));
    table.Add(u"I"_s, vb::Variant(u"middle"_s));
    table.Add(u"Q"_s, vb::Variant(u"last"_s));
    EXPECT_EQ(table.Keys(), (Keys{u"A"_s, u"I"_s, u"Q"_s}));
    const qint32 middleSlot = table.slotOf(u"I"_s);

    table.Remove(u"I"_s);
    EXPECT_EQ(table.Count(), 2);
    EXPECT_FALSE(table.Exists(u"I"_s));
    EXPECT_EQ(table.Item(u"A"_s).toString(), u"first"_s);
    EXPECT_EQ(table.Item(u"Q"_s).toString(), u"last"_s);
    EXPECT_TRUE(table.Item(u"I"_s).isEmpty());

    table.setItem(u"Y"_s, vb::Variant(u"new"_s)); // assignment adds a missing key
    EXPECT_EQ(table.slotOf(u"Y"_s), middleSlot);
    EXPECT_EQ(table.Keys(), (Keys{u"A"_s, u"Q"_s, u"Y"_s}));

    table.Remove(u"A"_s); // the chain's head: the bucket takes its next
    EXPECT_EQ(table.Keys(), (Keys{u"Q"_s, u"Y"_s}));
}

TEST(HashTable, GrowsBeyondListSizeByChunksAndRemoveAllStartsOver)
{
    HashTable table;
    table.SetSize(4, 2, 3);
    const Keys keys{u"k1"_s, u"k2"_s, u"k3"_s, u"k4"_s, u"k5"_s, u"k6"_s, u"k7"_s};
    for (const QString& key : keys)
        table.Add(key, vb::Variant(key + u"!"_s));
    EXPECT_EQ(table.Count(), 7);
    // Slots 1 and 2 first, then the chunks 3..5 and 6..8 in ascending order.
    for (qint32 i = 0; i < 7; ++i)
        EXPECT_EQ(table.slotOf(keys[size_t(i)]), i + 1) << keys[size_t(i)].toStdString();
    for (const QString& key : keys)
        EXPECT_EQ(table.Item(key).toString(), key + u"!"_s);

    table.SetSize(0, -1, 0); // sizes below 1 keep the current ones
    EXPECT_EQ(table.HashSize(), 4);
    EXPECT_EQ(table.ListSize(), 2);
    EXPECT_EQ(table.ChunkSize(), 3);
    EXPECT_EQ(table.Count(), 0);

    table.Add(u"k1"_s, vb::Variant(qint32(1)));
    table.RemoveAll();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_TRUE(table.Keys().empty());
    EXPECT_FALSE(table.Exists(u"k1"_s));
}

TEST(HashTable, ObjectsAreKeptByReference)
{
    HashTable table;
    auto object = std::make_shared<QObject>();
    table.setItem(u"item"_s, vb::Variant::fromObject(object));
    object->setObjectName(u"changed after storing"_s);
    EXPECT_EQ(table.Item(u"item"_s).object()->objectName(), u"changed after storing"_s);
}

TEST(HashTable, IgnoreCaseStoresKeysUpperCasedAndOnlyChangesWhenEmpty)
{
    HashTable table;
    table.setIgnoreCase(true);
    table.Add(u"Wine"_s, vb::Variant(qint32(1)));
    EXPECT_TRUE(table.Exists(u"WINE"_s));
    EXPECT_TRUE(table.Exists(u"wine"_s));
    EXPECT_EQ(table.Keys(), (Keys{u"WINE"_s}));

    QString description;
    EXPECT_EQ(errorNumberOf([&] { table.setIgnoreCase(false); }, &description), 1001);
    EXPECT_EQ(description, u"The Hash Table isn't empty"_s);
    EXPECT_TRUE(table.IgnoreCase());

    HashTable exact;
    exact.Add(u"Wine"_s, vb::Variant(qint32(1)));
    EXPECT_FALSE(exact.Exists(u"WINE"_s));
}

TEST(HashTable, RaisesItsThreeErrors)
{
    HashTable table;
    table.Add(u"x"_s, vb::Variant(qint32(1)));
    EXPECT_EQ(errorNumberOf([&] { table.Add(u"x"_s, vb::Variant(qint32(2))); }), 457);
    EXPECT_EQ(table.Item(u"x"_s).toLong(), 1);
    EXPECT_EQ(errorNumberOf([&] { table.Remove(u"missing"_s); }), 5);
    EXPECT_EQ(table.Count(), 1);
    QString description;
    EXPECT_EQ(errorNumberOf([&] { table.Exists(QString()); }, &description), 1001);
    EXPECT_EQ(description, u"Invalid key"_s);
    EXPECT_EQ(errorNumberOf([&] { table.setItem(QString(), vb::Variant()); }), 1001);
}

} // namespace
