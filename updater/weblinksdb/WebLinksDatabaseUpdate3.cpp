// WebLinks database update 3: modification dates of the links, and the date of the last
// download of links, which the settings database kept until now.

#include "common/OpenTable.h"
#include "common/ParseIsoDate.h"
#include "common/SchemaChange.h"
#include "jet/recordset/Recordset.h"
#include "updater/settingsdb/FirstRow.h"
#include "vb/Error.h"
#include "WebLinksDatabaseUpdates.h"
#include "WebLinksUpdate.h"

namespace updater {

namespace {

const QString downloadField = QStringLiteral("LastWebLinksDownload");

QString lastDownloadText(jet::Connection& settings)
{
    jet::Recordset preferences;
    DatabaseHelpers::OpenTable(preferences, settings, QStringLiteral("tblPreferences"), true);
    requireFirstRow(preferences, settings, QStringLiteral("tblPreferences"));
    const vb::Variant text = preferences.value(downloadField);
    preferences.close();
    // Without a date to copy the update cannot say when the links were last downloaded.
    if (text.isNull() || text.isEmpty())
        throw vb::Error(vb::ErrorNumber::InvalidUseOfNull,
                        QStringLiteral("The settings database holds no date of the last web "
                                       "links download (tblPreferences.LastWebLinksDownload is "
                                       "empty)."));
    return text.toString();
}

void copyLastDownload(jet::Connection& settings, jet::Connection& webLinks)
{
    const vb::Variant date = DatabaseHelpers::ParseIsoDate(lastDownloadText(settings));
    jet::Recordset version;
    DatabaseHelpers::OpenTable(version, webLinks, QStringLiteral("tblDBVer"), false);
    requireFirstRow(version, webLinks, QStringLiteral("tblDBVer"));
    version.setValue(downloadField, date);
    version.update();
    version.close();
}

} // namespace

void WebLinksDatabaseUpdate3(RunState& state)
{
    const ChainedUpdate update = webLinksUpdate(3, 4);
    runChainedUpdate(
        state, update,
        [&] {
            jet::Connection& webLinks = webLinksConnection(state);
            DatabaseHelpers::AddColumnIfMissing(webLinks, QStringLiteral("WebLinks"),
                                                DatabaseHelpers::NewColumn::dateTime("LastModif"));
            showStep(update, 2);
            DatabaseHelpers::AddColumnIfMissing(
                webLinks, QStringLiteral("tblDBVer"),
                DatabaseHelpers::NewColumn::dateTime(downloadField));
            showStep(update, 3);
            webLinks.execute(
                QStringLiteral("UPDATE WebLinks SET WebLinks.LastModif = #10/13/2001#;"));
            showStep(update, 4);
            copyLastDownload(state.connection(DatabaseKind::Settings), webLinks);
        },
        WebLinksDatabaseUpdate4);
}

} // namespace updater
