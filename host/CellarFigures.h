#pragma once

// The six figures of the cellar summary for a selection of wines, sums in the display
// currency:
//   distinct wines      wines with bottles on hand (QOH > 0)
//   bottles             bottles on hand
//   value of inventory  bottles on hand at each wine's market value
//   expense of inventory  bottles on hand at each wine's average purchase price per bottle
//                       (0 for a wine without purchases)
//   bottles bought      bottles of all purchases (transactions with a positive quantity)
//   total spent         what all purchases cost (quantity times price per bottle)

#include <QString>

namespace jet {
class Connection;
}

namespace host {

struct Selection;

struct CellarFigures
{
    qint32 distinctWines = 0;
    qint32 bottles = 0;
    double valueOfInventory = 0;
    double expenseOfInventory = 0;
    qint32 bottlesBought = 0;
    double totalSpent = 0;
};

CellarFigures computeCellarFigures(jet::Connection& mainDatabase, const Selection& selection,
                                   double currencyFactor);

} // namespace host
