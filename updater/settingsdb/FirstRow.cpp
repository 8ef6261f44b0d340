#include "FirstRow.h"

#include "jet/recordset/Recordset.h"
#include "vb/Error.h"

#include <QDir>

namespace updater {

void requireFirstRow(const jet::Recordset& recordset, const jet::Connection& connection,
                     const QString& table)
{
    if (!recordset.eof())
        return;
    throw vb::Error(3021, QStringLiteral("The table %1 of '%2' holds no row, so the update cannot "
                                         "write to it. Restore the database from a backup.")
                              .arg(table, QDir::toNativeSeparators(connection.databasePath())));
}

} // namespace updater
