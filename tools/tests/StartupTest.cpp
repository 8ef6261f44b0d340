// Start-up, the program path repair and what happens when the database cannot be opened.

#include "common/Registry_Management.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "SampleDatabase.h"
#include "tools/GorvaneProgram.h"
#include "tools/GorvaneTexts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace gorvane::testing {

namespace {

using shell::PromptMatcher;

const reg::Hkey user = reg::HKEY_CURRENT_USER;

QString setting(const QString& section, const QString& name)
{
    return Registry_Management::GetProductSetting(user, section, name, QStringLiteral("<none>"));
}

void deleteSetting(const QString& section)
{
    reg::deleteTree(user, Registry_Management::ProductKeyPath() + QLatin1Char('\\') + section);
}

class Startup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("Quorvex/Tools")));
        m_previousFolder = QDir::currentPath();
        deleteSetting(QStringLiteral("LastDatabase"));
    }
    void TearDown() override { QDir::setCurrent(m_previousFolder); }

    // Runs the program and returns the settings its window got.
    ToolsSettings run(const QString& programFolder)
    {
        ToolsSettings seen;
        m_user.expectMessage(PromptMatcher::exactly(texts::applicationPath(programFolder)),
                             shell::vbOK);
        m_user.expectModal(QStringLiteral("frmMain"), [&seen](QWidget& window) {
            seen = static_cast<frmMain&>(window).settings();
            window.findChild<QAction*>(QStringLiteral("mnuFile_Exit"))->trigger();
        });
        EXPECT_EQ(runGorvane(programFolder), 0);
        return seen;
    }

    QTemporaryDir m_folder;
    QString m_previousFolder;
    shell::GTestScriptedUser m_user;
};

TEST_F(Startup, FindsTheLastDatabaseAndWorksInItsOwnFolder)
{
    const QString tools = m_folder.filePath(QStringLiteral("Quorvex/Tools"));
    Registry_Management::SaveProductSetting(user, QStringLiteral("LastDatabase"),
                                            QStringLiteral("FullPath"),
                                            QStringLiteral("/data/My Wines.qvd"));
    const ToolsSettings settings = run(tools);
    EXPECT_EQ(settings.programFolder, tools + QLatin1Char('/'));
    EXPECT_EQ(settings.databasePath, QStringLiteral("/data/My Wines.qvd"));
    EXPECT_EQ(QDir::currentPath(), QDir(tools).canonicalPath());
    EXPECT_EQ(m_user.messages().front().title, texts::WindowCaption);
}

TEST_F(Startup, WithoutALastDatabaseTakesTheSampleBesideTheToolsFolder)
{
    const QString tools = m_folder.filePath(QStringLiteral("Quorvex/Tools/"));
    EXPECT_EQ(run(tools).databasePath, m_folder.filePath(QStringLiteral("Quorvex/CSAMPLE.QVD")));

    // The sample as installed, in lower case, is the same file to the host.
    QFile sample(m_folder.filePath(QStringLiteral("Quorvex/csample.qvd")));
    ASSERT_TRUE(sample.open(QIODevice::WriteOnly));
    sample.close();
    EXPECT_EQ(run(tools).databasePath, sample.fileName());
}

TEST_F(Startup, AnErrorEndsTheProgramWithTheSevereErrorMessage)
{
    const QString missing = m_folder.filePath(QStringLiteral("gone"));
    m_user.expectMessage(PromptMatcher::exactly(texts::applicationPath(missing)), shell::vbOK);
    m_user.expectMessage(
        PromptMatcher::containing(QStringLiteral(
            "Severe Database Error! Cannot proceed.\r\n\r\nPlease contact support at ")),
        shell::vbOK);
    EXPECT_EQ(runGorvane(missing), 1);
    ASSERT_EQ(m_user.messages().size(), 2u);
    EXPECT_EQ(m_user.messages()[1].title, QStringLiteral("Quorvex Database Compact"));
    EXPECT_EQ(m_user.messages()[1].style, shell::vbCritical);
    EXPECT_TRUE(
        m_user.messages()[1].prompt.contains(QStringLiteral("\r\nInclude these details:\r\n")));
    EXPECT_TRUE(m_user.messages()[1].prompt.contains(missing));
    EXPECT_TRUE(m_user.modals().empty());
}

using PathRepair = ToolsWindowTest;

