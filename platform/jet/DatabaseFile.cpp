#include "DatabaseFile.h"

#include "DatabasePassword.h"
#include "Error.h"
#include "SqliteStatement.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace jet {

namespace {

constexpr char sqliteMagic[] = "SQLite format 3"; // followed by a NUL: 16 bytes
constexpr qint64 sqliteHeaderSize = 100;

struct DatabaseCloser
{
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

} // namespace

void checkDatabaseFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        throw Error::fileNotFound(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error::cannotOpenFile(path);
    }
    const QByteArray header = file.read(sqliteHeaderSize);
    if (header.size() < sqliteHeaderSize ||
        !header.startsWith(QByteArray(sqliteMagic, sizeof sqliteMagic))) {
        throw Error::unrecognizedFormat(path);
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
        sqlite3* raw = nullptr;
        const int rc =
            sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        const std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
        if (rc != SQLITE_OK) {
            throw Error::cannotOpenFile(path);
        }
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
