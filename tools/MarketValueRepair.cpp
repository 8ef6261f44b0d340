#include "MarketValueRepair.h"

#include "common/OpenTable.h"
#include "platform/jet/recordset/Recordset.h"

namespace gorvane {

namespace {

const QString primaryKey = QStringLiteral("PrimaryKey");

} // namespace

long long SetZeroMarketValues(jet::Connection& connection)
{
    jet::Recordset wines;
    jet::Recordset transactions;
    DatabaseHelpers::OpenTable(wines, connection, QStringLiteral("tblWines"), false, primaryKey);
    DatabaseHelpers::OpenTable(transactions, connection, QStringLiteral("tblTransactions"), false,
                               primaryKey);
    long long count = 0;
    wines.setFilter(QStringLiteral("[Value]=0"));
    while (!wines.eof()) {
        transactions.setFilter(QStringLiteral("[WineID]=") +
                               wines.value(QStringLiteral("WineID")).toString() +
                               QStringLiteral(" AND [Cost]>0"));
        if (!transactions.eof()) {
            transactions.moveLast();
            wines.setValue(QStringLiteral("Value"), transactions.value(QStringLiteral("Cost")));
            wines.update();
            ++count;
        }
        wines.moveNext();
    }
    transactions.close();
    wines.close();
    return count;
}

} // namespace gorvane
