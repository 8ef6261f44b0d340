// A user's first start: the user's choice (scripted) gives the sample cellar or an empty one at
// the current database versions in the data folder, registered and with its tools; cancelling
// makes and registers nothing.

#include "host/FirstRun.h"

#include "common/Registry_Management.h"
#include "host/HostFiles.h"
#include "HostTestInstallation.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "sample/Installation.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

// The registration the other host tests work on is put back afterwards.
class FirstRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installationFolder(); // made and registered before it is set aside
        for (const auto& [section, name] : kValues)
            m_saved << Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, section, name,
                                                              QString());
        Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, u"LastDatabase"_s,
                                                u"FullPath"_s, QString());
        m_previousData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    }

    void TearDown() override
    {
        for (qsizetype i = 0; i < kValues.size(); ++i)
            Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, kValues[i].first,
                                                    kValues[i].second, m_saved.at(i));
        qputenv("XDG_DATA_HOME", m_previousData);
    }

    QString dataFolder() const { return m_data.path() + u"/quorvex"_s; }

    static qint64 rows(const QString& database, const QString& table)
    {
        return sqliteValue(database, u"SELECT Count(*) FROM %1"_s.arg(table)).toLongLong();
    }

    static QString programFolder() { return qEnvironmentVariable("QV_BIN_DIR"); }

private:
    static inline const QList<std::pair<QString, QString>> kValues{
        {u"Application"_s, u"FullPath"_s},
        {u"LastDatabase"_s, u"FullPath"_s},
        {u"LanguageDB"_s, u"FullPath"_s},
        {u"Application"_s, u"UniqueID"_s}};
    QTemporaryDir m_data;
    QByteArray m_previousData;
    QStringList m_saved;
};

const shell::PromptMatcher kWelcome =
    shell::PromptMatcher::containing(u"No cellar has been set up"_s);

TEST_F(FirstRun, TheSampleCellarIsLaidOutUpdatedAndRegistered)
{
    ASSERT_FALSE(cellarRegistered());
    shell::GTestScriptedUser user;
    user.expectMessage(kWelcome, shell::vbYes);

    EXPECT_EQ(offerNewCellar(programFolder()), FirstRunChoice::SampleCellar);

    const QString folder = dataFolder() + u"/Cellar"_s;
    ASSERT_TRUE(cellarRegistered());
    const HostFiles files = HostFiles::fromRegistry();
    EXPECT_EQ(QFileInfo(files.mainDatabase).absoluteFilePath(),
              QDir(folder).absoluteFilePath(sample::mainDatabaseFile));
    EXPECT_TRUE(user.messages().at(0).prompt.contains(QDir::toNativeSeparators(folder)));
    EXPECT_EQ(sqliteValue(files.mainDatabase, u"SELECT Version FROM tblDBVer"_s).toInt(), 11);
    EXPECT_EQ(sqliteValue(files.settingsDatabase, u"SELECT Version FROM tblDBVer"_s).toInt(), 18);
    EXPECT_GE(rows(files.mainDatabase, u"tblWines"_s), 100);
    // The host and the updater start the tools from the cellar's Tools folder.
    for (const QString& program : sample::toolPrograms())
        EXPECT_TRUE(QFileInfo(folder + u"/Tools/"_s + program).isExecutable())
            << program.toStdString();
}

TEST_F(FirstRun, AnEmptyCellarKeepsItsPickListsButNoWines)
{
    // A folder of the default name that is already in use is left alone.
    ASSERT_TRUE(QDir().mkpath(dataFolder() + u"/Cellar/mine"_s));
    shell::GTestScriptedUser user;
    user.expectMessage(kWelcome, shell::vbNo);

    EXPECT_EQ(offerNewCellar(programFolder()), FirstRunChoice::EmptyCellar);

    const QString folder = dataFolder() + u"/Cellar 2"_s;
    const HostFiles files = HostFiles::fromRegistry();
    EXPECT_EQ(QFileInfo(files.mainDatabase).absolutePath(), QDir(folder).absolutePath());
    EXPECT_TRUE(QFileInfo::exists(dataFolder() + u"/Cellar/mine"_s));
    EXPECT_EQ(sqliteValue(files.mainDatabase, u"SELECT Version FROM tblDBVer"_s).toInt(), 11);
    for (const QString& table : {u"tblWines"_s, u"tblTransactions"_s, u"tblTastingNotes"_s,
                                 u"tblWinerySite"_s, u"tblLocations"_s})
        EXPECT_EQ(rows(files.mainDatabase, table), 0) << table.toStdString();
    EXPECT_EQ(rows(files.settingsDatabase, u"tblWorkingTNs"_s), 0);
    EXPECT_GT(rows(files.mainDatabase, u"tblPICKCountry"_s), 0);
    EXPECT_GT(rows(files.mainDatabase, u"tblPICKAppellation"_s), 0);
    EXPECT_FALSE(QFileInfo::exists(folder + u"/Labels"_s));
    // The host opens it: an empty cellar is a working one.
    HostSession session(files);
    EXPECT_EQ(session.mainDatabase().execute(u"SELECT Count(*) FROM tblWines"_s).value(0).toLong(),
              0);
}

TEST_F(FirstRun, CancellingMakesNothing)
{
    shell::GTestScriptedUser user;
    user.expectMessage(kWelcome, shell::vbCancel);

    EXPECT_EQ(offerNewCellar(programFolder()), FirstRunChoice::Declined);

    EXPECT_FALSE(cellarRegistered());
    EXPECT_FALSE(QFileInfo::exists(dataFolder()));
}

} // namespace
} // namespace host::testing
