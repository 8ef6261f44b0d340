// The digest of a database's data, as the sample's checks compare installations.

#include "DatabaseDigest.h"

#include "common/DatabaseCopy.h"
#include "platform/sqlite/SqliteHandles.h"
#include "vb/Error.h"

namespace sample {

QByteArray databaseDigest(const QString& path)
{
    sqlite::DatabaseHandle db;
    if (sqlite::open(path.toUtf8(), SQLITE_OPEN_READONLY, db) != SQLITE_OK) {
        sqlite3* raw = db.get();
        throw vb::Error(
            vb::ErrorNumber::PathFileAccessError,
            QStringLiteral("Could not read the database '%1': %2")
                .arg(path, QString::fromUtf8(raw ? sqlite3_errmsg(raw) : "out of memory")),
            QStringLiteral("sample"));
    }
    return dbfile::contentDigest(db.get(), dbfile::DigestScope::UserData).toHex();
}

} // namespace sample
