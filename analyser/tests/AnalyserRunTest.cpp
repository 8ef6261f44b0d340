// Whole runs of the analyser on a small installation: the report line by line, the fallback
// without a registry value, the silent mode with its marker file, the missing database engine,
// and the window's copy to the clipboard.

#include "CFileInfo.h"
#include "common/cRegistry.h"
#include "FileAnalysis.h"
#include "frmMain.h"
#include "platform/shell/ClipboardFiles.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "QStringPrinter.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScopeGuard>
#include <QThread>
#include <QUrl>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using analyser::testing::TestInstallation;
using analyser::testing::treeLine;

// Runs the real registry editor to completion when the analyser starts it, so the export is
// there before the report reads it.
void runProgramsToCompletion(shell::ScriptedUser& user)
{
    user.setProcessScript([](const QString& program, const QStringList& arguments) {
        return QProcess::execute(program, arguments) == 0;
    });
}

class AnalyserRunTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestInstallation::forgetRegistry();
        m_install.copyInto(analyser::testing::regeditProgram(), QStringLiteral("Tools/regedit"));
        m_install.copyInto(analyser::testing::kestruneProgram(), QStringLiteral("Tools/kestrune"));
        m_install.copyInto(analyser::testing::peSample(QStringLiteral("sample32.exe")),
                           QStringLiteral("Sample32.exe"));
        m_install.copyInto(analyser::testing::peSample(QStringLiteral("noversion32.exe")),
                           QStringLiteral("noversion32.exe"));
        m_install.addDatabase(QStringLiteral("csample.qvd"), 9);
        ASSERT_EQ(
            chmod(QFile::encodeName(m_install.path(QStringLiteral("csample.qvd"))).constData(),
                  0444),
            0);
    }
    void TearDown() override { TestInstallation::forgetRegistry(); }

    // The rest of an installation's files, for the test that reads every line.
    void addEveryKindOfFile()
    {
        m_install.addDatabase(QStringLiteral("settings.dat"), 15);
        m_install.addDatabase(QStringLiteral("english.lan"), 0, false);
        m_install.addDatabase(QStringLiteral("printlabels.dat"), 3);
        m_install.addFile(QStringLiteral("weblinks.dat"), QByteArray(2048, 'w'));
        m_install.addFile(QStringLiteral("rates.dat"), "USD,1.0,2026-01-01\r\n");
        m_install.addFile(QStringLiteral("notes.txt"), QByteArray(5000, 'n'));
        m_install.addFile(QStringLiteral(".hidden"), "h");
    }

    analyser::AnalyserOptions options() const
    {
        analyser::AnalyserOptions options;
        options.ownFolder = m_install.tools();
        options.exportWait = std::chrono::milliseconds(0);
        return options;
    }

    QString datesOf(const QString& relative) const
    {
        CFileInfo info;
        info.setFullPathName(m_install.path(relative));
        return CFileInfo::FormatFileDate(info.CreationTime()) + QLatin1Char(';') +
               CFileInfo::FormatFileDate(info.ModifyTime());
    }

    TestInstallation m_install;
};

