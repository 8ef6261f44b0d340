#pragma once

// The host's current selection of wines: one of the user's saved queries (tblQueryInfo of the
// settings database: its number, description and condition clause such as
// "Where tblPICKType.WineType = 'Red'"), or all wines. Conditions name fields of the wine
// tables (see wineTablesJoin()).

#include <QList>
#include <QString>

namespace jet {
class Connection;
}

namespace host {

struct Selection
{
    static constexpr qint32 kAllWines = 0;

    qint32 queryId = kAllWines;
    QString description = QStringLiteral("All Wines");
    QString condition; // "" for all wines

    // The wines' keys, each once: "SELECT DISTINCT tblWines.WineID FROM ... <condition>".
    QString winesSql() const;
};

// The saved queries, by number.
QList<Selection> savedQueries(jet::Connection& settingsDatabase);
// The saved query of that number; all wines for kAllWines. Raises vb::Error naming the number
// when there is no such query.
Selection findSelection(jet::Connection& settingsDatabase, qint32 queryId);
// By number or by description (case-insensitive).
Selection findSelection(jet::Connection& settingsDatabase, const QString& numberOrDescription);

// Empties tblReportSource and fills it with the selection's wines.
void fillReportSource(jet::Connection& mainDatabase, const Selection& selection);

} // namespace host
