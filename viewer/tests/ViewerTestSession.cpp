// The viewer tests' host objects, report and fixture.
#include "viewer/tests/ViewerTestSession.h"

#include "common/cRegistry.h"
#include "common/DatabaseConnection.h"
#include "host/LanguageTexts.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/reportengine/preview/PreviewToolBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace lumesk::testing {

namespace {

const reg::Hkey HKCU = reg::HKEY_CURRENT_USER;

// The viewer window's texts in German, so that a caption left untranslated shows.
const QList<std::pair<QString, QString>> kGermanTexts{
    {u"d_Printing page"_s, u"Drucke Seite"_s},
    {u"d_Exporting page"_s, u"Exportiere Seite"_s},
    {u"d_Abort printing"_s, u"Druck abbrechen"_s},
    {u"d_&File"_s, u"&Datei"_s},
    {u"d_&Export"_s, u"&Exportieren"_s},
    {u"d_&Text..."_s, u"&Text..."_s},
    {u"d_&PDF..."_s, u"&PDF..."_s},
    {u"d_&HTML..."_s, u"&HTML..."_s},
    {u"d_&RTF..."_s, u"&RTF..."_s},
    {u"d_E&xcel..."_s, u"E&xcel..."_s},
    {u"d_T&IFF..."_s, u"T&IFF..."_s},
    {u"d_&Print..."_s, u"&Drucken..."_s},
    {u"d_Printer &Setup..."_s, u"Drucker &einrichten..."_s},
    {u"d_E&xit"_s, u"&Beenden"_s},
};

QString quoted(QString text)
{
    return u"'"_s + text.replace(u"'"_s, u"''"_s) + u"'"_s;
}

void writeLanguageDatabase(const QString& path)
{
    jet::createDatabase(path, DatabaseHelpers::DatabasePassword);
    jet::Connection connection;
    connection.open(DatabaseHelpers::ProgramConnectionString(path));
    connection.execute(u"CREATE TABLE tblLanguage (Section TEXT(50) NOT NULL, "
                       u"TextKey TEXT(100) NOT NULL, LanguageText TEXT(255), "
                       u"CONSTRAINT PrimaryKey PRIMARY KEY (Section, TextKey))"_s);
    for (const auto& [key, text] : kGermanTexts)
        connection.execute(u"INSERT INTO tblLanguage (Section, TextKey, LanguageText) "
                           u"VALUES ('frmReportViewer', %1, %2)"_s.arg(quoted(key), quoted(text)));
    connection.close();
}

QTemporaryDir& languageFolder()
{
    static QTemporaryDir folder;
    return folder;
}

} // namespace

void RecordingCommonTools::ShowHourglassPointer()
{
    calls << u"ShowHourglassPointer"_s;
    m_tools.ShowHourglassPointer();
}

void RecordingCommonTools::ShowDefaultPointer()
{
    calls << u"ShowDefaultPointer"_s;
    m_tools.ShowDefaultPointer();
}

void RecordingCommonTools::FillReportSourceTable()
{
    calls << u"FillReportSourceTable"_s;
    m_tools.FillReportSourceTable();
}

void RecordingCommonTools::CenterWindow(QWidget& window)
{
    calls << u"CenterWindow"_s;
    m_tools.CenterWindow(window);
}

void RecordingCommonTools::SelectTextFieldContent(QWidget& textBox)
{
    calls << u"SelectTextFieldContent"_s;
    m_tools.SelectTextFieldContent(textBox);
}

QString RecordingCommonTools::f_CorrectExchangeRate(double& amount)
{
    calls << u"f_CorrectExchangeRate"_s;
    return m_tools.f_CorrectExchangeRate(amount);
}

qint32 RecordingCommonTools::CT_TwipsX() const
{
    return m_tools.CT_TwipsX();
}

QString RecordingCommonTools::AppPath() const
{
    return m_tools.AppPath();
}

void RecordingCommonTools::ExecuteSQLCommand(const QString& sql, jet::Connection& database)
{
    calls << u"ExecuteSQLCommand"_s;
    m_tools.ExecuteSQLCommand(sql, database);
}

QString RecordingCommonTools::f_BuildWineTitle(const reports::WineRecord& wine)
{
    calls << u"f_BuildWineTitle"_s;
    return m_tools.f_BuildWineTitle(wine);
}

