// runRawMainChain: updates 4 to 11 of the main database in plain SQLite, each in one
// transaction. The connection closes and reopens of updates 6 and 11, the progress lines, the
// registry write of update 10 and the message box of update 11 are not database work and are
// left out; the lines that message box would list are still made. Text columns it creates keep
// the file's JET collation, so that names compare the same way on both sides.

#include "RawMainChain.h"

#include "BenchFailure.h"
#include "common/ParseIsoDate.h"
#include "RawDatabase.h"
#include "RawMainChainSql.h"
#include "RawSqlFunctions.h"
#include "TableRebuild.h"
#include "updater/maindb/DrinkWindow.h"
#include "updater/maindb/MainDatabaseSql.h"
#include "vb/ConversionFunctions.h"
#include "vb/DateFunctions.h"

#include <limits>
#include <optional>
#include <QHash>
#include <vector>

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

const QString firstVersionRow = u"rowid = (SELECT min(rowid) FROM tblDBVer)"_s;

// One update: a transaction ending with the new version number. A rebuilding update turns
// foreign keys off around it, as SQLite's rebuild procedure asks.
template <typename Work>
void update(const RawDatabase& db, int version, bool rebuilds, Work&& work)
{
    if (rebuilds)
        db.exec(u"PRAGMA foreign_keys = OFF"_s);
    db.exec(u"BEGIN"_s);
    work();
    db.exec(u"UPDATE tblDBVer SET Version = %1"_s.arg(version));
    db.exec(u"COMMIT"_s);
    if (rebuilds)
        db.exec(u"PRAGMA foreign_keys = ON"_s);
}

bool isBlank(const vb::Variant& value)
{
    return value.isNull() || value.isEmpty() || value.toString().isEmpty();
}

std::vector<qint64> ids(const RawDatabase& db, const QString& sql)
{
    std::vector<qint64> found;
    RawStatement query = db.prepare(sql);
    while (query.step())
        found.push_back(query.integer(0));
    return found;
}

// Update 4: the alias tables, each keyed on its alias and cascading from the table it names.
void update4(const RawDatabase& db)
{
    const QString alias =
        u"Alias TEXT(30) COLLATE JET NOT NULL CHECK (length(Alias) BETWEEN 1 AND 30)"_s;
    const QString cascade = u"ON UPDATE CASCADE ON DELETE CASCADE"_s;
    db.exec(u"CREATE TABLE tblCountryAliases (%1, LocalID INTEGER REFERENCES tblPICKCountry "
            "(CountryID) %2, PRIMARY KEY (Alias))"_s.arg(alias, cascade));
    db.exec(u"CREATE INDEX \"tblCountryAliases.CountryID\" ON tblCountryAliases (LocalID)"_s);
    db.exec(u"CREATE UNIQUE INDEX \"tblPICKRegion.StateRegionID\" ON tblPICKRegion "
            "(StateRegionID)"_s);
    db.exec(u"CREATE TABLE tblRegionAliases (%1, CountryID INTEGER NOT NULL, LocalID INTEGER "
            "REFERENCES tblPICKRegion (StateRegionID) %2, PRIMARY KEY (Alias, CountryID))"_s.arg(
                alias, cascade));
    db.exec(u"CREATE INDEX \"tblRegionAliases.RegionID\" ON tblRegionAliases (LocalID)"_s);
    db.exec(u"CREATE TABLE tblAppellationAliases (%1, LocalID INTEGER REFERENCES "
            "tblPICKAppellation (AppellationID) %2, PRIMARY KEY (Alias))"_s.arg(alias, cascade));
    db.exec(u"CREATE INDEX \"tblAppellationAliases.AppellationID\" ON tblAppellationAliases "
            "(LocalID)"_s);
}

