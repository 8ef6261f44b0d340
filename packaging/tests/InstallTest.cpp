// The suite installed into a scratch root, run from there: every program answers --version,
// --help and a bad option; nothing installed points back into the build folder; the sample
// cellar is laid out, updated and its wine list written as a PDF by the installed programs;
// the menu entries and the AppStream data pass their validators.

#include "packaging/tests/InstalledTree.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace install::test {
namespace {

class Installed : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_tree = std::make_unique<InstalledTree>(); }
    static void TearDownTestSuite() { s_tree.reset(); }

    void SetUp() override { ASSERT_TRUE(s_tree->ready()) << s_tree->problem().toStdString(); }

    static const InstalledTree& tree() { return *s_tree; }

private:
    static inline std::unique_ptr<InstalledTree> s_tree;
};

std::string shown(const ProgramRun& run)
{
    return (u"exit "_s + QString::number(run.exitCode) + u"\nout: "_s + run.out + u"\nerr: "_s +
            run.err)
        .toStdString();
}

TEST_F(Installed, EveryProgramAnswersVersionHelpAndABadOption)
{
    const QList<Program> programs = InstalledTree::programs();
    ASSERT_GE(programs.size(), 10);
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name.toStdString());
        const QString file = tree().programPath(program);
        ASSERT_TRUE(QFileInfo(file).isExecutable()) << file.toStdString();

        const ProgramRun version = tree().run(file, {u"--version"_s});
        EXPECT_EQ(version.exitCode, 0) << shown(version);
        EXPECT_TRUE(version.out.startsWith(
            u"%1 (Quorvex) %2\n"_s.arg(program.name, QStringLiteral(QV_PRODUCT_VERSION))))
            << shown(version);
        EXPECT_TRUE(version.out.contains(u"Copyright (C)"_s)) << shown(version);

        const ProgramRun help = tree().run(file, {u"--help"_s});
        EXPECT_EQ(help.exitCode, 0) << shown(help);
        EXPECT_TRUE(help.out.startsWith(u"Usage: "_s + program.name)) << shown(help);
        EXPECT_TRUE(help.out.contains(u"--version"_s)) << shown(help);
        EXPECT_TRUE(help.err.isEmpty()) << shown(help);

        const ProgramRun bad = tree().run(file, {u"--no-such-option"_s});
        EXPECT_EQ(bad.exitCode, 64) << shown(bad);
        EXPECT_TRUE(bad.err.contains(u"Usage: "_s + program.name)) << shown(bad);
        EXPECT_TRUE(bad.err.contains(u"Try '%1 --help'"_s.arg(program.name))) << shown(bad);
        EXPECT_TRUE(bad.out.isEmpty()) << shown(bad);
    }
}

TEST_F(Installed, NothingInstalledNamesTheBuildFolder)
{
    const QByteArray build = QByteArrayLiteral(QV_BUILD_TREE);
    int binaries = 0;
    for (const QString& folder : {u"bin"_s, QStringLiteral(QV_PRIVATE_DIR)}) {
        QDirIterator files(tree().path(folder), QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (!bytes.startsWith("\x7f"
                                  "ELF"))
                continue;
            ++binaries;
            // A build-tree RUNPATH left in would make the program load the build's libraries.
            EXPECT_FALSE(bytes.contains(build + "/bin")) << file.fileName().toStdString();
        }
    }
    EXPECT_GE(binaries, 20);
}

TEST_F(Installed, EveryLibraryOfTheProgramFolderLiesInThePrivateFolderOnly)
{
    // The build's program folder holds the suite's libraries and the component libraries
    // (viewer, report libraries) beside the programs; an installation keeps them off bin/.
    const QStringList libraries =
        QDir(QStringLiteral(QV_BUILD_TREE "/bin")).entryList({u"*.so"_s}, QDir::Files, QDir::Name);
    for (const QString& component : {u"libLumesk.so"_s, u"libOlmaris.so"_s, u"libFeldrake.so"_s})
        EXPECT_TRUE(libraries.contains(component)) << component.toStdString();
    for (const QString& library : libraries) {
        EXPECT_TRUE(QFileInfo::exists(tree().path(QStringLiteral(QV_PRIVATE_DIR "/") + library)))
            << library.toStdString();
        EXPECT_FALSE(QFileInfo::exists(tree().path(u"bin/"_s + library))) << library.toStdString();
    }
}