void RecordingCommonTools::ParseLocationLine(const QString& line, QString& location,
                                             qint16& quantity)
{
    calls << u"ParseLocationLine"_s;
    m_tools.ParseLocationLine(line, location, quantity);
}

vb::Variant RecordingCommonTools::f_GetGMTDateTime()
{
    calls << u"f_GetGMTDateTime"_s;
    return m_tools.f_GetGMTDateTime();
}

vb::Variant RecordingCommonTools::f_ReturnNullStringOrValue(const vb::Variant& value)
{
    calls << u"f_ReturnNullStringOrValue"_s;
    return m_tools.f_ReturnNullStringOrValue(value);
}

void ViewerTest::SetUpTestSuite()
{
    s_cellar =
        std::make_unique<report::testing::ReportTestDatabase>(report::testing::previewCellar(300));
    s_languageFile = languageFolder().filePath(u"deutsch.lan"_s);
    if (!QFile::exists(s_languageFile))
        writeLanguageDatabase(s_languageFile);
}

void ViewerTest::TearDownTestSuite()
{
    s_cellar.reset();
}

void ViewerTest::SetUp()
{
    forget(printSettingsKey());
    forget(formPositionKey());
    m_main.open(s_cellar->connectionString());
    m_hostTools = std::make_unique<host::HostCommonTools>(m_main, m_main, QDir::tempPath() + u"/"_s,
                                                          [] { return host::Selection{}; });
    m_tools = std::make_unique<RecordingCommonTools>(*m_hostTools);
    m_language = std::make_unique<host::HostLanguageHelper>(host::LanguageTexts(s_languageFile));
    m_regObject.setObjectName(u"regObject"_s);
    m_parent.setObjectName(u"frmQuorvex"_s);
    m_parent.setGeometry(100, 80, 1000, 760);
    m_report = std::make_unique<ModuleReport>(*s_cellar);
    m_report->viewer = &m_viewer;
}

void ViewerTest::TearDown()
{
    m_report.reset();
    m_main.close();
}

reports::CallResult ViewerTest::preview(shell::ScriptedUser::ModalScript script,
                                        const QString& reportName)
{
    m_user.expectModal(u"frmReportViewer"_s, std::move(script));
    return m_viewer.PreviewReport(&m_parent, *m_report, *m_language, *m_tools, m_regObject,
                                  reportName);
}

QString ViewerTest::printSettingsKey(const QString& reportName)
{
    return cRegistry().GetRegistryKeyNameForApp() + u"\\Reports\\PrintSettings\\"_s + reportName;
}

QString ViewerTest::formPositionKey()
{
    return cRegistry().GetRegistryKeyNameForApp() + u"\\Form Positions\\ReportViewer"_s;
}

QString ViewerTest::storedText(const QString& key, const QString& name)
{
    return cRegistry().GetRegistryString(HKCU, key, name, u"<none>"_s);
}

void ViewerTest::store(const QString& key, const QString& name, const QString& value)
{
    ASSERT_TRUE(cRegistry().PutRegistryString(HKCU, key, name, value));
}

void ViewerTest::forget(const QString& key)
{
    cRegistry registry;
    registry.setSectionKey(key);
    if (registry.KeyExists())
        registry.DeleteKey(HKCU, key);
}

void ViewerTest::clickItem(frmReportViewer& window, const QString& key)
{
    auto* item = window.findChild<QAction*>(key);
    ASSERT_NE(item, nullptr) << key.toStdString();
    item->trigger();
}

void ViewerTest::clickTool(frmReportViewer& window, int position)
{
    auto* button =
        qobject_cast<QAbstractButton*>(window.ARViewer().toolBarWidget().buttonAt(position));
    ASSERT_NE(button, nullptr) << "no tool at " << position;
    button->click();
}

QString ViewerTest::outputFile(const QString& name)
{
    const QDir folder(qEnvironmentVariable("QV_TEST_OUTPUT_DIR", QDir::tempPath()));
    QDir().mkpath(folder.filePath(u"viewer"_s));
    return folder.filePath(u"viewer/"_s + name);
}

} // namespace lumesk::testing