TEST_F(AnalyserRunTest, TheReportLineByLine)
{
    addEveryKindOfFile();
    m_install.registerFolder();
    // The PDF export's passwords are in the registry; they must not reach a support report.
    cRegistry registry;
    const QString pdfKey = QStringLiteral("Reports\\Export\\rptCellarWineList\\PDF");
    registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER, pdfKey,
                                      QStringLiteral("UserPassword"), QStringLiteral("s3cret"));
    registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER, pdfKey,
                                      QStringLiteral("ownerpassword"), QStringLiteral("0wner"));
    shell::GTestScriptedUser user;
    runProgramsToCompletion(user);
    analyser::FileAnalysis analysis(options());
    ASSERT_EQ(analysis.run(), analyser::FileAnalysis::Result::Done);

    ASSERT_EQ(user.processes().size(), 1u);
    EXPECT_EQ(user.processes()[0].program, m_install.path(QStringLiteral("Tools/regedit")));
    EXPECT_EQ(user.processes()[0].arguments,
              (QStringList{QStringLiteral("/E"),
                           m_install.path(QStringLiteral("Tools/QuorvexRegExport.reg")),
                           QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex")}));

    const QStringList lines = m_install.reportLines();
    const QString folder = m_install.folder() + QLatin1Char('/');
    ASSERT_GE(lines.size(), 20);
    EXPECT_EQ(lines[0], QStringLiteral("Using \"") + folder + QStringLiteral("\" as AppPath"));
    EXPECT_EQ(lines.mid(1, 4), (QStringList{QString(), analyser::kStars, analyser::kRegistryTitle,
                                            analyser::kStars}));
    // The export is UTF-16 on disk; the report shows it as text.
    EXPECT_EQ(lines[5], QStringLiteral("Windows Registry Editor Version 5.00"));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\\Application]")));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("\"FullPath\"=\"") + m_install.folder() + QLatin1Char('"')));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"UserPassword\"=\"(hidden)\"")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"ownerpassword\"=\"(hidden)\"")));
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("s3cret")));
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("0wner")));
    const int tree = static_cast<int>(lines.indexOf(analyser::kFileTreeTitle));
    ASSERT_GT(tree, 5);
    EXPECT_EQ(lines.mid(tree - 2, 3),
              (QStringList{QString(), analyser::kStars, analyser::kFileTreeTitle}));
    EXPECT_EQ(lines[tree + 1], analyser::kStars);

    EXPECT_EQ(treeLine(lines, QStringLiteral("NOTES.TXT")),
              QStringLiteral("NOTES.TXT;4.88KB (5,000 bytes);") +
                  datesOf(QStringLiteral("notes.txt")) + QStringLiteral(";1"));
    EXPECT_EQ(treeLine(lines, QStringLiteral("SAMPLE32.EXE")),
              QStringLiteral("SAMPLE32.EXE;3.50KB (3,584 bytes);") +
                  datesOf(QStringLiteral("Sample32.exe")) + QStringLiteral(";1;3.6.1.2"));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("NOVERSION32.EXE")).endsWith(QStringLiteral(";1")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("TOOLS/KESTRUNE"))
                    .endsWith(QStringLiteral(";1;" QV_FILE_VERSION)));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("TOOLS/REGEDIT"))
                    .endsWith(QStringLiteral(";1;" QV_FILE_VERSION)));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("CSAMPLE.QVD")).endsWith(QStringLiteral(";1;9")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("SETTINGS.DAT")).endsWith(QStringLiteral(";1;15")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("ENGLISH.LAN"))
                    .endsWith(QStringLiteral(";1;Cannot open version table")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("WEBLINKS.DAT"))
                    .endsWith(QStringLiteral(";1;Cannot open database")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("PRINTLABELS.DAT")).endsWith(QStringLiteral(";1")));
    EXPECT_EQ(treeLine(lines, QStringLiteral("RATES.DAT")).count(QLatin1Char(';')), 4);
    EXPECT_EQ(treeLine(lines, QStringLiteral(".HIDDEN")), QString());
    EXPECT_FALSE(treeLine(lines, QStringLiteral("TOOLS/QUORVEXREGEXPORT.REG")).isEmpty());

    // The analysed database lost its read-only attribute.
    struct stat facts = {};
    ASSERT_EQ(
        stat(QFile::encodeName(m_install.path(QStringLiteral("csample.qvd"))).constData(), &facts),
        0);
    EXPECT_NE(facts.st_mode & S_IWUSR, 0u);
    EXPECT_TRUE(user.messages().empty());
}

TEST_F(AnalyserRunTest, WithoutTheRegistryValueTheFolderAboveTheToolsIsUsed)
{
    shell::GTestScriptedUser user;
    user.setProcessScript([](const QString&, const QStringList&) { return false; });
    analyser::FileAnalysis analysis(options());
    EXPECT_EQ(analysis.programFolder(), m_install.folder() + QLatin1Char('/'));
    ASSERT_EQ(analysis.run(), analyser::FileAnalysis::Result::Done);
    const QStringList lines = m_install.reportLines();
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], analyser::kAppPathNotFound);
    EXPECT_EQ(lines[1],
              QStringLiteral("Using \"") + m_install.folder() + QStringLiteral("/\" as AppPath"));
    EXPECT_EQ(lines[6], analyser::kCouldNotExport);
    EXPECT_TRUE(treeLine(lines, QStringLiteral("CSAMPLE.QVD")).endsWith(QStringLiteral(";9")));
}

