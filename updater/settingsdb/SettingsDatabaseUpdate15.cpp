// Settings database update 15: bracket counts and value kinds of query conditions, the
// built-in query of marked wines, the news and backup options, three-letter currency codes,
// and the captions of the wine grid's newer columns.

#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "FirstRow.h"
#include "jet/recordset/Recordset.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"
#include "vb/Error.h"

#include <array>
#include <limits>

namespace updater {

namespace {

const QString markedWinesDescription = QStringLiteral("** Marked Wines **");

void addMarkedWinesQuery(jet::Connection& settings)
{
    jet::Recordset queries;
    DatabaseHelpers::OpenTable(queries, settings, QStringLiteral("tblQueryInfo"), false);
    // The new query takes the number after the last row's; an empty table has none to give.
    if (queries.eof())
        throw vb::Error(vb::ErrorNumber::InvalidUseOfNull,
                        QStringLiteral("The table tblQueryInfo holds no saved query, so the "
                                       "query of marked wines cannot be given a number. Restore "
                                       "the settings database from a backup."));
    queries.moveLast();
    const std::int32_t last = queries.value(QStringLiteral("QID")).toLong();
    if (last == std::numeric_limits<std::int32_t>::max())
        throw vb::Error(vb::ErrorNumber::Overflow,
                        QStringLiteral("The last saved query in tblQueryInfo has the highest "
                                       "number a query can have (%1); the query of marked wines "
                                       "cannot be numbered after it.")
                            .arg(last));
    const std::int32_t qid = last + 1;
    queries.setFilter(QStringLiteral("[Description] = '** Marked Wines **'"));
    if (queries.eof()) {
        queries.addNew();
        queries.setValue(QStringLiteral("QID"), qid);
        queries.setValue(QStringLiteral("Description"), markedWinesDescription);
        queries.setValue(QStringLiteral("SQL"), QStringLiteral("Where tblWines.PreSelect = True"));
        queries.setValue(QStringLiteral("Locked"), true);
        queries.setValue(QStringLiteral("GridLayout"), QString());
        queries.update();
    }
    queries.close();
}

// Length of a text field; Null and Empty count as no text.
qsizetype textLength(const vb::Variant& value)
{
    return value.isNull() || value.isEmpty() ? 0 : value.toString().size();
}

void shortenCurrencyCodes(jet::Connection& settings)
{
    const QString storage = QStringLiteral("StorageCurrencyCode");
    const QString display = QStringLiteral("DisplayCurrencyCode");
    jet::Recordset preferences;
    DatabaseHelpers::OpenTable(preferences, settings, QStringLiteral("tblPreferences"), false);
    requireFirstRow(preferences, settings, QStringLiteral("tblPreferences"));
    const vb::Variant storageCode = preferences.value(storage);
    if (textLength(storageCode) > 3) {
        preferences.setValue(storage, storageCode.toString().left(3));
        preferences.setValue(QStringLiteral("LatestExchangeRates"),
                             QStringLiteral("Rates as of September 25, 2003"));
        preferences.update();
    }
    const vb::Variant displayCode = preferences.value(display);
    if (textLength(displayCode) > 3) {
        preferences.setValue(display, displayCode.toString().left(3));
        preferences.update();
    }
    preferences.close();
}

void markNewsAsRead(jet::Connection& settings)
{
    jet::Recordset versions;
    DatabaseHelpers::OpenTable(versions, settings, QStringLiteral("tblVersions"), false);
    requireFirstRow(versions, settings, QStringLiteral("tblVersions"));
    versions.setValue(QStringLiteral("news_last_read"),
                      versions.value(QStringLiteral("news_local_version")));
    versions.update();
    versions.close();
}

struct CaptionChange
{
    std::int16_t columnId;
    const char* oldCaption;
    const char* newCaption;
};

struct NewHeader
{
    std::int16_t columnId;
    const char* caption;
};

void updateColumnHeaders(jet::Connection& settings)
{
    static constexpr std::array<CaptionChange, 3> changes{
        {{11, "From", "Hold U."}, {12, "To", "Best U."}, {19, "Best", "Drink/Hold U."}}};
    static constexpr std::array<NewHeader, 11> added{{{25, "M"},
                                                      {26, "Peak"},
                                                      {27, "LS"},
                                                      {28, "1st Buy"},
                                                      {29, "Last Buy"},
                                                      {30, "1st Rmvl"},
                                                      {31, "Last Rmvl"},
                                                      {32, "1st TN"},
                                                      {33, "Last TN"},
                                                      {34, "Created"},
                                                      {35, "Modified"}}};
    const QString columnId = QStringLiteral("ColumnID");
    const QString caption = QStringLiteral("Caption");
    jet::Recordset headers;
    DatabaseHelpers::OpenTable(headers, settings, QStringLiteral("tblColumnHeaders"), false);
    while (!headers.eof()) {
        const vb::Variant id = headers.value(columnId);
        const vb::Variant current = headers.value(caption);
        for (const CaptionChange& change : changes) {
            // Only the captions as delivered change; a caption the user chose stays.
            if (!id.isNull() && id.toLong() == change.columnId && current.isString() &&
                current.toString() == QLatin1String(change.oldCaption)) {
                headers.setValue(caption, QString::fromLatin1(change.newCaption));
                headers.update();
            }
        }
        headers.moveNext();
    }
    for (const NewHeader& header : added) {
        headers.addNew();
        headers.setValue(columnId, header.columnId);
        headers.setValue(caption, QString::fromLatin1(header.caption));
        headers.update();
    }
    headers.close();
}

} // namespace

void SettingsDatabaseUpdate15(RunState& state)
{
    const ChainedUpdate update = settingsUpdate(15, 14);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& settings = settingsConnection(state);
            const QString definitions = QStringLiteral("tblQueryDefinitions");
            DatabaseHelpers::AddColumnIfMissing(
                settings, definitions, DatabaseHelpers::NewColumn::smallInteger("OpenParenthese"));
            showStep(update, 2);
            DatabaseHelpers::AddColumnIfMissing(
                settings, definitions, DatabaseHelpers::NewColumn::smallInteger("CloseParenthese"));
            showStep(update, 3);
            DatabaseHelpers::AddColumnIfMissing(
                settings, definitions, DatabaseHelpers::NewColumn::smallInteger("DateDeltaType"));
            showStep(update, 4);
            DatabaseHelpers::AddColumnIfMissing(
                settings, definitions, DatabaseHelpers::NewColumn::smallInteger("ValueType"));
            showStep(update, 5);
            settings.execute(
                QStringLiteral("ALTER TABLE tblQueryDefinitions ALTER COLUMN [Value] TEXT(255)"));
            showStep(update, 6);
            settings.execute(QStringLiteral(
                "UPDATE tblQueryDefinitions SET tblQueryDefinitions.OpenParenthese = 0, "
                "tblQueryDefinitions.CloseParenthese = 0, tblQueryDefinitions.DateDeltaType = 0, "
                "tblQueryDefinitions.ValueType = 0;"));
            showStep(update, 7);
            addMarkedWinesQuery(settings);
            showStep(update, 8);
            DatabaseHelpers::AddColumnIfMissing(
                settings, QStringLiteral("tblVersions"),
                DatabaseHelpers::NewColumn::smallInteger("news_last_read"));
            showStep(update, 9);
            DatabaseHelpers::AddColumnIfMissing(settings, QStringLiteral("tblPreferences"),
                                                DatabaseHelpers::NewColumn::yesNo("BackupOnExit"));
            showStep(update, 10);
            DatabaseHelpers::AddColumnIfMissing(
                settings, QStringLiteral("tblExchangeRates"),
                DatabaseHelpers::NewColumn::text("CurrencyTitle", 255)
                    .withNullable(true)
                    .withAllowZeroLength(true));
            showStep(update, 11);
            showStep(update, 12);
            shortenCurrencyCodes(settings);
            showStep(update, 13);
            markNewsAsRead(settings);
            showStep(update, 14);
            updateColumnHeaders(settings);
        },
        SettingsDatabaseUpdate16);
}

} // namespace updater
