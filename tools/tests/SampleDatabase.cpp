#include "SampleDatabase.h"

#include "common/DatabaseConnection.h"
#include "common/DatabaseCopy.h"
#include "platform/jet/Connection.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/ScriptedUser.h"
#include "sample/Installation.h"
#include "updater/maindb/MainDatabaseUpdates.h"
#include "updater/UpdateDriver.h"
#include "updater/UpdaterTexts.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

namespace gorvane::testing {

namespace {

using shell::PromptMatcher;

class AcceptingBackup : public updater::UserFilesBackup
{
public:
    qint16 backupUserFiles(qint32, const QString&, QString&) override { return BackupMade; }
    void setTargetFolder(const QString&) override {}
};

// Lays out the sample installation and runs the main database chain on it, answering the
// updater's questions as a user keeping the converted drinking windows would.
void bringToCurrentVersion(const QString& installation)
{
    sample::InstallationOptions options;
    options.wines = 40;
    sample::writeInstallation(installation, options);

    shell::ScriptedUser user;
    QStringList failures;
    user.setFailureHandler([&failures](const QString& what) { failures << what; });
    user.alwaysAnswer(PromptMatcher::exactly(updater::texts::WillConvert), shell::vbOK);
    user.alwaysAnswer(PromptMatcher::containing(QStringLiteral("Thank you")), shell::vbOK);
    user.alwaysAnswer(PromptMatcher::containing(QStringLiteral("flagged for manual")), shell::vbOK);
    user.expectModal(QStringLiteral("frmUpdateToVersion3_4"), [](QWidget& dialog) {
        dialog.findChild<QRadioButton*>(QStringLiteral("optTo(1)"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });

    updater::RunOptions run;
    run.programFolder = installation + QStringLiteral("/Tools");
    run.backupFactory = [](const QString&) { return std::make_unique<AcceptingBackup>(); };
    run.chains = updater::UpdateChains();
    updater::addMainDatabaseChain(run.chains);
    updater::frmMain progress;
    updater::UpdateDriver driver(progress, run);
    if (driver.run() != updater::RunOutcome::Updated)
        throw std::runtime_error("the sample database could not be brought to version 11: " +
                                 failures.join(QLatin1Char('\n')).toStdString());
}

} // namespace

QString currentSampleDatabase()
{
    static QTemporaryDir folder;
    static QString path;
    if (path.isEmpty()) {
        const QString installation = folder.filePath(QStringLiteral("Quorvex"));
        bringToCurrentVersion(installation);
        path = installation + QLatin1Char('/') + sample::mainDatabaseFile;
    }
    return path;
}

void ToolsWindowTest::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("Quorvex/Tools")));
    dbfile::copyDatabase(currentSampleDatabase(), databasePath());
}

void ToolsWindowTest::TearDown()
{
    m_window.reset();
}

frmMain& ToolsWindowTest::window()
{
    if (!m_window) {
        ToolsSettings settings;
        settings.programFolder = toolsFolder();
        settings.databasePath = databasePath();
        settings.lockWait = std::chrono::milliseconds(20);
        m_window = std::make_unique<frmMain>(settings);
        m_window->show();
    }
    return *m_window;
}

QString ToolsWindowTest::databasePath() const
{
    return m_folder.filePath(QStringLiteral("Quorvex/csample.qvd"));
}

QString ToolsWindowTest::toolsFolder() const
{
    return m_folder.filePath(QStringLiteral("Quorvex/Tools/"));
}

void ToolsWindowTest::execute(const QString& sql)
{
    jet::Connection connection;
    DatabaseHelpers::OpenDatabase(connection, databasePath(), true);
    connection.execute(sql);
    connection.close();
}

QString ToolsWindowTest::scalar(const QString& sql)
{
    jet::Connection connection;
    DatabaseHelpers::OpenDatabase(connection, databasePath(), true);
    jet::ResultSet rows = connection.execute(sql);
    const QString value = rows.eof() ? QString() : rows.value(0).toString();
    rows.close();
    connection.close();
    return value;
}

void ToolsWindowTest::click(const QString& buttonName)
{
    if (QPushButton* button = control<QPushButton>(buttonName))
        button->click();
}

void ToolsWindowTest::chooseField(const QString& listName, const QString& caption)
{
    QComboBox* list = control<QComboBox>(listName);
    ASSERT_NE(list, nullptr);
    const int at = list->findText(caption);
    ASSERT_GE(at, 0) << caption.toStdString();
    list->setCurrentIndex(at);
}

void ToolsWindowTest::typeInto(const QString& boxName, const QString& text)
{
    if (QLineEdit* box = control<QLineEdit>(boxName))
        box->setText(text);
}

} // namespace gorvane::testing
