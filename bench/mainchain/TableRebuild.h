#pragma once

// A column type change as SQLite documents it (it has no ALTER COLUMN): the table made anew
// under a temporary name with the changed column definitions, its rows copied, the old table
// dropped, the new one renamed, its indexes and triggers made again and its AUTOINCREMENT
// counter kept. Runs inside the caller's transaction, with foreign keys off.

#include <QMap>
#include <QString>

namespace mainchain {

class RawDatabase;

// `definitions` maps column names to their whole new definitions ("\"DrinkFrom\" TEXT(7)").
void rebuildTable(const RawDatabase& db, const QString& table,
                  const QMap<QString, QString>& definitions);

} // namespace mainchain