// Update 5: unnumbered wines numbered after the highest number, in table order.
void update5(const RawDatabase& db)
{
    const vb::Variant highest = db.value(u"SELECT max(oldWineID) FROM tblWines"_s);
    qint64 number = highest.isNull() ? 0 : highest.toInteger();
    RawStatement write = db.prepare(u"UPDATE tblWines SET oldWineID = ?1 WHERE WineID = ?2"_s);
    for (const qint64 wine : ids(db, u"SELECT WineID FROM tblWines WHERE oldWineID = 0 ORDER BY "
                                     "WineID"_s)) {
        if (number == std::numeric_limits<std::int16_t>::max())
            fail(u"wine %1 cannot be numbered: oldWineID would pass 32767"_s.arg(wine));
        write.bind(1, ++number).bind(2, wine).run();
    }
    if (!db.hasIndex(u"tblWines.oldWineID"_s))
        db.exec(u"CREATE UNIQUE INDEX \"tblWines.oldWineID\" ON tblWines (oldWineID)"_s);
    db.addColumnIfMissing(u"tblDBVer"_s, u"MaxBarcodeID"_s, u"INTEGER"_s);
    db.prepare(u"UPDATE tblDBVer SET MaxBarcodeID = ?1 WHERE "_s + firstVersionRow)
        .bind(1, number)
        .run();
}

// Of each group of wineries sharing a master number, the highest WinerySiteID takes over the
// wines of the others, which are deleted.
void mergeDuplicateWineries(const RawDatabase& db)
{
    RawStatement groups =
        db.prepare(u"SELECT MasterID, max(WinerySiteID) FROM tblWinerySite GROUP BY MasterID "
                   "HAVING MasterID > 0 AND count(MasterID) > 1 ORDER BY MasterID"_s);
    std::vector<std::pair<qint64, qint64>> duplicates;
    while (groups.step())
        duplicates.emplace_back(groups.integer(0), groups.integer(1));
    RawStatement moveWines = db.prepare(
        u"UPDATE tblWines SET WinerySiteID = ?2 WHERE WinerySiteID IN (SELECT WinerySiteID FROM "
        "tblWinerySite WHERE MasterID = ?1 AND WinerySiteID <> ?2)"_s);
    RawStatement remove =
        db.prepare(u"DELETE FROM tblWinerySite WHERE MasterID = ?1 AND WinerySiteID <> ?2"_s);
    for (const auto& [master, survivor] : duplicates) {
        moveWines.bind(1, master).bind(2, survivor).run();
        remove.bind(1, master).bind(2, survivor).run();
    }
}

// Update 6: owners of wineries and tasting notes, and (UserID, MasterID) unique in both.
void update6(const RawDatabase& db, std::int32_t uniqueId)
{
    for (const QString& table : {u"tblWinerySite"_s, u"tblTastingNotes"_s}) {
        db.addColumnIfMissing(table, u"UserID"_s, u"INTEGER"_s);
        db.addColumnIfMissing(table, u"MasterID"_s, u"INTEGER"_s);
    }
    mergeDuplicateWineries(db);
    db.exec(u"DROP INDEX IF EXISTS \"tblWinerySite.MasterID\""_s);
    db.exec(u"DROP INDEX IF EXISTS \"tblTastingNotes.MasterID\""_s);
    const QString id = QString::number(uniqueId);
    db.exec(u"UPDATE tblWinerySite SET UserID = 1 WHERE MasterID > 0"_s);
    db.exec(
        u"UPDATE tblWinerySite SET UserID = %1, MasterID = WinerySiteID WHERE MasterID = 0"_s.arg(
            id));
    db.exec(u"UPDATE tblTastingNotes SET UserID = 4 WHERE MasterID > 0 AND Author = 'Veltrano'"_s);
    db.exec(u"UPDATE tblTastingNotes SET UserID = 3 WHERE MasterID > 0 AND Author <> 'Veltrano'"_s);
    db.exec(u"UPDATE tblTastingNotes SET UserID = %1, MasterID = TastingNoteID WHERE "
            "MasterID = 0"_s.arg(id));
    db.exec(u"CREATE UNIQUE INDEX \"tblTastingNotes.MasterID\" ON tblTastingNotes (UserID, "
            "MasterID)"_s);
    db.exec(u"CREATE UNIQUE INDEX \"tblWinerySite.MasterID\" ON tblWinerySite (UserID, "
            "MasterID)"_s);
}

// Update 7: the marked flag, No for every wine.
void update7(const RawDatabase& db)
{
    db.addColumnIfMissing(u"tblWines"_s, u"PreSelect"_s, u"BIT DEFAULT 0"_s);
}

