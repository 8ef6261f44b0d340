// Main Database Update 10 (-> 10): the drinking window changes from three year numbers to four
// month-precise points and a life span; every wine gets its fifteen stage dates, its varieties
// as one text, its label flag and its first and last dates; the drink/hold indicator (CalcDHI)
// is created and the current selection query shows it.

#include "common/DatabaseVersion.h"
#include "common/OpenTable.h"
#include "common/Registry_Management.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "DrinkWindow.h"
#include "frmUpdateToVersion3_4.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "MainDatabaseSql.h"
#include "MainDatabaseUpdates.h"
#include "platform/shell/Shell.h"
#include "platform/shell/WaitCursor.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"
#include "vb/ConversionFunctions.h"
#include "vb/Error.h"

#include <array>

namespace updater {

namespace {

using DatabaseHelpers::NewColumn;
using jet::DataType;

std::uint8_t askDrinkWindowCode()
{
    shell::setMousePointer(shell::vbDefault);
    frmUpdateToVersion3_4 form;
    const std::uint8_t code = form.ShowForm();
    shell::setMousePointer(shell::vbHourglass);
    return code;
}

void widenDrinkingWindow(jet::Connection& connection)
{
    connection.execute(QStringLiteral("ALTER TABLE tblWines ALTER COLUMN [DrinkFrom] TEXT(7)"));
    connection.execute(QStringLiteral("ALTER TABLE tblWines ALTER COLUMN [DrinkTo] TEXT(7)"));
    connection.execute(QStringLiteral("ALTER TABLE tblWines ALTER COLUMN [Optimal] TEXT(7)"));
}

void addWindowColumns(jet::adox::Catalog& catalog)
{
    jet::adox::Table& wines = catalog.tables().item(QStringLiteral("tblWines"));
    const auto add = [&](jet::adox::Table& table, const NewColumn& column) {
        DatabaseHelpers::AddColumnIfMissing(catalog, table, column);
    };
    add(wines, {QStringLiteral("Peak"), DataType::VarWChar, 7, true, true});
    add(wines, {QStringLiteral("LifeSpan"), DataType::SmallInt, 0, true});
    add(wines, {QStringLiteral("PeriodBandWidth"), DataType::SmallInt, 0, true});
    add(wines, {QStringLiteral("Varieties"), DataType::LongVarWChar, 0, true, true});
    add(wines, {QStringLiteral("HasLabel"), DataType::Boolean});
    // A wine without a drinking window has no stage dates.
    for (const QString& stage : maindb::stageDateFields())
        add(wines, {stage, DataType::Date, 0, true});
    for (const char* field : {"FirstBought", "LastBought", "FirstRemoval", "LastRemoval",
                              "FirstTastingNote", "LastTastingNote"})
        add(wines, {QString::fromLatin1(field), DataType::Date, 0, true});

    jet::adox::Table& profiles = catalog.tables().item(QStringLiteral("tblDrinkProfile"));
    for (const char* field : {"DeltaPeak", "LifeSpan", "PeriodBandWidth"})
        add(profiles, {QString::fromLatin1(field), DataType::SmallInt, 0, true});
}

bool isEmptyText(const vb::Variant& value)
{
    return value.isNull() || value.isEmpty() || value.toString().isEmpty();
}

vb::Variant textOrNull(const std::optional<maindb::WineWindow>& window,
                       QString maindb::WineWindow::*point)
{
    return window ? vb::Variant((*window).*point) : vb::Variant::null();
}

// The stage dates statement reads the vintage with Val(), which fails on Null and cannot add a
// life span to a text that only starts with a number. A missing vintage is stored as "" (still
// no vintage); one that is neither empty nor a number stops the update with a clear error
// instead of a type mismatch in the middle of the statement.
void prepareVintage(jet::Recordset& wines)
{
    const vb::Variant vintage = wines.value(QStringLiteral("Vintage"));
    if (vintage.isNull()) {
        wines.setValue(QStringLiteral("Vintage"), vb::Variant(QString()));
        wines.update();
        return;
    }
    const QString text = vintage.toString();
    if (vb::Val(vb::Variant(text)).toDouble() != 0 &&
        !vb::IsNumeric(vb::Variant(text.trimmed())).toBoolean())
        throw vb::Error(vb::ErrorNumber::TypeMismatch,
                        QStringLiteral("The vintage \"%1\" of wine %2 is not a year. Correct or "
                                       "clear it in the wine's record, then run the update "
                                       "again.")
                            .arg(text, wines.value(QStringLiteral("WineID")).toString()),
                        QStringLiteral("MainDatabaseUpdate10"));
}

// Wines whose Peak is still empty get their new drinking window; a second run changes nothing.
void convertWines(jet::Connection& connection, std::uint8_t code)
{
    jet::Recordset wines;
    DatabaseHelpers::OpenTable(wines, connection, QStringLiteral("tblWines"), false);
    for (; !wines.eof(); wines.moveNext()) {
        prepareVintage(wines);
        if (!isEmptyText(wines.value(QStringLiteral("Peak"))))
            continue;
        const std::optional<maindb::WineWindow> window = maindb::convertWineWindow(
            code, wines.value(QStringLiteral("DrinkFrom")), wines.value(QStringLiteral("Optimal")),
            wines.value(QStringLiteral("DrinkTo")), wines.value(QStringLiteral("Vintage")));
        // Old years that are missing or unreadable leave the wine without a window (and so
        // without stage dates) instead of one made up from them.
        wines.setValue(QStringLiteral("DrinkFrom"),
                       textOrNull(window, &maindb::WineWindow::drinkFrom));
        wines.setValue(QStringLiteral("Optimal"), textOrNull(window, &maindb::WineWindow::optimal));
        wines.setValue(QStringLiteral("Peak"), textOrNull(window, &maindb::WineWindow::peak));
        wines.setValue(QStringLiteral("DrinkTo"), textOrNull(window, &maindb::WineWindow::drinkTo));
        wines.setValue(QStringLiteral("LifeSpan"),
                       window ? vb::Variant(window->lifeSpan) : vb::Variant::null());
        wines.setValue(QStringLiteral("PeriodBandWidth"), vb::Variant(std::int16_t{12}));
        wines.update();
    }
    wines.close();
}

// Profiles whose DeltaPeak is still empty get offsets in months. A profile that lacks one of
// its old offsets has nothing to convert and is left as it is.
void convertDrinkProfiles(jet::Connection& connection, std::uint8_t code)
{
    jet::Recordset profiles;
    DatabaseHelpers::OpenTable(profiles, connection, QStringLiteral("tblDrinkProfile"), false);
    for (; !profiles.eof(); profiles.moveNext()) {
        if (!profiles.value(QStringLiteral("DeltaPeak")).isNull())
            continue;
        const vb::Variant from = profiles.value(QStringLiteral("DeltaFrom"));
        const vb::Variant best = profiles.value(QStringLiteral("DeltaBest"));
        const vb::Variant to = profiles.value(QStringLiteral("DeltaTo"));
        if (from.isNull() || best.isNull() || to.isNull())
            continue;
        const maindb::ProfileDeltas deltas =
            maindb::convertDrinkProfile(code, from.toInteger(), best.toInteger(), to.toInteger());
        profiles.setValue(QStringLiteral("DeltaFrom"), vb::Variant(deltas.deltaFrom));
        profiles.setValue(QStringLiteral("DeltaBest"), vb::Variant(deltas.deltaBest));
        profiles.setValue(QStringLiteral("DeltaPeak"), vb::Variant(deltas.deltaPeak));
        profiles.setValue(QStringLiteral("DeltaTo"), vb::Variant(deltas.deltaTo));
        profiles.setValue(QStringLiteral("LifeSpan"), vb::Variant(deltas.lifeSpan));
        profiles.setValue(QStringLiteral("PeriodBandWidth"), vb::Variant(std::int16_t{12}));
        profiles.update();
    }
    profiles.close();
}

// Positions `wines` on the wine; the rows come in table order, so the search goes on from the
// current row and starts over only for a wine behind it.
bool findWine(jet::Recordset& wines, const vb::Variant& wineId)
{
    const QString criteria = QStringLiteral("[WineID]=") + wineId.toString();
    if (!wines.eof() && !wines.bof())
        wines.find(criteria);
    if (wines.eof() || wines.bof()) {
        wines.moveFirst();
        wines.find(criteria);
    }
    return !wines.eof();
}

void fillFirstAndLastDates(jet::Connection& connection)
{
    static const std::array<std::pair<const char*, const char*>, 6> fields{{
        {"FirstBoughtField", "FirstBought"},
        {"LastBoughtField", "LastBought"},
        {"FirstRemovedField", "FirstRemoval"},
        {"LastRemovedField", "LastRemoval"},
        {"FirstTastingNoteField", "FirstTastingNote"},
        {"LastTastingNoteField", "LastTastingNote"},
    }};
    jet::Recordset wines;
    DatabaseHelpers::OpenTable(wines, connection, QStringLiteral("tblWines"), false);
    if (!wines.eof()) {
        jet::ResultSet dates = connection.execute(maindb::firstLastDatesStatement());
        for (; !dates.eof(); dates.moveNext()) {
            if (!findWine(wines, dates.value(QStringLiteral("WineID"))))
                continue;
            for (const auto& [result, field] : fields) {
                const vb::Variant value = dates.value(QString::fromLatin1(result));
                if (!value.isNull() && !value.isEmpty())
                    wines.setValue(QString::fromLatin1(field), value);
            }
            wines.update();
        }
        dates.close();
    }
    wines.close();
}

void createCalcDhi(jet::Connection& connection)
{
    jet::adox::Catalog catalog;
    DatabaseHelpers::BindCatalog(catalog, connection);
    catalog.views().append(QStringLiteral("CalcDHI"), maindb::calcDhiQuery());
    shell::doEvents();
}

void redefineCurrentQuery(jet::Connection& connection)
{
    const QString name = QStringLiteral("CurrentQuery");
    jet::adox::Catalog catalog;
    DatabaseHelpers::BindCatalog(catalog, connection);
    jet::adox::View* current = catalog.views().find(name);
    if (current != nullptr && current->name() == name)
        current->setCommandText(maindb::currentQuery());
    else
        catalog.views().append(name, maindb::currentQuery());
}

// The currency code alone ("USD - United States Dollar" becomes "USD").
void shortenStorageCurrency(jet::Connection& connection)
{
    jet::Recordset version;
    DatabaseHelpers::OpenTable(version, connection, QStringLiteral("tblDBVer"), false);
    version.moveFirst();
    const vb::Variant currency = version.value(QStringLiteral("StorageCurrencyCode"));
    if (!isEmptyText(currency)) {
        version.setValue(QStringLiteral("StorageCurrencyCode"),
                         vb::Variant(currency.toString().left(3)));
        version.update();
    }
    version.close();
}

} // namespace

void MainDatabaseUpdate10(RunState& state)
{
    const bool done = trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate10"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 10"), 10);
        jet::Connection& connection = state.connection(DatabaseKind::Main);

        progress.step(1);
        const std::uint8_t code = askDrinkWindowCode();
        progress.step(2);
        widenDrinkingWindow(connection);
        progress.step(3);
        {
            jet::adox::Catalog catalog;
            DatabaseHelpers::BindCatalog(catalog, connection);
            addWindowColumns(catalog);
        }
        progress.step(4);
        convertWines(connection, code);
        progress.step(5);
        convertDrinkProfiles(connection, code);
        progress.step(6);
        connection.execute(maindb::stageDatesStatement());
        progress.step(7);
        fillFirstAndLastDates(connection);
        progress.step(8);
        createCalcDhi(connection);
        progress.step(9);
        redefineCurrentQuery(connection);
        progress.step(10);
        Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                                QStringLiteral("LastSelections"),
                                                QStringLiteral("QueryID"), QStringLiteral("0"));
        shortenStorageCurrency(connection);
        DatabaseHelpers::SetDBVersion(1, 10);
    });
    if (done)
        MainDatabaseUpdate11(state);
}

} // namespace updater
