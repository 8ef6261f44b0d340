#include "OpenTable.h"

#include "platform/jet/recordset/Recordset.h"

namespace DatabaseHelpers {

void OpenTable(jet::Recordset& recordset, jet::Connection& connection, const QString& tableName,
               bool readOnly, const QString& indexName)
{
    recordset.open(tableName, connection, jet::CursorType::Keyset,
                   readOnly ? jet::LockType::ReadOnly : jet::LockType::Optimistic,
                   jet::CommandType::TableDirect);
    if (!indexName.isEmpty())
        recordset.setIndex(indexName);
}

} // namespace DatabaseHelpers