// The storage currency and last wineries download of the settings database.
void copyPreferences(const RawDatabase& db, const QString& settingsPath)
{
    vb::Variant currency(u"USD - United States Dollar"_s);
    std::optional<vb::Variant> lastDownload;
    {
        const RawDatabase settings(settingsPath);
        RawStatement preferences =
            settings.prepare(u"SELECT StorageCurrencyCode, LastWineriesDownload FROM "
                             "tblPreferences ORDER BY rowid LIMIT 1"_s);
        if (preferences.step()) {
            if (!isBlank(preferences.variant(0)))
                currency = preferences.variant(0);
            if (!isBlank(preferences.variant(1)))
                lastDownload = DatabaseHelpers::ParseIsoDate(preferences.text(1));
        }
    }
    RawStatement write = db.prepare(
        lastDownload ? u"UPDATE tblDBVer SET StorageCurrencyCode = ?1, LastWineriesDownload = ?2 "
                       "WHERE "_s +
                           firstVersionRow
                     : u"UPDATE tblDBVer SET StorageCurrencyCode = ?1 WHERE "_s + firstVersionRow);
    write.bind(1, currency);
    if (lastDownload)
        write.bind(2, *lastDownload);
    write.run();
}

// A transaction's moment: the day of its Date and the time of day of its Time.
double transactionMoment(const vb::Variant& day, const vb::Variant& time)
{
    double moment = vb::DateSerial(vb::Year(day), vb::Month(day), vb::Day(day)).toDate();
    if (!time.isNull())
        moment += vb::TimeSerial(vb::Hour(time), vb::Minute(time), vb::Second(time)).toDate();
    return moment;
}

// Created and LastModif of every wine: its first and last dated transaction in key order, or
// now for a wine without one.
void stampWines(const RawDatabase& db)
{
    QHash<qint64, std::pair<double, double>> stamps;
    RawStatement transactions = db.prepare(u"SELECT WineID, Date, Time FROM tblTransactions "
                                           "WHERE WineID IS NOT NULL AND Date IS NOT NULL "
                                           "ORDER BY TransactionID"_s);
    while (transactions.step()) {
        const double moment = transactionMoment(transactions.variant(1), transactions.variant(2));
        const auto stamp = stamps.find(transactions.integer(0));
        if (stamp == stamps.end())
            stamps.insert(transactions.integer(0), {moment, moment});
        else
            stamp->second = moment;
    }
    RawStatement write =
        db.prepare(u"UPDATE tblWines SET Created = ?1, LastModif = ?2 WHERE WineID = ?3"_s);
    for (const qint64 wine : ids(db, u"SELECT WineID FROM tblWines ORDER BY WineID"_s)) {
        const auto stamp = stamps.constFind(wine);
        if (stamp != stamps.constEnd()) {
            write.bind(1, stamp->first).bind(2, stamp->second);
        } else {
            const double now = vb::Now().toDate();
            write.bind(1, now).bind(2, now);
        }
        write.bind(3, wine).run();
    }
}

// Update 8: change stamps of tasting notes and wines, preferences moved into tblDBVer.
void update8(const RawDatabase& db, const QString& settingsPath)
{
    db.addColumnIfMissing(u"tblTastingNotes"_s, u"LastModif"_s, u"DATETIME"_s);
    db.exec(u"UPDATE tblTastingNotes SET LastModif = Date"_s);
    db.addColumnIfMissing(u"tblDBVer"_s, u"StorageCurrencyCode"_s,
                          u"TEXT(255) COLLATE JET CHECK (length(StorageCurrencyCode) <= 255)"_s);
    db.addColumnIfMissing(u"tblDBVer"_s, u"LastWineriesDownload"_s, u"DATETIME"_s);
    db.addColumnIfMissing(u"tblWines"_s, u"Created"_s, u"DATETIME"_s);
    db.addColumnIfMissing(u"tblWines"_s, u"LastModif"_s, u"DATETIME"_s);
    copyPreferences(db, settingsPath);
    stampWines(db);
}

