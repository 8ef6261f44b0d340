// Main Database Update 8 (-> 8): tasting notes and wines get their change stamps, and the
// storage currency and the last wineries download move from the settings into tblDBVer.

#include "common/DatabaseVersion.h"
#include "common/OpenTable.h"
#include "common/ParseIsoDate.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "jet/adox/Catalog.h"
#include "jet/recordset/Recordset.h"
#include "MainDatabaseUpdates.h"
#include "UpdateProgress.h"
#include "updater/RunState.h"
#include "vb/DateFunctions.h"

#include <optional>
#include <QHash>

namespace updater {

namespace {

using DatabaseHelpers::NewColumn;
using jet::DataType;

const QString defaultCurrency = QStringLiteral("USD - United States Dollar");

void addStampColumns(jet::adox::Catalog& catalog)
{
    jet::adox::Table& version = catalog.tables().item(QStringLiteral("tblDBVer"));
    DatabaseHelpers::AddColumnIfMissing(
        catalog, version, NewColumn{QStringLiteral("StorageCurrencyCode"), DataType::VarWChar});
    DatabaseHelpers::AddColumnIfMissing(
        catalog, version, NewColumn{QStringLiteral("LastWineriesDownload"), DataType::Date});
    jet::adox::Table& wines = catalog.tables().item(QStringLiteral("tblWines"));
    DatabaseHelpers::AddColumnIfMissing(catalog, wines,
                                        NewColumn{QStringLiteral("Created"), DataType::Date});
    DatabaseHelpers::AddColumnIfMissing(catalog, wines,
                                        NewColumn{QStringLiteral("LastModif"), DataType::Date});
}

bool isBlank(const vb::Variant& value)
{
    return value.isNull() || value.isEmpty() || value.toString().isEmpty();
}

// The two preferences of the settings database that now belong to the wine database. A
// settings database without its preferences row, or one that never downloaded the wineries,
// gives the default currency and leaves the download date empty.
void copyPreferences(RunState& state)
{
    vb::Variant currency(defaultCurrency);
    std::optional<vb::Variant> lastDownload;
    jet::Recordset preferences;
    DatabaseHelpers::OpenTable(preferences, state.connection(DatabaseKind::Settings),
                               QStringLiteral("tblPreferences"), true);
    if (!preferences.eof()) {
        const vb::Variant code = preferences.value(QStringLiteral("StorageCurrencyCode"));
        if (!isBlank(code))
            currency = code;
        const vb::Variant download = preferences.value(QStringLiteral("LastWineriesDownload"));
        if (!isBlank(download))
            lastDownload = DatabaseHelpers::ParseIsoDate(download.toString());
    }
    preferences.close();

    jet::Recordset version;
    DatabaseHelpers::OpenTable(version, state.connection(DatabaseKind::Main),
                               QStringLiteral("tblDBVer"), false);
    version.moveFirst();
    version.setValue(QStringLiteral("StorageCurrencyCode"), currency);
    if (lastDownload)
        version.setValue(QStringLiteral("LastWineriesDownload"), *lastDownload);
    version.update();
    version.close();
}

// The moment of a transaction: the day of its Date and the time of day of its Time. Nullopt
// for one without a date; one without a time counts as midnight.
std::optional<vb::Variant> transactionMoment(const vb::Variant& day, const vb::Variant& time)
{
    if (day.isNull())
        return std::nullopt;
    double moment = vb::DateSerial(vb::Year(day), vb::Month(day), vb::Day(day)).toDate();
    if (!time.isNull())
        moment += vb::TimeSerial(vb::Hour(time), vb::Minute(time), vb::Second(time)).toDate();
    return vb::Variant::fromDate(moment);
}

struct WineStamps
{
    vb::Variant created;
    vb::Variant lastModified;
};

// The first and last transaction moments of every wine that has a dated transaction, in the
// order of the transactions' key (TransactionID): one query instead of a filter per wine.
QHash<qint64, WineStamps> transactionStamps(jet::Connection& connection)
{
    QHash<qint64, WineStamps> stamps;
    jet::ResultSet transactions = connection.execute(QStringLiteral(
        "SELECT WineID, [Date], [Time] FROM tblTransactions ORDER BY TransactionID"));
    for (; !transactions.eof(); transactions.moveNext()) {
        const vb::Variant wine = transactions.value(0);
        const std::optional<vb::Variant> moment =
            transactionMoment(transactions.value(1), transactions.value(2));
        if (wine.isNull() || !moment)
            continue;
        const qint64 wineId = wine.toLong();
        const auto stamp = stamps.find(wineId);
        if (stamp == stamps.end())
            stamps.insert(wineId, WineStamps{*moment, *moment});
        else
            stamp->lastModified = *moment;
    }
    transactions.close();
    return stamps;
}

// Created and LastModif of every wine: its first and last transaction (in the order of the
// transactions' key) that has a date, or now for a wine without any.
void stampWines(jet::Connection& connection)
{
    const QHash<qint64, WineStamps> stamps = transactionStamps(connection);
    jet::Recordset wines;
    DatabaseHelpers::OpenTable(wines, connection, QStringLiteral("tblWines"), false,
                               QStringLiteral("PrimaryKey"));
    for (; !wines.eof(); wines.moveNext()) {
        const auto stamp = stamps.constFind(wines.value(QStringLiteral("WineID")).toLong());
        WineStamps wine;
        if (stamp != stamps.constEnd()) {
            wine = *stamp;
        } else {
            const vb::Variant now = vb::Now();
            wine = {now, now};
        }
        wines.setValue(QStringLiteral("Created"), wine.created);
        wines.setValue(QStringLiteral("LastModif"), wine.lastModified);
        wines.update();
    }
    wines.close();
}

} // namespace

void MainDatabaseUpdate8(RunState& state)
{
    const bool done = trapUpdateErrors(state, QStringLiteral("MainDatabaseUpdate8"), [&] {
        const maindb::UpdateProgress progress(QStringLiteral("Main Database Update 8"), 5);
        jet::Connection& connection = state.connection(DatabaseKind::Main);
        jet::adox::Catalog catalog;
        DatabaseHelpers::BindCatalog(catalog, connection);

        progress.step(1);
        DatabaseHelpers::AddColumnIfMissing(
            catalog, catalog.tables().item(QStringLiteral("tblTastingNotes")),
            NewColumn{QStringLiteral("LastModif"), DataType::Date});
        progress.step(2);
        connection.execute(QStringLiteral(
            "UPDATE tblTastingNotes INNER JOIN tblTastingNotes AS tblTastingNotes_1 ON "
            "tblTastingNotes.TastingNoteID = tblTastingNotes_1.TastingNoteID SET "
            "tblTastingNotes.LastModif = [tblTastingNotes_1].[Date];"));
        progress.step(3);
        addStampColumns(catalog);
        progress.step(4);
        copyPreferences(state);
        progress.step(5);
        stampWines(connection);
        DatabaseHelpers::SetDBVersion(1, 8);
    });
    if (done)
        MainDatabaseUpdate9(state);
}

} // namespace updater
