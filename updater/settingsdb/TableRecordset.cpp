#include "TableRecordset.h"

#include "jet/recordset/Recordset.h"

namespace updater {

void openTable(jet::Recordset& recordset, jet::Connection& connection, const QString& table,
               bool readOnly)
{
    recordset.open(table, connection, jet::CursorType::Keyset,
                   readOnly ? jet::LockType::ReadOnly : jet::LockType::Optimistic,
                   jet::CommandType::TableDirect);
}

} // namespace updater
