#include "DateCenturyRepair.h"

#include "platform/jet/Connection.h"

#include <QString>

namespace gorvane {

namespace {

const QString transactionDates = QStringLiteral(
    "UPDATE tblTransactions SET tblTransactions.[Date] = [Date]+36525 WHERE "
    "(((tblTransactions.Date)>=#1/1/1900# And (tblTransactions.Date)<=#12/31/1905#));");
const QString tastingNoteDates = QStringLiteral(
    "UPDATE tblTastingNotes SET tblTastingNotes.[Date] = [Date]+36525 WHERE "
    "(((tblTastingNotes.Date)>=#1/1/1900# And (tblTastingNotes.Date)<=#12/31/1905#));");

} // namespace

long long FixY2KDates(jet::Connection& connection)
{
    qint64 transactions = 0;
    qint64 tastingNotes = 0;
    connection.execute(transactionDates, &transactions);
    connection.execute(tastingNoteDates, &tastingNotes);
    return transactions + tastingNotes;
}

} // namespace gorvane
