#include "MainDatabaseFixture.h"

#include "common/DatabaseConnection.h"
#include "common/Registry_Management.h"
#include "jet/adox/Catalog.h"
#include "jet/DatabaseFile.h"
#include "sample/SchemaScript.h"
#include "updater/maindb/MainDatabaseUpdates.h"

#include <QPushButton>
#include <QRadioButton>

namespace updater::maindb::testing {

namespace {

std::unique_ptr<jet::Connection> newDatabase(const QString& path, const QString& script)
{
    jet::createDatabase(path, DatabaseHelpers::DatabasePassword);
    auto connection = std::make_unique<jet::Connection>();
    DatabaseHelpers::OpenDatabase(*connection, path, true);
    sample::runSchemaScript(*connection, script);
    connection->execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (3)"));
    return connection;
}

} // namespace

void MainDatabaseFixture::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, QStringLiteral("Application"),
                                            QStringLiteral("UniqueID"), QString::number(uniqueId));
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                            QStringLiteral("LastSelections"),
                                            QStringLiteral("QueryID"), QStringLiteral("7"));
    m_mainPath = m_folder.filePath(QStringLiteral("my cellar.qvd"));
    m_settingsPath = m_folder.filePath(QStringLiteral("settings.dat"));
    m_state.mainDatabasePath = m_mainPath;
    m_state.connections.slot(DatabaseKind::Main) = newDatabase(m_mainPath, QStringLiteral("main3"));
    m_state.connections.slot(DatabaseKind::Settings) =
        newDatabase(m_settingsPath, QStringLiteral("settings3"));
    m_state.connection(DatabaseKind::Settings)
        .execute(QStringLiteral("INSERT INTO tblPreferences (UserName, StorageCurrencyCode, "
                                "LastWineriesDownload) VALUES ('Anna', 'EUR - Euro', "
                                "'2003-05-30 21:40:17')"));

    execute(QStringLiteral("INSERT INTO tblPICKCountry (CountryID, Country) VALUES (1, 'Italy')"));
    execute(QStringLiteral("INSERT INTO tblPICKRegion (StateRegionID, CountryID, StateRegion) "
                           "VALUES (10, 1, 'Piemonte')"));
    execute(QStringLiteral("INSERT INTO tblPICKAppellation (AppellationID, Appellation) VALUES "
                           "(6, 'Barolo')"));
    execute(QStringLiteral("INSERT INTO tblDrinkProfile (DrinkProfileID, ProfileName, DeltaFrom, "
                           "DeltaBest, DeltaTo) VALUES (1, 'Cellar', 2, 5, 9)"));
    execute(QStringLiteral("INSERT INTO tblWinerySite (WinerySiteID, MasterID, SiteName, "
                           "Address1, Address2) VALUES (1, 0, 'Own winery', 'Via Roma 1', "
                           "'Alba')"));
}

void MainDatabaseFixture::TearDown()
{
    m_state.connections.closeAll();
}

vb::Variant MainDatabaseFixture::value(const QString& sql)
{
    jet::ResultSet rows = main().execute(sql);
    const vb::Variant first = rows.eof() ? vb::Variant::null() : rows.value(0);
    rows.close();
    return first;
}

std::int16_t MainDatabaseFixture::version()
{
    return value(QStringLiteral("SELECT Version FROM tblDBVer")).toInteger();
}

void MainDatabaseFixture::answerDialog(std::uint8_t code)
{
    static const int answers[8][3] = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 1, 1},
                                      {0, 2, 1}, {1, 1, 0}, {1, 1, 1}, {1, 2, 1}};
    const int* chosen = answers[code - 1];
    m_user.expectModal(QStringLiteral("frmUpdateToVersion3_4"), [chosen](QWidget& window) {
        const char* groups[3] = {"optFrom", "optBest", "optTo"};
        for (int g = 0; g < 3; ++g)
            window
                .findChild<QRadioButton*>(
                    QStringLiteral("%1(%2)").arg(QLatin1String(groups[g])).arg(chosen[g]))
                ->click();
        window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    m_user.expectMessage(shell::PromptMatcher::containing(QStringLiteral("Thank you")),
                         shell::vbOK);
}

bool MainDatabaseFixture::runChain(std::uint8_t code)
{
    answerDialog(code);
    MainDatabaseUpdate4(m_state);
    return !m_state.hasError();
}

void MainDatabaseFixture::prepareVersion10()
{
    ASSERT_TRUE(runChain()) << m_state.errorText.toStdString();
    jet::adox::Catalog catalog;
    catalog.setActiveConnection(main());
    catalog.views().remove(QStringLiteral("ReverseQuery"));
    catalog.tables().remove(QStringLiteral("tblLocations"));
    execute(QStringLiteral("UPDATE tblDBVer SET Version = 10"));
}

void MainDatabaseFixture::addWine(int wineId, const QString& vintage, const QString& from,
                                  const QString& best, const QString& to, int winerySiteId,
                                  int oldWineId, int appellationId)
{
    const auto text = [](const QString& value) {
        return value.isNull() ? QStringLiteral("Null") : QStringLiteral("'%1'").arg(value);
    };
    // From version 10 on a wine needs its flags and stamps.
    const bool current = version() >= 10;
    execute(
        QStringLiteral("INSERT INTO tblWines (WineID, Vintage, Label, DrinkFrom, Optimal, "
                       "DrinkTo, WinerySiteID, AppellationID, DrinkProfileID, oldWineID, "
                       "Variety1, VarietyPerc1, Variety2, VarietyPerc2, Variety3, Variety4, "
                       "Variety5, WineLabelPointer%9) VALUES (%1, %2, 'Wine %1', %3, %4, %5, "
                       "%6, %7, 1, %8, 'Nebbiolo', '85%', 'Barbera', '15%', '<unknown>', "
                       "'<unknown>', '<unknown>', ''%10)")
            .arg(wineId)
            .arg(text(vintage), text(from), text(best), text(to))
            .arg(winerySiteId)
            .arg(appellationId)
            .arg(oldWineId)
            .arg(current ? QStringLiteral(", PreSelect, Created, LastModif, HasLabel") : QString(),
                 current ? QStringLiteral(", False, Now(), Now(), False") : QString()));
}

} // namespace updater::maindb::testing
