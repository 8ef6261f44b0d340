#include "DatabaseFile.h"

#include "DatabasePassword.h"
#include "Error.h"
#include "sqlite/SqliteHandles.h"
#include "SqliteStatement.h"

#include <memory>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace jet {

namespace {

constexpr qint64 sqliteHeaderSize = 100;

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

} // namespace

// The file is looked at through SQLite only. On Linux, closing any descriptor of a file drops
// every POSIX lock this process holds on it, so opening and closing it with QFile would silently
// release the locks of the other connections of this process; SQLite shares one descriptor per
// file among its connections and never does that.
void checkDatabaseFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        throw Error::fileNotFound(path);
    }
    if (!info.isReadable()) {
        throw Error::cannotOpenFile(path);
    }
    // SQLite takes an empty or short file for a new database; ours always have a header page.
    if (info.size() < sqliteHeaderSize) {
        throw Error::unrecognizedFormat(path);
    }
    sqlite::DatabaseHandle db;
    if (sqlite::open(path.toUtf8(), SQLITE_OPEN_READONLY, db) != SQLITE_OK) {
        throw Error::cannotOpenFile(path);
    }
    // Reading the schema reads the header: a file that is not a database fails here.
    const int check = sqlite3_exec(db.get(), "PRAGMA schema_version", nullptr, nullptr, nullptr);
    switch (check) {
    case SQLITE_OK:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return; // a database; the open that follows reports a lock
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw Error::unrecognizedFormat(path);
    default:
        throw Error::cannotOpenFile(path);
    }
}

void createDatabase(const QString& path, const QString& password)
{
    if (path.isEmpty()) {
        throw Error::invalidArgument(QStringLiteral("No file name was given for the database."));
    }
    {
        // Claims the name atomically: an existing file is never opened, let alone replaced.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path)) {
                throw Error(ErrorNumber::DatabaseAlreadyExists,
                            QStringLiteral("Database already exists."));
            }
            throw Error(ErrorNumber::Unspecified,
                        QStringLiteral("Could not create the database '%1': %2.")
                            .arg(path, file.errorString()));
        }
    }
    try {
        sqlite::DatabaseHandle db;
        if (sqlite::open(path.toUtf8(), SQLITE_OPEN_READWRITE, db) != SQLITE_OK) {
            throw Error::cannotOpenFile(path);
        }
        sqlite3* raw = db.get();
        sqlite3_extended_result_codes(raw, 1);
        detail::exec(raw, QStringLiteral("PRAGMA journal_mode=WAL"));
        detail::exec(raw, QStringLiteral("BEGIN"));
        DatabasePassword::store(raw, password);
        detail::exec(raw, QStringLiteral("COMMIT"));
    } catch (...) {
        removeDatabaseFiles(path);
        throw;
    }
}

} // namespace jet