QString textColumn(const QString& name, int size)
{
    return u"\"%1\" TEXT(%2) COLLATE JET CHECK (length(\"%1\") <= %2)"_s.arg(name).arg(size);
}

// Update 9: retail outlet names of up to 50 characters.
void update9(const RawDatabase& db)
{
    rebuildTable(db, u"tblPICKRetailOutlet"_s,
                 {{u"RetailStoreName"_s, textColumn(u"RetailStoreName"_s, 50)}});
}

void addWindowColumns(const RawDatabase& db)
{
    const QString wines = u"tblWines"_s;
    db.addColumnIfMissing(wines, u"Peak"_s, u"TEXT(7) COLLATE JET CHECK (length(Peak) <= 7)"_s);
    db.addColumnIfMissing(wines, u"LifeSpan"_s, u"SMALLINT"_s);
    db.addColumnIfMissing(wines, u"PeriodBandWidth"_s, u"SMALLINT"_s);
    db.addColumnIfMissing(wines, u"Varieties"_s, u"LONGTEXT COLLATE JET"_s);
    db.addColumnIfMissing(wines, u"HasLabel"_s, u"BIT DEFAULT 0"_s);
    for (const QString& stage : updater::maindb::stageDateFields())
        db.addColumnIfMissing(wines, stage, u"DATETIME"_s);
    for (const QString& field : {u"FirstBought"_s, u"LastBought"_s, u"FirstRemoval"_s,
                                 u"LastRemoval"_s, u"FirstTastingNote"_s, u"LastTastingNote"_s})
        db.addColumnIfMissing(wines, field, u"DATETIME"_s);
    for (const QString& field : {u"DeltaPeak"_s, u"LifeSpan"_s, u"PeriodBandWidth"_s})
        db.addColumnIfMissing(u"tblDrinkProfile"_s, field, u"SMALLINT"_s);
}

struct OldWindow
{
    qint64 wine = 0;
    vb::Variant vintage;
    vb::Variant drinkFrom;
    vb::Variant optimal;
    vb::Variant drinkTo;
    bool converted = false;
};

// A missing vintage becomes "" (the stage dates read it with Val); one that is neither empty
// nor a number stops the update, as in the chain.
vb::Variant preparedVintage(const OldWindow& old)
{
    if (old.vintage.isNull())
        return vb::Variant(QString());
    const QString text = old.vintage.toString();
    if (vb::Val(vb::Variant(text)).toDouble() != 0 &&
        !vb::IsNumeric(vb::Variant(text.trimmed())).toBoolean())
        fail(u"the vintage \"%1\" of wine %2 is not a year"_s.arg(text).arg(old.wine));
    return old.vintage;
}

// Every wine whose Peak is still empty gets its new drinking window.
void convertWines(const RawDatabase& db, std::uint8_t code)
{
    std::vector<OldWindow> wines;
    RawStatement read = db.prepare(u"SELECT WineID, Vintage, DrinkFrom, Optimal, DrinkTo, Peak "
                                   "FROM tblWines ORDER BY WineID"_s);
    while (read.step())
        wines.push_back({read.integer(0), read.variant(1), read.variant(2), read.variant(3),
                         read.variant(4), !isBlank(read.variant(5))});
    RawStatement vintageOnly = db.prepare(u"UPDATE tblWines SET Vintage = ?1 WHERE WineID = ?2"_s);
    RawStatement write =
        db.prepare(u"UPDATE tblWines SET Vintage = ?1, DrinkFrom = ?2, Optimal = ?3, Peak = ?4, "
                   "DrinkTo = ?5, LifeSpan = ?6, PeriodBandWidth = 12 WHERE WineID = ?7"_s);
    for (const OldWindow& old : wines) {
        const vb::Variant vintage = preparedVintage(old);
        if (old.converted) {
            if (old.vintage.isNull())
                vintageOnly.bind(1, vintage).bind(2, old.wine).run();
            continue;
        }
        const std::optional<updater::maindb::WineWindow> window =
            updater::maindb::convertWineWindow(code, old.drinkFrom, old.optimal, old.drinkTo,
                                               vintage);
        write.bind(1, vintage);
        if (window) {
            write.bind(2, window->drinkFrom)
                .bind(3, window->optimal)
                .bind(4, window->peak)
                .bind(5, window->drinkTo)
                .bind(6, qint64{window->lifeSpan});
        } else {
            write.bindNull(2).bindNull(3).bindNull(4).bindNull(5).bindNull(6);
        }
        write.bind(7, old.wine).run();
    }
}

