// Enumeration in creation order, name buffers and key information.

#include "StoreFixture.h"

using Enumeration = StoreTest;

TEST_F(Enumeration, SubKeysAndValuesComeInCreationOrder)
{
    const reg::Hkey key = create(QStringLiteral("Order"));
    const QStringList names = {QStringLiteral("zeta"), QStringLiteral("Alpha"),
                               QStringLiteral("mid")};
    for (const QString& name : names) {
        create(QStringLiteral("Order\\") + name);
        ASSERT_EQ(setText(key, name, name), 0);
    }
    QString name;
    for (std::uint32_t i = 0; i < 3; ++i) {
        ASSERT_EQ(reg::enumKeyEx(key, i, &name, 256), 0);
        EXPECT_EQ(name, names[int(i)]);
        reg::ValueType type = 0;
        QByteArray data;
        ASSERT_EQ(reg::enumValue(key, i, &name, 256, &type, &data), 0);
        EXPECT_EQ(name, names[int(i)]);
        EXPECT_EQ(data, names[int(i)].toUtf8().append('\0'));
    }
    EXPECT_EQ(reg::enumKeyEx(key, 3, &name, 256), reg::ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(reg::enumValue(key, 3, &name, 256, nullptr, nullptr), reg::ERROR_NO_MORE_ITEMS);

    // Deleting from the middle closes the gap; a new key goes last.
    ASSERT_EQ(reg::deleteKey(key, QStringLiteral("Alpha")), 0);
    create(QStringLiteral("Order\\Alpha"));
    ASSERT_EQ(reg::enumKeyEx(key, 1, &name, 256), 0);
    EXPECT_EQ(name, QStringLiteral("mid"));
    ASSERT_EQ(reg::enumKeyEx(key, 2, &name, 256), 0);
    EXPECT_EQ(name, QStringLiteral("Alpha"));
}

TEST_F(Enumeration, NameCapacityCountsTheTerminatingZero)
{
    const reg::Hkey key = create(QStringLiteral("Capacity\\abcd"));
    ASSERT_EQ(setText(key, QStringLiteral("wxyz"), QStringLiteral("v")), 0);
    reg::Hkey parent = create(QStringLiteral("Capacity"));
    QString name = QStringLiteral("unchanged");
    EXPECT_EQ(reg::enumKeyEx(parent, 0, &name, 4), reg::ERROR_MORE_DATA);
    EXPECT_EQ(name, QStringLiteral("unchanged"));
    EXPECT_EQ(reg::enumKeyEx(parent, 0, &name, 5), 0);
    EXPECT_EQ(name, QStringLiteral("abcd"));
    EXPECT_EQ(reg::enumValue(key, 0, &name, 4, nullptr, nullptr), reg::ERROR_MORE_DATA);
    EXPECT_EQ(reg::enumValue(key, 0, &name, 5, nullptr, nullptr), 0);
    EXPECT_EQ(reg::enumKeyEx(parent, 0, nullptr, 5), reg::ERROR_INVALID_PARAMETER);
}

TEST_F(Enumeration, QueryInfoGivesCountsAndLongestSizes)
{
    const reg::Hkey key = create(QStringLiteral("Info"));
    create(QStringLiteral("Info\\short"));
    create(QStringLiteral("Info\\a longer name"));
    create(QStringLiteral("Info\\a longer name\\grandchild is not counted"));
    ASSERT_EQ(setText(key, QStringLiteral("n"), QStringLiteral("0123456789")), 0);
    ASSERT_EQ(setText(key, QStringLiteral("longest name"), QString()), 0);
    reg::KeyInfo info;
    ASSERT_EQ(reg::queryInfoKey(key, &info), 0);
    EXPECT_EQ(info.subKeys, 2u);
    EXPECT_EQ(info.maxSubKeyLength, 13u);
    EXPECT_EQ(info.values, 2u);
    EXPECT_EQ(info.maxValueNameLength, 12u);
    EXPECT_EQ(info.maxValueLength, 11u);
}

TEST_F(Enumeration, AnEmptyStoreListsNothing)
{
    QString name;
    EXPECT_EQ(reg::enumKeyEx(reg::HKEY_CURRENT_USER, 0, &name, 256), reg::ERROR_NO_MORE_ITEMS);
    reg::KeyInfo info;
    EXPECT_EQ(reg::queryInfoKey(reg::HKEY_CURRENT_USER, &info), 0);
    EXPECT_EQ(info.subKeys + info.values, 0u);
}
