// Keys: paths of several levels, case rules, deletion and where the store file lives.

#include "StoreFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

QString pathOf(reg::Hkey key)
{
    QString path;
    EXPECT_EQ(reg::queryKeyPath(key, &path), reg::ERROR_SUCCESS);
    return path;
}

} // namespace

using KeyTree = StoreTest;

TEST_F(KeyTree, CreatesSeveralLevelsAtOnceAndOpensThemInAnyCase)
{
    const reg::Hkey key = create(QStringLiteral("Software\\Quillmere\\Quorvex\\Application"));
    ASSERT_EQ(setText(key, QStringLiteral("FullPath"), QStringLiteral("/opt/q")), 0);

    reg::Hkey parent = 0;
    ASSERT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("SOFTWARE\\quillmere"),
                             reg::KEY_READ, &parent),
              reg::ERROR_SUCCESS);
    reg::Hkey child = 0;
    ASSERT_EQ(reg::openKeyEx(parent, QStringLiteral("QUORVEX\\application"), reg::KEY_READ, &child),
              reg::ERROR_SUCCESS);
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(child, QStringLiteral("fullpath"), &type, &data), reg::ERROR_SUCCESS);
    EXPECT_EQ(data, QByteArray("/opt/q", 7));
    // The case the keys were created with is kept, whatever case opened them.
    EXPECT_EQ(pathOf(child), QStringLiteral("Software\\Quillmere\\Quorvex\\Application"));
    EXPECT_EQ(pathOf(parent), QStringLiteral("Software\\Quillmere"));
    EXPECT_EQ(pathOf(reg::HKEY_CURRENT_USER), QString());
}

TEST_F(KeyTree, CreatingAnExistingKeyInOtherCaseOpensItAndKeepsTheFirstCase)
{
    create(QStringLiteral("Software\\Quorvex"));
    const reg::Hkey again = create(QStringLiteral("software\\QUORVEX\\New"));
    EXPECT_EQ(pathOf(again), QStringLiteral("Software\\Quorvex\\New"));
    reg::KeyInfo info;
    reg::Hkey software = create(QStringLiteral("SOFTWARE"));
    ASSERT_EQ(reg::queryInfoKey(software, &info), 0);
    EXPECT_EQ(info.subKeys, 1u);
}

TEST_F(KeyTree, NamesCompareWithUnicodeCaseFolding)
{
    const reg::Hkey key = create(QStringLiteral("Ärger\\ΣΟΦΙΑ"));
    ASSERT_EQ(setText(key, QStringLiteral("Größe"), QStringLiteral("x")), 0);
    reg::Hkey same = 0;
    ASSERT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("äRGER\\σοφια"), reg::KEY_READ,
                             &same),
              reg::ERROR_SUCCESS);
    EXPECT_EQ(pathOf(same), QStringLiteral("Ärger\\ΣΟΦΙΑ"));
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(same, QStringLiteral("GRÖßE"), &type, &data), reg::ERROR_SUCCESS);
}

TEST_F(KeyTree, PathsWithEmptyLevelsAreRefusedClearly)
{
    reg::Hkey key = 0;
    EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, QStringLiteral("\\Software"), &key),
              reg::ERROR_BAD_PATHNAME);
    EXPECT_TRUE(reg::lastErrorText().contains(QStringLiteral("empty level")));
    EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\\\Quorvex"), &key),
              reg::ERROR_BAD_PATHNAME);
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("a\\\\b"), reg::KEY_READ, &key),
              reg::ERROR_BAD_PATHNAME);
    // Nothing was created by the refused calls.
    reg::KeyInfo info;
    EXPECT_EQ(reg::queryInfoKey(reg::HKEY_CURRENT_USER, &info), 0);
    EXPECT_EQ(info.subKeys, 0u);

    // One trailing backslash names the same key.
    const reg::Hkey software = create(QStringLiteral("Software\\"));
    EXPECT_EQ(pathOf(software), QStringLiteral("Software"));

    EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, QString(256, QLatin1Char('k')), &key),
              reg::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, QString(255, QLatin1Char('k')), &key),
              reg::ERROR_SUCCESS);
}

