// Main Database Update 11 (-> 11): bottle locations, the query of the wines outside the current
// selection, and appellation names written with the typographic apostrophe.

#include "common/DatabaseConnection.h"
#include "common/DatabaseVersion.h"
#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "MainDatabaseSql.h"
#include "MainDatabaseUpdates.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/Shell.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"
#include "updater/UpdaterTexts.h"

namespace updater {

namespace {

using jet::DataType;
using jet::adox::Key;
using jet::adox::KeyType;

const QString crlf = QStringLiteral("\r\n");

void createLocations(jet::adox::Catalog& catalog)
{
    jet::adox::Table locations(QStringLiteral("tblLocations"));
    jet::adox::Column id(QStringLiteral("LocationID"), DataType::Integer);
    id.setParentCatalog(&catalog);
    id.setProperty(QStringLiteral("AutoIncrement"), vb::Variant(true));
    locations.columns().append(id);
    locations.columns().append(QStringLiteral("ZoneID"), DataType::Integer);
    locations.columns().append(QStringLiteral("HotspotID"), DataType::VarWChar, 50);
    locations.columns().append(QStringLiteral("CurrentQty"), DataType::SmallInt);
    locations.columns().append(QStringLiteral("MaxQty"), DataType::SmallInt);
    locations.columns().append(QStringLiteral("LocationName"), DataType::VarWChar, 50);
    locations.columns().append(QStringLiteral("AllowAllSizes"), DataType::Boolean);
    locations.columns().append(QStringLiteral("Note"), DataType::LongVarWChar);
    locations.keys().append(QStringLiteral("PrimaryKey"), KeyType::Primary,
                            QStringLiteral("LocationID"));
    locations.keys().append(QStringLiteral("LocationName"), KeyType::Unique,
                            QStringLiteral("LocationName"));
    catalog.tables().append(locations);
}

void addLocationsAndReconnect(RunState& state)
{
    jet::Connection& connection = state.connection(DatabaseKind::Main);
    {
        jet::adox::Catalog catalog;
        DatabaseHelpers::BindCatalog(catalog, connection);
        if (!DatabaseHelpers::TableExists(catalog, QStringLiteral("tblLocations")))
            createLocations(catalog);
    }
    const QString path =
        state.mainDatabasePath.isEmpty() ? connection.databasePath() : state.mainDatabasePath;
    shell::doEvents();
    connection.close();
    DatabaseHelpers::OpenDatabase(connection, path, true);
    shell::doEvents();
}

bool returnsRows(jet::Connection& connection, const QString& sql)
{
    jet::ResultSet rows = connection.execute(sql);
    const bool any = !rows.eof();
    rows.close();
    return any;
}

// The first value of the first row, or "" when there is none.
QString firstValue(jet::Connection& connection, const QString& sql, const QString& field)
{
    jet::ResultSet rows = connection.execute(sql);
    const QString value = rows.eof() ? QString() : rows.value(field).toString();
    rows.close();
    return value;
}

// "country - region - appellation" of an appellation flagged for deletion; a part that cannot
// be found stays empty.
QString geographyLine(jet::Connection& connection, const QString& id, const QString& name)
{
    jet::ResultSet geography =
        connection.execute(QStringLiteral("SELECT * FROM tblPICKGeoAppellation WHERE "
                                          "tblPICKGeoAppellation.AppellationID=") +
                           id + QStringLiteral(";"));
    QString country;
    QString region;
    if (!geography.eof()) {
        const QString countryId = geography.value(QStringLiteral("CountryID")).toString();
        const QString regionId = geography.value(QStringLiteral("StateRegionID")).toString();
        geography.close();
        country = firstValue(connection,
                             QStringLiteral("SELECT tblPICKCountry.Country FROM tblPICKCountry "
                                            "WHERE tblPICKCountry.CountryID=") +
                                 countryId + QStringLiteral(";"),
                             QStringLiteral("Country"));
        region = firstValue(connection,
                            QStringLiteral("SELECT tblPICKRegion.StateRegion FROM tblPICKRegion "
                                           "WHERE tblPICKRegion.CountryID=") +
                                countryId + QStringLiteral(" AND tblPICKRegion.StateRegionID=") +
                                regionId + QStringLiteral(";"),
                            QStringLiteral("StateRegion"));
    }
    geography.close();
    return country + QStringLiteral(" - ") + region + QStringLiteral(" - ") + name;
}

class AppellationRenamer
{
public:
    explicit AppellationRenamer(jet::Connection& connection) : m_connection(connection)
    {
        const QString index = QStringLiteral("UniqueAppellation");
        DatabaseHelpers::OpenTable(m_appellations, connection, QStringLiteral("tblPICKAppellation"),
                                   false, index);
        DatabaseHelpers::OpenTable(m_names, connection, QStringLiteral("tblPICKAppellation"), true,
                                   index);
        DatabaseHelpers::OpenTable(m_aliases, connection, QStringLiteral("tblAppellationAliases"),
                                   false, QStringLiteral("PrimaryKey"));
    }
    AppellationRenamer(const AppellationRenamer&) = delete;
    AppellationRenamer& operator=(const AppellationRenamer&) = delete;