TEST_F(PathRepair, SetsTheMainFolderFromTheToolsFolderOnYes)
{
    deleteSetting(QStringLiteral("Application"));
    const QString mainFolder = QDir::cleanPath(toolsFolder() + QStringLiteral(".."));
    m_user.expectMessage(
        PromptMatcher::exactly(QStringLiteral("gsAppPath currently holds: '") + toolsFolder() +
                               QStringLiteral("'. It this does not have a \\Tools folder, the next "
                                              "line will crash.")),
        shell::vbOK);
    const QString question = QStringLiteral("The main folder path will be set to:\r\n") +
                             mainFolder + QStringLiteral("\r\n\r\nDo you want to continue?");
    m_user.expectMessage(PromptMatcher::exactly(question), shell::vbNo);
    click(QStringLiteral("cmdFixFullPathProblem"));
    EXPECT_EQ(setting(QStringLiteral("Application"), QStringLiteral("FullPath")),
              QStringLiteral("<none>"));

    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("gsAppPath")), shell::vbOK);
    m_user.expectMessage(PromptMatcher::exactly(question), shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(QStringLiteral("Operation completed!")),
                         shell::vbOK);
    click(QStringLiteral("cmdFixFullPathProblem"));
    EXPECT_EQ(setting(QStringLiteral("Application"), QStringLiteral("FullPath")), mainFolder);
    EXPECT_EQ(m_user.messages()[1].style, shell::vbYesNo | shell::vbQuestion);
    EXPECT_EQ(m_user.messages().back().style, shell::vbInformation);
}

TEST(PathRepairOutsideTools, RefusesInsteadOfWritingAWrongPath)
{
    shell::GTestScriptedUser user;
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, QStringLiteral("Application"),
                                            QStringLiteral("FullPath"), QStringLiteral("/kept"));
    ToolsSettings settings;
    settings.programFolder = QStringLiteral("/opt/quorvex/bin/");
    frmMain window(settings);
    user.expectMessage(PromptMatcher::containing(QStringLiteral("gsAppPath")), shell::vbOK);
    user.expectMessage(PromptMatcher::containing(QStringLiteral("is not inside a Tools folder")),
                       shell::vbOK);
    window.cmdFixFullPathProblem_Click();
    EXPECT_EQ(setting(QStringLiteral("Application"), QStringLiteral("FullPath")),
              QStringLiteral("/kept"));
    EXPECT_EQ(user.messages().back().style, shell::vbExclamation);
}

using OpeningTheDatabase = ToolsWindowTest;

TEST_F(OpeningTheDatabase, ADatabaseHeldByAnotherProgramIsLeftAloneAndTheWindowCloses)
{
    execute(QStringLiteral("UPDATE tblTransactions SET [Date] = #6/1/1901#"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(databasePath()).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    m_user.expectMessage(PromptMatcher::exactly(texts::openError(databasePath())), shell::vbOK);
    click(QStringLiteral("cmdY2KFix"));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_EQ(m_user.messages().back().prompt,
              QStringLiteral("ERROR Opening the database ") + databasePath() +
                  QStringLiteral(". Please make sure all Quorvex programs are closed before "
                                 "running the special tools."));
    EXPECT_EQ(m_user.messages().back().style, shell::vbCritical);
    EXPECT_EQ(m_user.messages().back().title, QStringLiteral("Quorvex Special Tools"));
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(
        count(QStringLiteral("SELECT Count(*) FROM tblTransactions WHERE [Date] >= #1/1/1906#")),
        0);
}

TEST_F(OpeningTheDatabase, AMissingDatabaseChangesNothingAfterTheQuestion)
{
    ASSERT_TRUE(QFile::remove(databasePath()));
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("market value set to 0")),
                         shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(texts::openError(databasePath())), shell::vbOK);
    click(QStringLiteral("cmdFixMarketValue"));
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(QFile::exists(databasePath()));
}

// Without a display the program says so and ends, instead of aborting.
TEST(GorvaneProgram, WithoutADisplaySaysSoAndEndsWithoutAnAbort)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(qEnvironmentVariable("QV_BIN_DIR") + u"/gorvane"_s, {});
    ASSERT_TRUE(program.waitForFinished(60000));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(errors.contains(u"gorvane: cannot show its window: no display could be reached"_s))
        << errors.toStdString();
}

} // namespace

} // namespace gorvane::testing