// Profiles whose DeltaPeak is still empty and that have all three old offsets get offsets in
// months.
void convertDrinkProfiles(const RawDatabase& db, std::uint8_t code)
{
    struct OldProfile
    {
        qint64 id;
        std::int16_t from, best, to;
    };
    std::vector<OldProfile> profiles;
    RawStatement read = db.prepare(u"SELECT DrinkProfileID, DeltaFrom, DeltaBest, DeltaTo FROM "
                                   "tblDrinkProfile WHERE DeltaPeak IS NULL AND DeltaFrom IS NOT "
                                   "NULL AND DeltaBest IS NOT NULL AND DeltaTo IS NOT NULL "
                                   "ORDER BY DrinkProfileID"_s);
    while (read.step())
        profiles.push_back({read.integer(0), read.variant(1).toInteger(),
                            read.variant(2).toInteger(), read.variant(3).toInteger()});
    RawStatement write =
        db.prepare(u"UPDATE tblDrinkProfile SET DeltaFrom = ?1, DeltaBest = ?2, DeltaPeak = ?3, "
                   "DeltaTo = ?4, LifeSpan = ?5, PeriodBandWidth = 12 WHERE DrinkProfileID = ?6"_s);
    for (const OldProfile& old : profiles) {
        const updater::maindb::ProfileDeltas deltas =
            updater::maindb::convertDrinkProfile(code, old.from, old.best, old.to);
        write.bind(1, qint64{deltas.deltaFrom})
            .bind(2, qint64{deltas.deltaBest})
            .bind(3, qint64{deltas.deltaPeak})
            .bind(4, qint64{deltas.deltaTo})
            .bind(5, qint64{deltas.lifeSpan})
            .bind(6, old.id)
            .run();
    }
}

// Update 10: the month-precise drinking window, stage dates, varieties, label flag, first and
// last dates, the drink/hold indicator and the currency code alone.
void update10(const RawDatabase& db, std::uint8_t code)
{
    rebuildTable(db, u"tblWines"_s,
                 {{u"DrinkFrom"_s, textColumn(u"DrinkFrom"_s, 7)},
                  {u"DrinkTo"_s, textColumn(u"DrinkTo"_s, 7)},
                  {u"Optimal"_s, textColumn(u"Optimal"_s, 7)}});
    addWindowColumns(db);
    convertWines(db, code);
    convertDrinkProfiles(db, code);
    db.exec(rawStageDatesStatement());
    db.exec(rawFirstLastDatesStatement());
    db.exec(u"DROP VIEW IF EXISTS CalcDHI"_s);
    db.exec(rawCalcDhiView());
    db.exec(u"DROP VIEW IF EXISTS CurrentQuery"_s);
    db.exec(rawCurrentQueryView());
    db.exec(u"UPDATE tblDBVer SET StorageCurrencyCode = substr(StorageCurrencyCode, 1, 3) "
            "WHERE StorageCurrencyCode <> '' AND "_s +
            firstVersionRow);
}

// "country - region - appellation" of an appellation left for the user to delete.
QString geographyLine(const RawDatabase& db, qint64 id, const QString& name)
{
    QString country;
    QString region;
    RawStatement geography = db.prepare(u"SELECT CountryID, StateRegionID FROM "
                                        "tblPICKGeoAppellation WHERE AppellationID = ?1"_s);
    if (geography.bind(1, id).step()) {
        RawStatement countries =
            db.prepare(u"SELECT Country FROM tblPICKCountry WHERE CountryID = ?1"_s);
        if (countries.bind(1, geography.variant(0)).step())
            country = countries.text(0);
        RawStatement regions = db.prepare(u"SELECT StateRegion FROM tblPICKRegion WHERE "
                                          "CountryID = ?1 AND StateRegionID = ?2"_s);
        if (regions.bind(1, geography.variant(0)).bind(2, geography.variant(1)).step())
            region = regions.text(0);
    }
    return country + u" - "_s + region + u" - "_s + name;
}

