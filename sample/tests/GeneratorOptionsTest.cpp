// What the generator refuses, what --register writes and what qvsample does on the command
// line.

#include "common/Registry_Management.h"
#include "SampleFixture.h"
#include "vb/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace sample::test {
namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST(GeneratorOptions, RefusesAFolderThatIsNotEmptyAndLeavesItAlone)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("notes.txt")), "mine");
    try {
        writeInstallation(dir.path(), InstallationOptions{});
        FAIL() << "a folder with a file was accepted";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().contains(QLatin1String("not empty")))
            << error.description().toStdString();
        EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(dir.path())));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("notes.txt")});
}

TEST(GeneratorOptions, RefusesAWineCountOutOfRangeBeforeWritingAnything)
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("new"));
    for (const int wines : {0, -5, InstallationOptions::maximumWines + 1}) {
        InstallationOptions options;
        options.wines = wines;
        EXPECT_THROW(writeInstallation(folder, options), vb::Error) << wines;
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
}

// One installation for both: each made installation costs a few disk syncs per database.
TEST(GeneratorOptions, RegistersTheInstallationAndCopiesTheSuitesPrograms)
{
    using Registry_Management::GetProductSetting;
    QTemporaryDir programs;
    writeFile(programs.filePath(QStringLiteral("tovrak")), "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(programs.filePath(QStringLiteral("tovrak")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(programs.filePath(QStringLiteral("unrelated")), "x");

    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Registered Cellar"));
    InstallationOptions options;
    options.wines = 5;
    options.registerInstallation = true;
    options.programFolder = programs.path();
    const InstallationSummary summary = writeInstallation(folder, options);

    const QString root = QDir(folder).absolutePath();
    const auto setting = [](const char* section, const char* name) {
        return GetProductSetting(reg::HKEY_CURRENT_USER, QString::fromLatin1(section),
                                 QString::fromLatin1(name), QStringLiteral("<missing>"));
    };
    EXPECT_EQ(setting("Application", "FullPath"), root);
    EXPECT_EQ(setting("LastDatabase", "FullPath"), root + QStringLiteral("/csample.qvd"));
    EXPECT_EQ(setting("LanguageDB", "FullPath"), root + QStringLiteral("/english.lan"));
    const QString uniqueId = setting("Application", "UniqueID");
    EXPECT_EQ(uniqueId, summary.uniqueId);
    bool numeric = false;
    EXPECT_GT(uniqueId.toLongLong(&numeric), 4); // above the owner numbers 1, 3 and 4
    EXPECT_TRUE(numeric);

    EXPECT_EQ(summary.copiedPrograms, QStringList{QStringLiteral("tovrak")});
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/Tools/tovrak")).isExecutable());
    EXPECT_EQ(QDir(root + QStringLiteral("/Tools")).entryList(QDir::Files),
              QStringList{QStringLiteral("tovrak")});
}

TEST(GeneratorOptions, AFailedRunLeavesNoHalfInstallationBehind)
{
    // A registry store that cannot be opened makes the last step fail, after every file is
    // written.
    QTemporaryDir parent;
    const QByteArray store = qgetenv("QUORVEX_REGISTRY");
    qputenv("QUORVEX_REGISTRY", parent.path().toUtf8()); // a folder, not a store
    InstallationOptions options;
    options.wines = 2;
    options.registerInstallation = true;
    const QString made = parent.filePath(QStringLiteral("made"));
    EXPECT_THROW(writeInstallation(made, options), vb::Error);
    EXPECT_FALSE(QFileInfo::exists(made));
    const QString given = parent.filePath(QStringLiteral("given"));
    ASSERT_TRUE(QDir().mkdir(given));
    EXPECT_THROW(writeInstallation(given, options), vb::Error);
    EXPECT_TRUE(QDir(given).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    qputenv("QUORVEX_REGISTRY", store);
}

TEST(QvsampleProgram, WritesAnInstallationAndRefusesToWriteOverOne)
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("cli"));
    QProcess run;
    run.start(QStringLiteral(QV_QVSAMPLE),
              {QStringLiteral("--out"), folder, QStringLiteral("--wines"), QStringLiteral("4")});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/csample.qvd")));
    EXPECT_EQ(scalar(folder + QStringLiteral("/csample.qvd"),
                     QStringLiteral("SELECT Count(*) FROM tblWines"))
                  .toInt(),
              4);

    QProcess again;
    again.start(QStringLiteral(QV_QVSAMPLE), {QStringLiteral("--out"), folder});
    ASSERT_TRUE(again.waitForFinished(60000));
    EXPECT_EQ(again.exitCode(), 1);
    EXPECT_TRUE(again.readAllStandardError().contains("not empty"));

    QProcess badCount;
    badCount.start(QStringLiteral(QV_QVSAMPLE),
                   {QStringLiteral("--out"), parent.filePath(QStringLiteral("other")),
                    QStringLiteral("--wines"), QStringLiteral("many")});
    ASSERT_TRUE(badCount.waitForFinished(60000));
    EXPECT_EQ(badCount.exitCode(), 1);
    EXPECT_FALSE(QFileInfo::exists(parent.filePath(QStringLiteral("other"))));
}

} // namespace
} // namespace sample::test
