// Computing the summary's figures from the main wine database.

#include "host/CellarFigures.h"

#include "host/Selection.h"
#include "platform/jet/Connection.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace host {

namespace {

struct Purchases
{
    qint64 bottles = 0;
    double cost = 0;
};

QHash<qint32, Purchases> purchasesByWine(jet::Connection& main, const QString& winesSql)
{
    QHash<qint32, Purchases> purchases;
    jet::ResultSet rows =
        main.execute(u"SELECT WineID, Sum(Quantity), Sum(Quantity * Cost) FROM tblTransactions "
                     "WHERE Quantity > 0 AND WineID IN ("_s +
                     winesSql + u") GROUP BY WineID"_s);
    for (; !rows.eof(); rows.moveNext()) {
        Purchases& wine = purchases[rows.value(0).toLong()];
        wine.bottles = rows.value(1).isNull() ? 0 : static_cast<qint64>(rows.value(1).toDouble());
        wine.cost = rows.value(2).isNull() ? 0.0 : rows.value(2).toDouble();
    }
    rows.close();
    return purchases;
}

} // namespace

CellarFigures computeCellarFigures(jet::Connection& mainDatabase, const Selection& selection,
                                   double currencyFactor)
{
    const QString winesSql = selection.winesSql();
    const QHash<qint32, Purchases> purchases = purchasesByWine(mainDatabase, winesSql);
    CellarFigures figures;
    for (const Purchases& wine : purchases) {
        figures.bottlesBought += static_cast<qint32>(wine.bottles);
        figures.totalSpent += wine.cost;
    }
    jet::ResultSet wines = mainDatabase.execute(
        u"SELECT WineID, QOH, [Value] FROM tblWines WHERE QOH > 0 AND WineID IN ("_s + winesSql +
        u")"_s);
    for (; !wines.eof(); wines.moveNext()) {
        const qint32 onHand = wines.value(1).toLong();
        const double value = wines.value(2).isNull() ? 0.0 : wines.value(2).toDouble();
        ++figures.distinctWines;
        figures.bottles += onHand;
        figures.valueOfInventory += onHand * value;
        const Purchases bought = purchases.value(wines.value(0).toLong());
        if (bought.bottles > 0)
            figures.expenseOfInventory += onHand * bought.cost / bought.bottles;
    }
    wines.close();
    figures.valueOfInventory *= currencyFactor;
    figures.expenseOfInventory *= currencyFactor;
    figures.totalSpent *= currencyFactor;
    return figures;
}

} // namespace host