bool appellationInUse(const RawDatabase& db, qint64 id)
{
    RawStatement use = db.prepare(u"SELECT EXISTS (SELECT 1 FROM tblWines WHERE AppellationID = "
                                  "?1) OR EXISTS (SELECT 1 FROM tblWinerySite WHERE "
                                  "AppellationID = ?1)"_s);
    use.bind(1, id).step();
    return use.integer(0) != 0;
}

// Appellation names with a straight apostrophe take the typographic one; one whose new name is
// taken is deleted when unused, else flagged. Returns the flagged lines.
QStringList replaceStraightApostrophes(const RawDatabase& db)
{
    std::vector<std::pair<qint64, QString>> found;
    RawStatement read = db.prepare(u"SELECT AppellationID, Appellation FROM tblPICKAppellation "
                                   "WHERE instr(Appellation, '''') > 0 ORDER BY Appellation"_s);
    while (read.step())
        found.emplace_back(read.integer(0), read.text(1));
    RawStatement taken = db.prepare(u"SELECT 1 FROM tblPICKAppellation WHERE Appellation = ?1"_s);
    RawStatement rename =
        db.prepare(u"UPDATE tblPICKAppellation SET Appellation = ?1 WHERE AppellationID = ?2"_s);
    RawStatement dropAlias = db.prepare(u"DELETE FROM tblAppellationAliases WHERE Alias = ?1"_s);
    RawStatement dropGeography =
        db.prepare(u"DELETE FROM tblPICKGeoAppellation WHERE AppellationID = ?1"_s);
    RawStatement drop = db.prepare(u"DELETE FROM tblPICKAppellation WHERE AppellationID = ?1"_s);
    QStringList flagged;
    for (const auto& [id, name] : found) {
        const QString typographic = QString(name).replace(u'\'', QChar(0x2019));
        const bool exists = taken.bind(1, typographic).step();
        taken.reset();
        if (!exists) {
            rename.bind(1, typographic).bind(2, id).run();
            dropAlias.bind(1, typographic).run();
        } else if (!appellationInUse(db, id)) {
            dropGeography.bind(1, id).run();
            drop.bind(1, id).run();
        } else {
            rename.bind(1, (name + u"*DELETE*"_s).left(50)).bind(2, id).run();
            flagged << geographyLine(db, id, name);
        }
    }
    return flagged;
}

// Update 11: bottle locations, the query of the wines outside the selection, typographic
// apostrophes in appellation names.
void update11(const RawDatabase& db)
{
    if (!db.hasTable(u"tblLocations"_s))
        db.exec(u"CREATE TABLE tblLocations (LocationID INTEGER PRIMARY KEY AUTOINCREMENT, "
                "ZoneID INTEGER, "_s +
                textColumn(u"HotspotID"_s, 50) + u", CurrentQty SMALLINT, MaxQty SMALLINT, "_s +
                textColumn(u"LocationName"_s, 50) +
                u" UNIQUE, AllowAllSizes BIT, Note LONGTEXT COLLATE JET)"_s);
    if (db.value(u"SELECT 1 FROM sqlite_schema WHERE type = 'view' AND name = 'ReverseQuery'"_s)
            .isNull())
        db.exec(rawReverseQueryView());
    replaceStraightApostrophes(db);
}

} // namespace

void runRawMainChain(const QString& mainPath, const QString& settingsPath,
                     const RawChainAnswers& answers)
{
    const RawDatabase db(mainPath);
    registerRawSqlFunctions(db.handle());
    update(db, 4, false, [&] { update4(db); });
    update(db, 5, false, [&] { update5(db); });
    update(db, 6, false, [&] { update6(db, answers.uniqueId); });
    update(db, 7, false, [&] { update7(db); });
    update(db, 8, false, [&] { update8(db, settingsPath); });
    update(db, 9, true, [&] { update9(db); });
    update(db, 10, true, [&] { update10(db, answers.drinkWindowCode); });
    update(db, 11, false, [&] { update11(db); });
}

} // namespace mainchain
