#pragma once

// Copying database files safely. A database is kept in write-ahead-log mode, so its committed
// content may live partly in the "-wal" side file: a plain byte copy of the main file can miss
// rows, and a stale "-wal" beside a replaced file would be replayed onto it. Every copy here
// goes through SQLite's online backup, is written under a temporary name beside the target,
// flushed to disk, checked, and only then renamed over the target. On failure the target is
// untouched and nothing temporary is left behind.
//
// Failures raise vb::Error with a number VB knows (53 file not found, 75 path/file access
// error, 76 path not found, 321 invalid file format, 61 disk full) and a description naming the
// file, what went wrong and what to do.

#include <QByteArray>
#include <QString>

struct sqlite3;

namespace dbfile {

// Writes a consistent copy of the database `source` (its -wal included) to `target`, replacing
// a file already there together with any side files of it. The copy is checked (integrity,
// version table readable when the source has one, same content as the source) before it
// replaces the target.
void copyDatabase(const QString& source, const QString& target);

// Puts the backup `backup` back over `target`, a database that no connection of ours has open.
// Side files of the target (-wal, -shm, -journal) are moved out of the way so they cannot be
// replayed onto the restored file; afterwards the target reads exactly as the backup does.
void restoreDatabase(const QString& backup, const QString& target);

// True when `path` is a database that passes SQLite's integrity check and whose version table
// tblDBVer, when it has one, can be read. Otherwise false, with the reason in `reason`.
bool verifyDatabase(const QString& path, QString* reason = nullptr);

// Which tables a digest covers: all of them (a copy must match its source exactly), or the
// user's data only, leaving out the engine's own tables ("MSys...", "sqlite_..."), which differ
// between databases holding the same data (the password's salt, counters' high-water marks).
enum class DigestScope
{
    Everything,
    UserData,
};

// For code that holds its own connection (the compaction program, the sample's checks):
// SHA-256 over the schema and every row of every table in `scope`, in stored order. Two
// databases with equal digests read the same. Raises vb::Error when a table cannot be read.
QByteArray contentDigest(sqlite3* db, DigestScope scope = DigestScope::Everything);
// SQLite's integrity check plus the version table rule of verifyDatabase().
bool checkDatabase(sqlite3* db, QString* reason = nullptr);

} // namespace dbfile
