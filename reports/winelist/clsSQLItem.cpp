// clsSQLItem: setting an item's four texts.

#include "reports/winelist/clsSQLItem.h"

void clsSQLItem::Init(const QString& theTable, const QString& theField, const QString& theSelectSQL,
                      const QString& theWhere)
{
    Table = theTable;
    Field = theField;
    SelectSQL = theSelectSQL;
    WhereSQL = theWhere;
}
