// CFileVersionInfo on Windows PE samples and on our own ELF programs.

#include "CFileVersionInfo.h"
#include "QStringPrinter.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>

namespace {

using analyser::testing::peSample;

TEST(FileVersionInfoTest, FixedBlockAndStringsOfAPeProgram)
{
    CFileVersionInfo info;
    info.setFullPathName(peSample(QStringLiteral("sample32.exe")));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.VerFile(), QStringLiteral("3.06.0102"));
    EXPECT_EQ(info.VerProduct(), QStringLiteral("3.06.0000"));
    EXPECT_EQ(info.FileFlags(), QStringLiteral("PreRel"));
    EXPECT_EQ(info.FileOS(), QStringLiteral("NT-Win32"));
    EXPECT_EQ(info.FileType(), QStringLiteral("Application"));
    EXPECT_EQ(info.FileSubType(), QString());
    EXPECT_EQ(info.Language(), QStringLiteral("English (United States)"));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Quillmere"));
    EXPECT_EQ(info.FileVersion(), QStringLiteral("3.6.1.2"));
    EXPECT_EQ(info.LegalCopyright(), QStringLiteral("Copyright © 2001-2026 Quillmere"));
    EXPECT_EQ(info.OriginalFilename(), QStringLiteral("sample32.exe"));
    EXPECT_EQ(info.PrivateBuild(), QString());
    EXPECT_EQ(info.PredefinedName(4), QStringLiteral("File Version"));
    EXPECT_EQ(info.PredefinedValue(4), QStringLiteral("3.6.1.2"));
    EXPECT_EQ(info.PredefinedValue(0), info.Language());
    EXPECT_EQ(info.PredefinedName(14), QStringLiteral("LegalTrademarks2"));
    EXPECT_EQ(info.PredefinedName(15), QString());
    EXPECT_EQ(info.PredefinedValue(-1), QString());
}

TEST(FileVersionInfoTest, StringsUnderUsEnglishWhenTheTranslationNamesAnotherLanguage)
{
    CFileVersionInfo info;
    info.setFullPathName(peSample(QStringLiteral("fallback64.exe")));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.Language(), QStringLiteral("German (Germany)"));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Quillmere"));
    EXPECT_EQ(info.ProductName(), QStringLiteral("Quorvex Tools"));
    EXPECT_EQ(info.VerFile(), QStringLiteral("1.02.0304"));
}

TEST(FileVersionInfoTest, AFileWithoutVersionInformationShowsNothingOfTheFileBefore)
{
    CFileVersionInfo info;
    info.setFullPathName(peSample(QStringLiteral("sample64.dll")));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileType(), QStringLiteral("DLL"));
    info.setFullPathName(peSample(QStringLiteral("noversion32.exe")));
    EXPECT_FALSE(info.Available());
    EXPECT_EQ(info.CompanyName(), QString());
    EXPECT_EQ(info.VerFile(), QString());
    EXPECT_EQ(info.Language(), QString());
    info.setFullPathName(peSample(QStringLiteral("sample.rc")));
    EXPECT_FALSE(info.Available());
}

TEST(FileVersionInfoTest, OurOwnProgramsCarryTheSuiteVersion)
{
    CFileVersionInfo info;
    info.setFullPathName(analyser::testing::kestruneProgram());
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileVersion(), QStringLiteral(QV_FILE_VERSION));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Quillmere"));
    EXPECT_EQ(info.FileDescription(), QStringLiteral("Quorvex Kestrune installation analyser"));
}

TEST(FileVersionInfoTest, VersionNumbersAsTheyAreShown)
{
    EXPECT_EQ(CFileVersionInfo::formatVersion(0x00030006, 0x00000000), QStringLiteral("3.06.0000"));
    EXPECT_EQ(CFileVersionInfo::formatVersion(0x00030006, 0x00010002), QStringLiteral("3.06.0102"));
    EXPECT_EQ(CFileVersionInfo::formatVersion(0x000B0000, 0x00000007),
              QStringLiteral("11.00.0007"));
    EXPECT_EQ(CFileVersionInfo::formatVersion(0x00020005, 0x007B0009),
              QStringLiteral("2.05.12309"));
}

} // namespace
