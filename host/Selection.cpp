// Saved queries and the report source table.

#include "host/Selection.h"

#include "host/SqlTexts.h"
#include "platform/jet/Connection.h"
#include "platform/vb/Error.h"

using namespace Qt::StringLiterals;

namespace host {

namespace {

[[noreturn]] void raiseNoQuery(const QString& which)
{
    throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                    u"There is no saved query %1 in the settings database"_s.arg(which),
                    u"Selection"_s);
}

} // namespace

QString Selection::winesSql() const
{
    QString sql = u"SELECT DISTINCT tblWines.WineID FROM "_s + wineTablesJoin();
    if (!condition.trimmed().isEmpty())
        sql += u' ' + condition.trimmed();
    return sql;
}

QList<Selection> savedQueries(jet::Connection& settingsDatabase)
{
    QList<Selection> queries;
    jet::ResultSet rows = settingsDatabase.execute(
        u"SELECT QID, Description, [SQL] FROM tblQueryInfo ORDER BY QID"_s);
    for (; !rows.eof(); rows.moveNext()) {
        Selection query;
        query.queryId = rows.value(0).toLong();
        query.description = rows.value(1).isNull() ? QString() : rows.value(1).toString();
        query.condition = rows.value(2).isNull() ? QString() : rows.value(2).toString();
        queries << query;
    }
    rows.close();
    return queries;
}

Selection findSelection(jet::Connection& settingsDatabase, qint32 queryId)
{
    if (queryId == Selection::kAllWines)
        return Selection();
    for (const Selection& query : savedQueries(settingsDatabase))
        if (query.queryId == queryId)
            return query;
    raiseNoQuery(QString::number(queryId));
}

Selection findSelection(jet::Connection& settingsDatabase, const QString& numberOrDescription)
{
    bool isNumber = false;
    const qint32 number = numberOrDescription.toInt(&isNumber);
    if (isNumber)
        return findSelection(settingsDatabase, number);
    for (const Selection& query : savedQueries(settingsDatabase))
        if (query.description.compare(numberOrDescription, Qt::CaseInsensitive) == 0)
            return query;
    raiseNoQuery(u"\"%1\""_s.arg(numberOrDescription));
}

void fillReportSource(jet::Connection& mainDatabase, const Selection& selection)
{
    mainDatabase.execute(u"DELETE * FROM tblReportSource"_s);
    mainDatabase.execute(u"INSERT INTO tblReportSource (WineID) "_s + selection.winesSql());
}

} // namespace host
