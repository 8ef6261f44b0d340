// Windows PE files linked by the mingw binutils from the .rc files in data/.

#include "QStringPrinter.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

QString sample(const char* name)
{
    return QStringLiteral(VERSIONINFO_DATA_DIR "/") + QLatin1String(name);
}

constexpr verinfo::Translation kEnglishUnicode{0x0409, 1200};
constexpr verinfo::Translation kGermanUnicode{0x0407, 1200};

} // namespace

TEST(PeReader, Pe32PlusLibraryGivesFixedBlockTranslationsAndStrings)
{
    const auto info = verinfo::readFile(sample("sample64.dll"));
    ASSERT_TRUE(info.has_value());
    const verinfo::FixedFileInfo& fixed = info->fixed;
    EXPECT_EQ(fixed.signature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.strucVersion, 0x00010000u);
    EXPECT_EQ(fixed.fileVersionMS, 0x00030006u);
    EXPECT_EQ(fixed.fileVersionLS, 0x00010002u);
    EXPECT_EQ(fixed.productVersionMS, 0x00030006u);
    EXPECT_EQ(fixed.productVersionLS, 0u);
    EXPECT_EQ(fixed.fileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.fileFlags, 2u);
    EXPECT_EQ(fixed.fileOS, verinfo::kFileOsNtWin32);
    EXPECT_EQ(fixed.fileType, verinfo::kFileTypeDll);

    ASSERT_EQ(info->translations.size(), 2u);
    EXPECT_EQ(info->translations[0], kEnglishUnicode);
    EXPECT_EQ(info->translations[1], kGermanUnicode);
    ASSERT_EQ(info->stringTables.size(), 2u);
    EXPECT_EQ(info->stringTables[0].key, "040904B0");
    EXPECT_EQ(info->stringTables[1].translation, kGermanUnicode);

    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
    EXPECT_EQ(info->value("Comments"), "PE sample for the version reader");
    EXPECT_EQ(info->value("OriginalFilename"), "sample64.dll");
    EXPECT_EQ(info->value("LegalCopyright"), QString::fromUtf8("Copyright © 2001-2026 Quillmere"));
    EXPECT_TRUE(info->stringTables[0].contains("PrivateBuild"));
    EXPECT_EQ(info->value("PrivateBuild"), "");
    EXPECT_FALSE(info->stringTables[0].contains("SpecialBuild"));
    EXPECT_EQ(info->value("CompanyName", kGermanUnicode), "Quillmere GmbH");
    EXPECT_EQ(info->value("Comments", kGermanUnicode), "");
    EXPECT_EQ(info->stringTable({0x040C, 1200}), nullptr);
}

TEST(PeReader, Pe32ProgramReadsLikeThe64BitLibrary)
{
    const auto info = verinfo::readFile(sample("sample32.exe"));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->fixed.fileType, verinfo::kFileTypeApp);
    EXPECT_EQ(info->fixed.fileVersionLS, 0x00010002u);
    EXPECT_EQ(info->value("OriginalFilename"), "sample32.exe");
    EXPECT_EQ(info->stringTables.size(), 2u);
}

TEST(PeReader, StringsUnderAnotherLanguageThanTheTranslationAreStillFound)
{
    const auto info = verinfo::readFile(sample("fallback64.exe"));
    ASSERT_TRUE(info.has_value());
    ASSERT_EQ(info->translations.size(), 1u);
    EXPECT_EQ(info->translations[0], (verinfo::Translation{0x0407, 1252}));
    EXPECT_EQ(info->value("CompanyName", {0x0407, 1252}), "");
    EXPECT_EQ(info->value("CompanyName", {0x0409, 1252}), "Quillmere");
    EXPECT_EQ(info->value("ProductName"), "Quorvex Tools") << "falls back to the first table";
}

TEST(PeReader, FilesWithoutVersionResourceGiveNothing)
{
    EXPECT_FALSE(verinfo::readFile(sample("noversion32.exe")));
    EXPECT_FALSE(verinfo::readFile(sample("make-pe-samples.sh")));
    EXPECT_FALSE(verinfo::readFile(sample("does-not-exist.dll")));
    EXPECT_FALSE(verinfo::readFile(VERSIONINFO_DATA_DIR)) << "a folder";
    EXPECT_FALSE(verinfo::readFile("/dev/zero")) << "a device";
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.dll");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(verinfo::readFile(fifo)) << "a named pipe, without waiting for a writer";
    EXPECT_FALSE(verinfo::readBytes("MZ"));
    EXPECT_FALSE(verinfo::readBytes({}));
}

TEST(PeReader, HugeFileIsMappedNotRead)
{
    // A 3 GiB sparse file: reading it whole would need the memory a mapping never touches.
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.dll");
    ASSERT_TRUE(QFile::copy(sample("sample64.dll"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite));
    if (!huge.resize(qint64{3} << 30))
        GTEST_SKIP() << "no sparse 3 GiB file possible here";
    huge.close();
    const auto info = verinfo::readFile(path);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
}
