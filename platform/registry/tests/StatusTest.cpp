// Handles, access masks and the status codes callers test for.

#include "StoreFixture.h"

using Status = StoreTest;

TEST_F(Status, ReadHandlesCannotWriteAndWriteHandlesCannotRead)
{
    create(QStringLiteral("Masks"));
    reg::Hkey reader = 0;
    ASSERT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Masks"), reg::KEY_READ, &reader), 0);
    EXPECT_EQ(setText(reader, QStringLiteral("v"), QStringLiteral("x")), reg::ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg::deleteValue(reader, QStringLiteral("v")), reg::ERROR_ACCESS_DENIED);

    reg::Hkey writer = 0;
    ASSERT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Masks"), reg::KEY_WRITE, &writer),
        0);
    ASSERT_EQ(setText(writer, QStringLiteral("v"), QStringLiteral("x")), 0);
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(writer, QStringLiteral("v"), &type, &data), reg::ERROR_ACCESS_DENIED);
    QString name;
    EXPECT_EQ(reg::enumKeyEx(writer, 0, &name, 100), reg::ERROR_ACCESS_DENIED);
    EXPECT_EQ(read(reader, QStringLiteral("v"), &type, &data), 0);

    // Query-only handles may read but not list sub-keys.
    reg::Hkey query = 0;
    ASSERT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Masks"), reg::KEY_QUERY_VALUE,
                             &query),
              0);
    EXPECT_EQ(read(query, QStringLiteral("v"), &type, &data), 0);
    EXPECT_EQ(reg::enumKeyEx(query, 0, &name, 100), reg::ERROR_ACCESS_DENIED);

    // Generic rights stand for the key rights.
    reg::Hkey generic = 0;
    ASSERT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Masks"), 0x80000000u, &generic), 0);
    EXPECT_EQ(read(generic, QStringLiteral("v"), &type, &data), 0);
    EXPECT_EQ(setText(generic, QStringLiteral("v"), QStringLiteral("y")), reg::ERROR_ACCESS_DENIED);
}

TEST_F(Status, CreatingBelowAReadOnlyHandleIsDeniedButOpeningWorks)
{
    create(QStringLiteral("Parent\\Existing"));
    reg::Hkey reader = 0;
    ASSERT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Parent"), reg::KEY_READ, &reader),
        0);
    reg::Hkey child = 0;
    EXPECT_EQ(reg::createKeyEx(reader, QStringLiteral("New"), reg::KEY_ALL_ACCESS, &child),
              reg::ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg::createKeyEx(reader, QStringLiteral("Existing"), reg::KEY_ALL_ACCESS, &child), 0);
    EXPECT_EQ(setText(child, QStringLiteral("v"), QStringLiteral("x")), 0);
}

TEST_F(Status, HandlesThatAreNotOpenAreInvalid)
{
    const reg::Hkey key = create(QStringLiteral("Handles"));
    EXPECT_EQ(reg::closeKey(key), 0);
    EXPECT_EQ(reg::closeKey(key), reg::ERROR_INVALID_HANDLE);
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(key, QStringLiteral("v"), &type, &data), reg::ERROR_INVALID_HANDLE);
    EXPECT_EQ(setText(0x1234, QStringLiteral("v"), QStringLiteral("x")), reg::ERROR_INVALID_HANDLE);
    reg::Hkey child = 0;
    EXPECT_EQ(reg::openKeyEx(0, QStringLiteral("Handles"), reg::KEY_READ, &child),
              reg::ERROR_INVALID_HANDLE);
    EXPECT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Handles"), reg::KEY_READ, nullptr),
        reg::ERROR_INVALID_PARAMETER);
    // Predefined roots stay usable after being "closed".
    EXPECT_EQ(reg::closeKey(reg::HKEY_CURRENT_USER), 0);
    EXPECT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Handles"), reg::KEY_READ, &child),
        0);
}

TEST_F(Status, OtherRootsAreEmptyAndReadOnly)
{
    reg::Hkey key = 0;
    EXPECT_EQ(
        reg::openKeyEx(reg::HKEY_LOCAL_MACHINE, QStringLiteral("Software"), reg::KEY_READ, &key),
        reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg::createKey(reg::HKEY_LOCAL_MACHINE, QStringLiteral("Software"), &key),
              reg::ERROR_ACCESS_DENIED);
    EXPECT_EQ(setText(reg::HKEY_CLASSES_ROOT, QStringLiteral("v"), QStringLiteral("x")),
              reg::ERROR_ACCESS_DENIED);
    QString name;
    EXPECT_EQ(reg::enumKeyEx(reg::HKEY_USERS, 0, &name, 100), reg::ERROR_NO_MORE_ITEMS);
    reg::KeyInfo info;
    info.subKeys = 9;
    EXPECT_EQ(reg::queryInfoKey(reg::HKEY_LOCAL_MACHINE, &info), 0);
    EXPECT_EQ(info.subKeys, 0u);
}

TEST_F(Status, AKeyDeletedThroughAnotherHandleReportsKeyDeleted)
{
    const reg::Hkey first = create(QStringLiteral("Shared"));
    reg::Hkey second = 0;
    ASSERT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Shared"), reg::KEY_ALL_ACCESS,
                             &second),
              0);
    ASSERT_EQ(reg::deleteKey(first, QString()), 0); // an empty path deletes the key itself
    QString name;
    EXPECT_EQ(reg::enumKeyEx(second, 0, &name, 100), reg::ERROR_KEY_DELETED);
    reg::Hkey child = 0;
    EXPECT_EQ(reg::createKey(second, QStringLiteral("Child"), &child), reg::ERROR_KEY_DELETED);
    reg::KeyInfo info;
    EXPECT_EQ(reg::queryInfoKey(second, &info), reg::ERROR_KEY_DELETED);
    EXPECT_FALSE(reg::lastErrorText().isEmpty());
}

TEST_F(Status, LastErrorTextDescribesTheFailedCallAndClearsOnSuccess)
{
    reg::Hkey key = 0;
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Nowhere\\Deep"), reg::KEY_READ,
                             &key),
              reg::ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(reg::lastErrorText().contains(QStringLiteral("HKEY_CURRENT_USER\\Nowhere\\Deep")));
    create(QStringLiteral("Somewhere"));
    EXPECT_TRUE(reg::lastErrorText().isEmpty());
}