TEST_F(Installed, TheInstalledProgramsWriteTheWineListOfANewCellar)
{
    const QString cellar = tree().scratch(u"data/quorvex/Cellar"_s);
    const ProgramRun sample =
        tree().run(tree().path(u"bin/qvsample"_s),
                   {u"--out"_s, cellar, u"--wines"_s, u"60"_s, u"--register"_s});
    ASSERT_EQ(sample.exitCode, 0) << shown(sample);

    const ProgramRun update = tree().run(tree().path(u"bin/travone"_s), {u"--unattended"_s});
    ASSERT_EQ(update.exitCode, 0) << shown(update);

    const QString pdf = tree().scratch(u"out/winelist.pdf"_s);
    const ProgramRun report =
        tree().run(tree().path(u"bin/quorvex"_s),
                   {u"report"_s, u"winelist"_s, u"--grouping"_s, u"Country/StateRegion/"_s,
                    u"--export"_s, u"pdf"_s, u"--out"_s, pdf});
    ASSERT_EQ(report.exitCode, 0) << shown(report);

    const ProgramRun info = runTool(u"pdfinfo"_s, {pdf});
    if (!info.finished)
        GTEST_SKIP()
            << "pdfinfo (poppler-utils) is not installed; the PDF was written but not read";
    const QRegularExpressionMatch pages = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info.out);
    ASSERT_TRUE(pages.hasMatch()) << shown(info);
    EXPECT_GE(pages.captured(1).toInt(), 1);
    const ProgramRun text = runTool(u"pdftotext"_s, {pdf, u"-"_s});
    EXPECT_FALSE(text.out.trimmed().isEmpty()) << shown(text);
}

TEST_F(Installed, MenuEntriesAndAppStreamDataPassTheirValidators)
{
    for (const QString& id : InstalledTree::desktopIds()) {
        SCOPED_TRACE(id.toStdString());
        const QString desktop =
            tree().path(QStringLiteral(QV_DATA_DIR "/applications/") + id + u".desktop"_s);
        ASSERT_TRUE(QFileInfo::exists(desktop));
        QSettings entry(desktop, QSettings::IniFormat);
        const QString exec = entry.value(u"Desktop Entry/Exec"_s).toString();
        EXPECT_TRUE(QFileInfo(tree().path(u"bin/"_s + exec)).isExecutable()) << exec.toStdString();
        const QString icon = entry.value(u"Desktop Entry/Icon"_s).toString();
        EXPECT_TRUE(QFileInfo::exists(tree().path(
            QStringLiteral(QV_DATA_DIR) + u"/icons/hicolor/scalable/apps/"_s + icon + u".svg"_s)))
            << icon.toStdString();
    }
    const ProgramRun desktop = runTool(u"desktop-file-validate"_s, {});
    const ProgramRun appstream = runTool(u"appstreamcli"_s, {u"--version"_s});
    if (!desktop.finished || !appstream.finished)
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) or appstreamcli (appstream) "
                        "is not installed; run scripts/install-deps.sh";
    for (const QString& id : InstalledTree::desktopIds()) {
        const ProgramRun valid = runTool(
            u"desktop-file-validate"_s,
            {tree().path(QStringLiteral(QV_DATA_DIR "/applications/") + id + u".desktop"_s)});
        EXPECT_EQ(valid.exitCode, 0) << shown(valid);
        EXPECT_TRUE(valid.out.trimmed().isEmpty()) << shown(valid);
    }
    const ProgramRun metainfo = runTool(
        u"appstreamcli"_s,
        {u"validate"_s, u"--no-net"_s,
         tree().path(QStringLiteral(QV_DATA_DIR "/metainfo/com.quillmere.Quorvex.metainfo.xml"))});
    EXPECT_EQ(metainfo.exitCode, 0) << shown(metainfo);
}

} // namespace
} // namespace install::test
