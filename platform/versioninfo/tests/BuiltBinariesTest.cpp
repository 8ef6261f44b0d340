// The version information our build embeds, read back from the binaries themselves.

#include "QStringPrinter.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString kSampleLibrary = QStringLiteral(VERSIONINFO_SAMPLE_LIBRARY);
const QString kNoCompanyProgram = QStringLiteral(VERSIONINFO_NOCOMPANY_PROGRAM);

QString runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // untranslated output
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The JSON payload `readelf -n` shows for the package metadata note.
QJsonObject readelfMetadata(const QString& path)
{
    const QString output = runProgram(QStringLiteral("readelf"), {QStringLiteral("-nW"), path});
    const QString marker = QStringLiteral("Packaging Metadata: ");
    const qsizetype at = output.indexOf(marker);
    if (at < 0)
        return {};
    const qsizetype end = output.indexOf(QLatin1Char('\n'), at);
    const QString json = output.mid(at + marker.size(), end < 0 ? -1 : end - at - marker.size());
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

} // namespace

TEST(BuiltBinaries, TestProgramCarriesTheSuiteFields)
{
    const auto info = verinfo::readOwn();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
    EXPECT_EQ(info->value("ProductName"), "Quorvex");
    EXPECT_EQ(info->value("InternalName"), "versioninfo_tests");
    EXPECT_EQ(info->value("OriginalFilename"), "versioninfo_tests");
    EXPECT_EQ(info->value("FileDescription"), "versioninfo_tests test program");
    EXPECT_TRUE(info->value("LegalCopyright").startsWith("Copyright"));
    EXPECT_EQ(info->value("companyname"), "Quillmere") << "keys match case-insensitively";

    ASSERT_FALSE(info->value("FileVersion").isEmpty());
    const auto [ms, ls] = verinfo::versionNumbers(info->value("FileVersion"));
    EXPECT_NE(ms, 0u);
    EXPECT_EQ(info->fixed.fileVersionMS, ms);
    EXPECT_EQ(info->fixed.fileVersionLS, ls);
    EXPECT_EQ(info->fixed.signature, verinfo::FixedFileInfo::kSignature);
    EXPECT_EQ(info->fixed.fileType, verinfo::kFileTypeApp);
    ASSERT_EQ(info->translations.size(), 1u);
    EXPECT_EQ(info->translations[0], (verinfo::Translation{0x0409, 0x04B0}));
    EXPECT_EQ(info->value("CompanyName", {0x0409, 0x04B0}), "Quillmere");

    EXPECT_EQ(verinfo::ownCompanyName(), "Quillmere");
    EXPECT_EQ(verinfo::ownCompanyName(), "Quillmere") << "the cached value stays";
}

TEST(BuiltBinaries, LibraryCarriesItsOwnFieldsWithAwkwardTextIntact)
{
    const auto info = verinfo::readFile(kSampleLibrary);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->fixed.fileType, verinfo::kFileTypeDll);
    EXPECT_EQ(info->value("FileDescription"),
              QString::fromUtf8("Sample \"library\" with a back\\slash, a semicolon; and Grüße"));
    EXPECT_EQ(info->value("InternalName"), "sample-internal");
    EXPECT_EQ(info->value("OriginalFilename"), QFileInfo(kSampleLibrary).fileName());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
}

TEST(BuiltBinaries, ProgramBuiltWithEmptyCompanyReadsNoCompany)
{
    const auto info = verinfo::readFile(kNoCompanyProgram);
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->stringTables.at(0).contains("CompanyName"));
    EXPECT_EQ(info->value("CompanyName"), "");
    EXPECT_EQ(info->value("ProductName"), "Quorvex");
    // The program itself sees the empty name through ownCompanyName().
    EXPECT_EQ(runProgram(kNoCompanyProgram, {}), "[]\n");
}

TEST(BuiltBinaries, ReadelfShowsTheSameFieldsAsTheReader)
{
    if (QStandardPaths::findExecutable("readelf").isEmpty())
        GTEST_SKIP() << "binutils (readelf) not installed";
    for (const QString& path : {kSampleLibrary, kNoCompanyProgram}) {
        SCOPED_TRACE(path.toStdString());
        const QJsonObject metadata = readelfMetadata(path);
        ASSERT_FALSE(metadata.isEmpty()) << "readelf -n shows no FDO packaging metadata";
        EXPECT_EQ(metadata.value("type").toString(), "deb");
        EXPECT_EQ(metadata.value("name").toString(), "quorvex");
        EXPECT_FALSE(metadata.value("version").toString().isEmpty());
        const auto info = verinfo::readFile(path);
        ASSERT_TRUE(info.has_value());
        for (const char* key :
             {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
              "OriginalFilename", "ProductName", "ProductVersion"}) {
            EXPECT_TRUE(metadata.contains(key)) << key;
            EXPECT_EQ(metadata.value(key).toString(), info->value(key)) << key;
        }
    }
}

TEST(BuiltBinaries, VersionInformationSurvivesStrip)
{
    if (QStandardPaths::findExecutable("strip").isEmpty())
        GTEST_SKIP() << "binutils (strip) not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath("stripped.so");
    ASSERT_TRUE(QFile::copy(kSampleLibrary, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(runProgram("strip", {"--strip-all", copy}), "");
    const auto info = verinfo::readFile(copy);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("InternalName"), "sample-internal");
    EXPECT_LT(QFileInfo(copy).size(), QFileInfo(kSampleLibrary).size()) << "strip did work";
}
