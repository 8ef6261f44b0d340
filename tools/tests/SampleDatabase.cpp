#include "SampleDatabase.h"

#include "common/DatabaseConnection.h"
#include "common/DatabaseCopy.h"
#include "platform/jet/Connection.h"
#include "sample/tests/UpdatedSampleInstallation.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace gorvane::testing {

QString currentSampleDatabase()
{
    return sample::testing::updatedSampleInstallation() + QLatin1Char('/') +
           sample::mainDatabaseFile;
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
