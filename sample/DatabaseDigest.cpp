// The digest of a database's data, as the sample's checks compare installations.

#include "DatabaseDigest.h"

#include "common/DatabaseCopy.h"
#include "vb/Error.h"

#include <memory>
#include <sqlite3.h>

namespace sample {

namespace {

struct DatabaseCloser
{
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

} // namespace

QByteArray databaseDigest(const QString& path)
{
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (opened != SQLITE_OK) {
        throw vb::Error(
            vb::ErrorNumber::PathFileAccessError,
            QStringLiteral("Could not read the database '%1': %2")
                .arg(path, QString::fromUtf8(raw ? sqlite3_errmsg(raw) : "out of memory")),
            QStringLiteral("sample"));
    }
    return dbfile::contentDigest(raw, dbfile::DigestScope::UserData).toHex();
}

} // namespace sample