TEST_F(AnalyserRunTest, AnUnfinishedExportLeavesTheOlderOneInTheReport)
{
    m_install.registerFolder();
    m_install.addFile(QStringLiteral("Tools/QuorvexRegExport.reg"),
                      "REGEDIT4\r\n\r\n[older export]\r\n");
    shell::GTestScriptedUser user; // the editor "starts" but writes nothing while the run waits
    analyser::FileAnalysis analysis(options());
    ASSERT_EQ(analysis.run(), analyser::FileAnalysis::Result::Done);
    const QStringList lines = m_install.reportLines();
    // Marked as older, so it is not taken for this run's.
    ASSERT_GE(lines.size(), 9);
    EXPECT_TRUE(lines[5].startsWith(u"(The registry editor did not finish this run's export in "
                                    "time; the entries below are an older export, written "_s))
        << lines[5].toStdString();
    EXPECT_EQ(lines.mid(6, 3), (QStringList{QStringLiteral("REGEDIT4"), QString(),
                                            QStringLiteral("[older export]")}));
}

TEST_F(AnalyserRunTest, TheRegistryValueWithATrailingSlash)
{
    cRegistry registry;
    registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER, QStringLiteral("Application"),
                                      QStringLiteral("FullPath"),
                                      m_install.folder() + QLatin1Char('/'));
    const analyser::FileAnalysis analysis(options());
    EXPECT_EQ(analysis.programFolder(), m_install.folder() + QLatin1Char('/'));
}

TEST_F(AnalyserRunTest, WithoutAToolsFolderTheRunSaysWhyItWroteNothing)
{
    cRegistry registry;
    registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER, QStringLiteral("Application"),
                                      QStringLiteral("FullPath"),
                                      m_install.path(QStringLiteral("no such folder")));
    shell::GTestScriptedUser user;
    analyser::FileAnalysis analysis(options());
    EXPECT_EQ(analysis.run(), analyser::FileAnalysis::Result::ReportNotWritten);
    EXPECT_TRUE(
        analysis.failure().contains(QStringLiteral("no such folder/Tools/FileAnalysis.txt")));
}

TEST_F(AnalyserRunTest, SilentRunWithoutTheEngineShowsNothingAndStillRemovesTheMarker)
{
    m_install.registerFolder();
    m_install.addFile(QStringLiteral("Tools/waiting.txt"), "");
    shell::GTestScriptedUser user; // any message box fails the test
    const shell::ClipboardRecorder clipboard;
    analyser::AnalyserOptions silent = options();
    silent.provider = QStringLiteral("Microsoft.ACE.OLEDB.12.0");
    EXPECT_EQ(analyser::runSilent(silent), 1);
    EXPECT_FALSE(QFile::exists(m_install.path(QStringLiteral("Tools/waiting.txt"))));
    EXPECT_EQ(clipboard.offerCount(), 0);
    // The report stays as far as it was written: the headings are there, no database line is.
    const QStringList lines = m_install.reportLines();
    EXPECT_TRUE(lines.contains(analyser::kFileTreeTitle));
    EXPECT_TRUE(lines.filter(QStringLiteral(".QVD;")).isEmpty());
}

TEST_F(AnalyserRunTest, WithTheWindowAMissingEngineIsTold)
{
    m_install.registerFolder();
    shell::GTestScriptedUser user;
    user.expectMessage(
        shell::PromptMatcher::containing(QStringLiteral("Microsoft JET Database Engine")),
        shell::vbOK);
    analyser::AnalyserOptions withWindow = options();
    withWindow.provider = QStringLiteral("Microsoft.ACE.OLEDB.12.0");
    analyser::FileAnalysis analysis(withWindow);
    EXPECT_EQ(analysis.run(), analyser::FileAnalysis::Result::EngineMissing);
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].title, analyser::kCaption);
    EXPECT_EQ(user.messages()[0].style & 0x70, shell::vbCritical);
}

TEST_F(AnalyserRunTest, TheWindowCopiesTheReportToTheClipboard)
{
    m_install.registerFolder();
    shell::GTestScriptedUser user;
    shell::ClipboardRecorder clipboard;
    frmMain window(options());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvex Kestrune"));
    window.runAnalysis();
    ASSERT_TRUE(window.finished());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
              QStringLiteral("DONE"));
    auto* copy = window.findChild<QPushButton*>(QStringLiteral("cmdCopy"));
    ASSERT_TRUE(copy->isEnabled());
    EXPECT_EQ(copy->text(), QStringLiteral("&Copy to clipboard"));

    user.expectMessage(shell::PromptMatcher::exactly(QStringLiteral(
                           "The file analysis report has been copied to the Windows clipboard.\r\n"
                           "Paste it in your reply to the Quorvex Support Team.")),
                       shell::vbOK);
    copy->click();
    ASSERT_NE(clipboard.lastOffer(), nullptr);
    EXPECT_EQ(
        clipboard.lastOffer()->urls(),
        QList<QUrl>{QUrl::fromLocalFile(m_install.path(QStringLiteral("Tools/FileAnalysis.txt")))});

    clipboard.refuse(true);
    const QByteArray report = m_install.reportBytes();
    user.expectMessage(shell::PromptMatcher::exactly(QStringLiteral(
                           "An error occured while trying to copy the file analysis report.")),
                       shell::vbOK);
    copy->click();
    EXPECT_EQ(user.messages().back().style & 0x7, shell::vbOKOnly);
    EXPECT_EQ(m_install.reportBytes(), report);
}