    // Renames every appellation with a straight apostrophe; the lines of those left for the user
    // to delete.
    QStringList run()
    {
        // The rows are taken first: a renamed row no longer passes the filter.
        m_appellations.setFilter(QStringLiteral("[Appellation] Like '*''*'"));
        QList<vb::Variant> found;
        for (; !m_appellations.eof(); m_appellations.moveNext())
            found.append(m_appellations.bookmark());
        m_appellations.setFilter(QString());
        QStringList flagged;
        for (const vb::Variant& bookmark : found) {
            m_appellations.setBookmark(bookmark);
            renameCurrent(flagged);
        }
        return flagged;
    }

private:
    void renameCurrent(QStringList& flagged)
    {
        const QString name = m_appellations.value(QStringLiteral("Appellation")).toString();
        QString typographic = name;
        typographic.replace(QLatin1Char('\''), QChar(0x2019));
        m_names.seek({vb::Variant(typographic)});
        if (m_names.eof()) {
            m_appellations.setValue(QStringLiteral("Appellation"), vb::Variant(typographic));
            m_appellations.update();
            m_aliases.seek({vb::Variant(typographic)});
            if (!m_aliases.eof())
                m_aliases.deleteCurrent();
            return;
        }
        const QString id = m_appellations.value(QStringLiteral("AppellationID")).toString();
        if (!inUse(id)) {
            m_connection.execute(QStringLiteral("DELETE tblPICKGeoAppellation.AppellationID FROM "
                                                "tblPICKGeoAppellation WHERE "
                                                "tblPICKGeoAppellation.AppellationID=") +
                                 id + QStringLiteral(";"));
            m_appellations.deleteCurrent();
            return;
        }
        m_appellations.setValue(QStringLiteral("Appellation"),
                                vb::Variant((name + QStringLiteral("*DELETE*")).left(50)));
        m_appellations.update();
        flagged.append(geographyLine(m_connection, id, name));
    }

    bool inUse(const QString& id)
    {
        return returnsRows(m_connection, QStringLiteral("SELECT tblWines.WineID FROM tblWines "
                                                        "WHERE tblWines.AppellationID=") +
                                             id + QStringLiteral(";")) ||
               returnsRows(m_connection,
                           QStringLiteral("SELECT tblWinerySite.WinerySiteID FROM tblWinerySite "
                                          "WHERE tblWinerySite.AppellationID=") +
                               id + QStringLiteral(";"));
    }

    jet::Connection& m_connection;
    jet::Recordset m_appellations;
    jet::Recordset m_names;
    jet::Recordset m_aliases;
};

void replaceStraightApostrophes(jet::Connection& connection)
{
    QStringList flagged;
    {
        AppellationRenamer renamer(connection);
        flagged = renamer.run();
    }
    if (flagged.isEmpty())
        return;
    shell::msgBox(QStringLiteral("Several invalid appellations have been flagged for manual "
                                 "deletion.") +
                      crlf + crlf +
                      QStringLiteral("Please go in the Tools|Geography data screen and locate "
                                     "the following") +
                      crlf + QStringLiteral("appellations, then delete them one by one.") + crlf +
                      crlf + flagged.join(crlf),
                  shell::vbOKOnly + shell::vbInformation, texts::Caption);
}

} // namespace

void MainDatabaseUpdate11(RunState& state)
{
    trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate11"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 11"), 4);
        progress.step(1);
        addLocationsAndReconnect(state);
        jet::Connection& connection = state.connection(DatabaseKind::Main);
        progress.step(2);
        jet::adox::Catalog catalog;
        DatabaseHelpers::BindCatalog(catalog, connection);
        const bool reverseQueryExists =
            DatabaseHelpers::StoredQueryExists(catalog, QStringLiteral("ReverseQuery"));
        progress.step(3);
        if (!reverseQueryExists)
            catalog.views().append(QStringLiteral("ReverseQuery"), maindb::reverseQuery());
        shell::doEvents();
        progress.step(4);
        replaceStraightApostrophes(connection);
        DatabaseHelpers::SetDBVersion(1, 11);
    });
}

} // namespace updater