TEST_F(KeyTree, DeletingKeys)
{
    const reg::Hkey parent = create(QStringLiteral("Parent"));
    const reg::Hkey child = create(QStringLiteral("Parent\\Child"));
    ASSERT_EQ(setText(child, QStringLiteral("v"), QStringLiteral("1")), 0);

    // A key with sub-keys stays, as on Windows.
    EXPECT_EQ(reg::deleteKey(reg::HKEY_CURRENT_USER, QStringLiteral("Parent")),
              reg::ERROR_ACCESS_DENIED);
    EXPECT_TRUE(reg::lastErrorText().contains(QStringLiteral("sub-key")));
    EXPECT_EQ(reg::deleteKey(parent, QStringLiteral("CHILD")), reg::ERROR_SUCCESS);
    EXPECT_EQ(reg::deleteKey(parent, QStringLiteral("Child")), reg::ERROR_FILE_NOT_FOUND);

    // The handle of the deleted key now reports it as deleted; its values went with it.
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(child, QStringLiteral("v"), &type, &data), reg::ERROR_KEY_DELETED);
    EXPECT_EQ(setText(child, QStringLiteral("v"), QStringLiteral("2")), reg::ERROR_KEY_DELETED);
    EXPECT_EQ(reg::closeKey(child), reg::ERROR_SUCCESS);

    // A new key of the same name is another key: the old values do not come back.
    const reg::Hkey recreated = create(QStringLiteral("Parent\\Child"));
    EXPECT_EQ(read(recreated, QStringLiteral("v"), &type, &data), reg::ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(reg::deleteKey(reg::HKEY_CURRENT_USER, QString()), reg::ERROR_ACCESS_DENIED);
}

TEST_F(KeyTree, StoreFileIsCreatedPrivateOnFirstWriteOnly)
{
    const QString path = folderPath(QStringLiteral("new/folder/registry.db"));
    usePath(path);
    reg::Hkey key = 0;
    EXPECT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Software"), reg::KEY_READ, &key),
        reg::ERROR_FILE_NOT_FOUND);
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(reg::HKEY_CURRENT_USER, QStringLiteral("x"), &type, &data),
              reg::ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(QFileInfo::exists(path));

    key = create(QStringLiteral("Software"));
    ASSERT_TRUE(QFileInfo::exists(path));
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u); // nobody else reads the user's settings
}

TEST_F(KeyTree, StorePathFollowsTheEnvironment)
{
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    const QString explicitPath = folderPath(QStringLiteral("explicit.db"));
    usePath(explicitPath);
    EXPECT_EQ(reg::storePath(), explicitPath);

    qunsetenv("QUORVEX_REGISTRY");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-config");
    EXPECT_EQ(reg::storePath(), QStringLiteral("/tmp/xdg-config/quorvex/registry.db"));
    qputenv("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(reg::storePath(), QDir::homePath() + QStringLiteral("/.config/quorvex/registry.db"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(reg::storePath(), QDir::homePath() + QStringLiteral("/.config/quorvex/registry.db"));

    if (!xdg.isNull())
        qputenv("XDG_CONFIG_HOME", xdg);
    usePath(explicitPath);
}

TEST_F(KeyTree, DeleteTreeRemovesEverythingBelow)
{
    const reg::Hkey top = create(QStringLiteral("Tree"));
    ASSERT_EQ(setText(top, QStringLiteral("kept?"), QStringLiteral("x")), 0);
    for (const char* path : {"Tree\\a\\b\\c", "Tree\\a\\d", "Tree\\e"}) {
        const reg::Hkey key = create(QString::fromLatin1(path));
        ASSERT_EQ(setText(key, QStringLiteral("v"), QStringLiteral("x")), 0);
    }
    create(QStringLiteral("Sibling"));

    // With an empty path the key stays and only its contents go.
    ASSERT_EQ(reg::deleteTree(top, QStringLiteral("a")), 0);
    reg::KeyInfo info;
    ASSERT_EQ(reg::queryInfoKey(top, &info), 0);
    EXPECT_EQ(info.subKeys, 1u);
    ASSERT_EQ(reg::deleteTree(top, QString()), 0);
    ASSERT_EQ(reg::queryInfoKey(top, &info), 0);
    EXPECT_EQ(info.subKeys + info.values, 0u);

    ASSERT_EQ(reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Tree")), 0);
    reg::Hkey key = 0;
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Tree"), reg::KEY_READ, &key),
              reg::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Sibling"), reg::KEY_READ, &key), 0);
    EXPECT_EQ(reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Tree")),
              reg::ERROR_FILE_NOT_FOUND);
}