// The program itself, as a caller starts it: "kestrune silent", then waiting for the marker
// file to go. When it is gone the report must be complete.
TEST_F(AnalyserRunTest, TheSilentProgramRemovesTheMarkerAfterTheReportIsComplete)
{
    m_install.registerFolder();
    const QString marker = m_install.path(QStringLiteral("Tools/waiting.txt"));
    m_install.addFile(QStringLiteral("Tools/waiting.txt"), "");
    QProcess program;
    program.start(m_install.path(QStringLiteral("Tools/kestrune")), {QStringLiteral("silent")});
    ASSERT_TRUE(program.waitForStarted());
    // Poll as a caller would; the deadline only guards against a program that never ends.
    const QDeadlineTimer deadline(60000);
    while (QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(5);
    ASSERT_FALSE(QFile::exists(marker));
    const QStringList lines = m_install.reportLines();
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(lines, m_install.reportLines()); // nothing was written after the marker went
    EXPECT_TRUE(treeLine(lines, QStringLiteral("CSAMPLE.QVD")).endsWith(QStringLiteral(";9")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("TOOLS/KESTRUNE"))
                    .endsWith(QStringLiteral(";1;" QV_FILE_VERSION)));
}

// Without a display the windowed program says so and ends, instead of aborting.
TEST(KestruneProgram, WithoutADisplaySaysSoAndEndsWithoutAnAbort)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KESTRUNE_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(errors.contains(u"kestrune: cannot show its window: no display could be reached"_s))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(u"kestrune silent"_s));
}

} // namespace

TEST_F(AnalyserRunTest, TheRunLeavesNoFilesOfItsOwnAndItsReportIsPrivate)
{
    addEveryKindOfFile();
    m_install.addDatabase(QStringLiteral("Data/aaa.qvd"), 11);
    m_install.addDatabase(QStringLiteral("Data/zzz.qvd"), 11);
    m_install.addDatabase(QStringLiteral("Data/empty.qvd"), -1);
    // A database the analyser cannot make writable (another user's; for the super-user, an
    // immutable one) is read through a read-only connection.
    m_install.addDatabase(QStringLiteral("Data/locked.qvd"), 11);
    const QString locked = m_install.path(u"Data/locked.qvd"_s);
    const bool lockedApplied =
        ::geteuid() == 0 && QProcess::execute(u"chattr"_s, {u"+i"_s, locked}) == 0;
    const auto unlock = qScopeGuard([&] {
        if (lockedApplied)
            QProcess::execute(u"chattr"_s, {u"-i"_s, locked});
    });
    m_install.registerFolder();
    const auto listing = [this] {
        QStringList files;
        QDirIterator it(m_install.folder(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(m_install.folder().size());
        files.removeAll(u"/Tools/FileAnalysis.txt"_s);
        files.removeAll(u"/Tools/QuorvexRegExport.reg"_s);
        files.sort();
        return files;
    };
    const QStringList before = listing();
    // Twice, as support runs it: the second run would list what the first left behind.
    for (int run = 0; run < 2; ++run) {
        QProcess program;
        program.start(m_install.path(u"Tools/kestrune"_s), {u"silent"_s});
        ASSERT_TRUE(program.waitForFinished(60000));
        ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    }

    EXPECT_EQ(listing(), before);
    EXPECT_TRUE(treeLine(m_install.reportLines(), u"DATA/LOCKED.QVD"_s).endsWith(u";11"_s));
    // The report copies the user's private registry entries: only the user may read it.
    EXPECT_EQ(QFile::permissions(m_install.path(u"Tools/FileAnalysis.txt"_s)) &
                  (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    for (const QString& line : m_install.reportLines())
        EXPECT_FALSE(line.contains(u"-WAL;"_s) || line.contains(u"-SHM;"_s) ||
                     line.contains(u"-JOURNAL;"_s))
            << line.toStdString();
}
