#include "DatabaseCopy.h"

#include "platform/jet/sql/JetSql.h"
#include "platform/sqlite/SqliteHandles.h"
#include "platform/vb/Error.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace dbfile {

namespace {

const QString errorSource = QStringLiteral("DatabaseCopy");
constexpr std::array<const char*, 3> sideSuffixes = {"-wal", "-shm", "-journal"};
constexpr qint64 minimumDatabaseSize = 512; // the smallest page SQLite writes

namespace Number {
constexpr int InvalidProcedureCall = 5;
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PathFileAccessError = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidFileFormat = 321;
} // namespace Number

[[noreturn]] void fail(int number, const QString& description)
{
    throw vb::Error(number, description, errorSource);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

using sqlite::DatabaseHandle;
using sqlite::StatementHandle;

QString sqliteMessage(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

StatementHandle prepare(sqlite3* db, const QString& sql)
{
    StatementHandle statement;
    if (sqlite::prepare(db, sql.toUtf8(), statement) != SQLITE_OK) {
        fail(
            Number::InvalidFileFormat,
            QStringLiteral("The database '%1' cannot be read: %2.")
                .arg(shown(QString::fromUtf8(sqlite3_db_filename(db, "main"))), sqliteMessage(db)));
    }
    return statement;
}

// Steps `statement`; true for a row, false when done, raises on an error.
bool step(sqlite3* db, sqlite3_stmt* statement)
{
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(Number::InvalidFileFormat,
         QStringLiteral("The database '%1' cannot be read: %2.")
             .arg(shown(QString::fromUtf8(sqlite3_db_filename(db, "main"))), sqliteMessage(db)));
}

QString quotedName(const QString& name)
{
    QString text = name;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Why `path` cannot be a database, or an empty text. Only looks at the file's directory entry:
// opening and closing a database file outside SQLite would drop the locks that SQLite holds on
// it for other connections of this process (POSIX locks belong to the process, not the handle).
QString notADatabaseReason(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the file does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a file");
    if (info.size() < minimumDatabaseSize)
        return QStringLiteral("it is not a database file");
    return {};
}

void requireDatabaseFile(const QString& path, const QString& role)
{
    const QString reason = notADatabaseReason(path);
    if (reason.isEmpty())
        return;
    const int number = QFileInfo::exists(path) ? Number::InvalidFileFormat : Number::FileNotFound;
    fail(number, QStringLiteral("The %1 '%2' cannot be copied: %3. Check the file name, or "
                                "restore the file from a backup.")
                     .arg(role, shown(path), reason));
}

enum class Access
{
    Read,
    Write,
};

// Opens `path` and reads its header; nullptr with the reason (and SQLite's result code) when
// that fails, e.g. with SQLITE_NOTADB for a file that is not a database.
DatabaseHandle openDatabase(const QString& path, Access access, QString* reason,
                            int* resultCode = nullptr)
{
    // Opened for writing even to read (SQLite falls back to reading for a write-protected file),
    // so the last connection to close checkpoints and removes the -wal and -shm files it made.
    DatabaseHandle db;
    int rc = sqlite::open(QFile::encodeName(path), SQLITE_OPEN_READWRITE, db);
    sqlite3* raw = db.get();
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(raw, 1);
        // Readers of a write-ahead log wait only while another connection recovers it.
        sqlite3_busy_timeout(raw, 5000);
        rc = sqlite3_exec(raw, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        if (resultCode)
            *resultCode = rc;
        if (reason)
            *reason = (rc & 0xFF) == SQLITE_NOTADB ? QStringLiteral("it is not a database file")
                      : raw                        ? sqliteMessage(raw)
                                                   : QStringLiteral("out of memory");
        return nullptr;
    }
    if (access == Access::Read)
        sqlite3_exec(raw, "PRAGMA query_only=1", nullptr, nullptr, nullptr);
    // Indexes of text columns use the engine's collation, and its checks call its functions:
    // the integrity check needs them.
    jet::registerSqlFunctions(raw);
    return db;
}

bool hasVersionTable(sqlite3* db)
{
    const StatementHandle query =
        prepare(db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = "
                                   "'tblDBVer' COLLATE NOCASE"));
    return step(db, query.get());
}

// Empty when tblDBVer has a row with a whole-number Version, else what is wrong.
QString versionTableProblem(sqlite3* db)
{
    StatementHandle query;
    if (sqlite::prepare(db, "SELECT Version FROM tblDBVer", query) != SQLITE_OK) {
        return QStringLiteral("the version table tblDBVer cannot be read (%1)")
            .arg(sqliteMessage(db));
    }
    sqlite3_stmt* raw = query.get();
    const int rc = sqlite3_step(raw);
    if (rc == SQLITE_DONE)
        return QStringLiteral("the version table tblDBVer has no row");
    if (rc != SQLITE_ROW)
        return QStringLiteral("the version table tblDBVer cannot be read (%1)")
            .arg(sqliteMessage(db));
    if (sqlite3_column_type(raw, 0) != SQLITE_INTEGER)
        return QStringLiteral("the version table tblDBVer holds no version number");
    return {};
}

void fsyncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        fail(Number::PathFileAccessError,
             QStringLiteral("'%1' could not be written to disk: %2. Check the disk and try again.")
                 .arg(shown(path), reason));
    }
    ::close(fd);
}

// A file name claimed beside the target. Removed with its side files unless kept.
class TemporaryDatabase
{
public:
    explicit TemporaryDatabase(const QString& target)
    {
        const QFileInfo info(target);
        QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open()) {
            fail(Number::PathFileAccessError,
                 QStringLiteral("Cannot write into the folder '%1' (%2). Check that you may "
                                "write to it and that the disk is not full.")
                     .arg(shown(info.absolutePath()), file.errorString()));
        }
        m_path = file.fileName();
    }
    ~TemporaryDatabase()
    {
        if (!m_kept)
            QFile::remove(m_path);
        removeSideFiles();
    }
    TemporaryDatabase(const TemporaryDatabase&) = delete;
    TemporaryDatabase& operator=(const TemporaryDatabase&) = delete;

    const QString& path() const noexcept { return m_path; }
    void keep() noexcept { m_kept = true; }
    void removeSideFiles() const
    {
        for (const char* suffix : sideSuffixes)
            QFile::remove(m_path + QLatin1String(suffix));
    }

private:
    QString m_path;
    bool m_kept = false;
};

// The side files of a database moved out of the way while it is replaced, so none of them is
// replayed onto the new file; put back if the replacement does not happen.
class ParkedSideFiles
{
public:
    ParkedSideFiles(const QString& target, const QString& parkingBase)
    {
        for (const char* suffix : sideSuffixes) {
            const QString from = target + QLatin1String(suffix);
            if (!QFileInfo::exists(from))
                continue;
            const QString to = parkingBase + QStringLiteral(".old") + QLatin1String(suffix);
            if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData())) {
                const QString reason = QString::fromLocal8Bit(std::strerror(errno));
                putBack();
                fail(Number::PathFileAccessError,
                     QStringLiteral("The side file '%1' could not be moved aside: %2. Close the "
                                    "programs that use the database and try again.")
                         .arg(shown(from), reason));
            }
            m_parked.push_back({from, to});
        }
    }
    ~ParkedSideFiles()
    {
        if (m_replaced) {
            for (const auto& [original, parked] : m_parked)
                QFile::remove(parked);
        } else {
            putBack();
        }
    }
    ParkedSideFiles(const ParkedSideFiles&) = delete;
    ParkedSideFiles& operator=(const ParkedSideFiles&) = delete;

    void replaced() noexcept { m_replaced = true; }

private:
    void putBack() noexcept
    {
        for (const auto& [original, parked] : m_parked)
            ::rename(QFile::encodeName(parked).constData(),
                     QFile::encodeName(original).constData());
        m_parked.clear();
    }

    std::vector<std::pair<QString, QString>> m_parked;
    bool m_replaced = false;
};

// Maps a failed backup step to an error that says what to do.
[[noreturn]] void backupFailed(int rc, const QString& source, const QString& target,
                               const QString& message)
{
    const int primary = rc & 0xFF;
    if (primary == SQLITE_FULL)
        fail(Number::DiskFull, QStringLiteral("The disk is full: '%1' could not be copied to "
                                              "'%2'. Free some space and try again.")
                                   .arg(shown(source), shown(target)));
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        fail(Number::PathFileAccessError,
             QStringLiteral("The database '%1' is locked by another program and could not be "
                            "copied. Close the other programs of the suite and try again.")
                 .arg(shown(source)));
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        fail(Number::InvalidFileFormat,
             QStringLiteral("The database '%1' is damaged and could not be copied (%2). Restore "
                            "it from a backup.")
                 .arg(shown(source), message));
    fail(Number::PathFileAccessError, QStringLiteral("'%1' could not be copied to '%2': %3.")
                                          .arg(shown(source), shown(target), message));
}

struct SourceFacts
{
    QByteArray digest;
    bool hasVersionTable = false;
};

// Copies `source` into the empty database file `temporary` through the online backup, and
// reads the source's digest in the same read transaction, so both describe one state.
SourceFacts backUp(const QString& source, const QString& temporary, const QString& target)
{
    QString reason;
    int rc = SQLITE_OK;
    const DatabaseHandle from = openDatabase(source, Access::Read, &reason, &rc);
    if (!from)
        backupFailed(rc, source, target, reason);
    const DatabaseHandle to = openDatabase(temporary, Access::Write, &reason);
    if (!to)
        backupFailed(SQLITE_CANTOPEN, temporary, target, reason);

    if (sqlite3_exec(from.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        backupFailed(sqlite3_errcode(from.get()), source, target, sqliteMessage(from.get()));
    SourceFacts facts;
    try {
        facts.hasVersionTable = hasVersionTable(from.get());
        sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
        if (!backup)
            backupFailed(sqlite3_errcode(to.get()), source, target, sqliteMessage(to.get()));
        const int stepped = sqlite3_backup_step(backup, -1);
        const int finished = sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE)
            backupFailed(stepped, source, target,
                         QString::fromUtf8(sqlite3_errstr(stepped)) + QStringLiteral(": ") +
                             sqliteMessage(from.get()));
        if (finished != SQLITE_OK)
            backupFailed(finished, source, target, sqliteMessage(to.get()));
        facts.digest = contentDigest(from.get());
    } catch (...) {
        sqlite3_exec(from.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    sqlite3_exec(from.get(), "COMMIT", nullptr, nullptr, nullptr);
    return facts;
}

// The copy must pass the checks and read exactly as the source did.
void verifyCopy(const QString& copy, const SourceFacts& facts, const QString& source,
                const QString& target)
{
    QString reason;
    DatabaseHandle db = openDatabase(copy, Access::Read, &reason);
    if (db && checkDatabase(db.get(), &reason)) {
        if (facts.hasVersionTable && !hasVersionTable(db.get()))
            reason = QStringLiteral("the version table tblDBVer is missing");
        else if (contentDigest(db.get()) != facts.digest)
            reason = QStringLiteral("its content differs from the original");
        else
            return;
    }
    fail(Number::InvalidFileFormat,
         QStringLiteral("The copy of '%1' made for '%2' failed its check (%3); '%2' was left as "
                        "it was. Check the disk and try again.")
             .arg(shown(source), shown(target), reason));
}

void replaceWithCopy(const QString& source, const QString& target, bool checkAfterwards)
{
    requireDatabaseFile(source, QStringLiteral("database"));
    const QFileInfo targetInfo(target);
    if (targetInfo.isDir())
        fail(Number::PathFileAccessError,
             QStringLiteral("Cannot copy '%1' to '%2': that is a folder. Give a file name.")
                 .arg(shown(source), shown(target)));
    if (!targetInfo.absoluteDir().exists())
        fail(Number::PathNotFound,
             QStringLiteral("Cannot copy '%1': the folder '%2' does not exist. Create it or "
                            "choose another folder.")
                 .arg(shown(source), shown(targetInfo.absolutePath())));
    if (targetInfo.exists() &&
        QFileInfo(source).canonicalFilePath() == targetInfo.canonicalFilePath())
        fail(Number::InvalidProcedureCall,
             QStringLiteral("Cannot copy '%1' onto itself.").arg(shown(source)));

    TemporaryDatabase temporary(target);
    // A replaced file keeps who may read it; a new one stays private to the user.
    if (targetInfo.exists())
        QFile::setPermissions(temporary.path(), targetInfo.permissions());
    const SourceFacts facts = backUp(source, temporary.path(), target);
    fsyncPath(temporary.path(), O_RDONLY);
    verifyCopy(temporary.path(), facts, source, target);
    // The check may have left a -shm beside the copy; it must not follow the file.
    temporary.removeSideFiles();

    {
        ParkedSideFiles parked(target, temporary.path());
        if (::rename(QFile::encodeName(temporary.path()).constData(),
                     QFile::encodeName(target).constData()) != 0) {
            fail(Number::PathFileAccessError,
                 QStringLiteral("'%1' could not be replaced: %2. Check that you may write to the "
                                "folder and that no program has the file open.")
                     .arg(shown(target), QString::fromLocal8Bit(std::strerror(errno))));
        }
        temporary.keep();
        parked.replaced();
    }
    fsyncPath(targetInfo.absolutePath(), O_RDONLY | O_DIRECTORY);

    if (checkAfterwards) {
        QString reason;
        const DatabaseHandle db = openDatabase(target, Access::Read, &reason);
        if (!db || contentDigest(db.get()) != facts.digest)
            fail(Number::InvalidFileFormat,
                 QStringLiteral("'%1' was restored from '%2' but does not read as the backup%3. "
                                "Close every program of the suite and restore again.")
                     .arg(shown(target), shown(source),
                          reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason)));
    }
}

} // namespace

void copyDatabase(const QString& source, const QString& target)
{
    replaceWithCopy(source, target, false);
}

void restoreDatabase(const QString& backup, const QString& target)
{
    replaceWithCopy(backup, target, true);
}

bool verifyDatabase(const QString& path, QString* reason)
{
    const QString problem = notADatabaseReason(path);
    if (!problem.isEmpty()) {
        if (reason)
            *reason = problem;
        return false;
    }
    QString openProblem;
    const DatabaseHandle db = openDatabase(path, Access::Read, &openProblem);
    if (!db) {
        if (reason)
            *reason = openProblem;
        return false;
    }
    try {
        return checkDatabase(db.get(), reason);
    } catch (const vb::Error& error) {
        if (reason)
            *reason = error.description();
        return false;
    }
}

bool checkDatabase(sqlite3* db, QString* reason)
{
    QString problem;
    StatementHandle check;
    if (sqlite::prepare(db, "PRAGMA integrity_check(20)", check) != SQLITE_OK) {
        problem = sqliteMessage(db);
    } else {
        sqlite3_stmt* raw = check.get();
        QStringList lines;
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
            lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
        if (rc != SQLITE_DONE)
            problem = sqliteMessage(db);
        else if (lines != QStringList{QStringLiteral("ok")})
            problem = QStringLiteral("integrity check: ") + lines.join(QStringLiteral("; "));
    }
    if (problem.isEmpty() && hasVersionTable(db))
        problem = versionTableProblem(db);
    if (reason)
        *reason = problem;
    return problem.isEmpty();
}

QByteArray contentDigest(sqlite3* db, DigestScope scope)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const auto addText = [&hash](const QByteArray& text) {
        hash.addData(QByteArray::number(text.size()) + ':');
        hash.addData(text);
    };
    QStringList tables;
    {
        const QString userData = QStringLiteral(" WHERE tbl_name NOT LIKE 'MSys%' AND tbl_name "
                                                "NOT LIKE 'sqlite%'");
        const StatementHandle schema =
            prepare(db, QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_schema%1 "
                                       "ORDER BY type, name")
                            .arg(scope == DigestScope::UserData ? userData : QString()));
        while (step(db, schema.get())) {
            for (int column = 0; column < 4; ++column)
                addText(QByteArray(
                    reinterpret_cast<const char*>(sqlite3_column_blob(schema.get(), column)),
                    sqlite3_column_bytes(schema.get(), column)));
            const QString type = QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(schema.get(), 0)));
            if (type == QLatin1String("table"))
                tables << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(schema.get(), 1)));
        }
    }
    for (const QString& table : tables) {
        const StatementHandle rows =
            prepare(db, QStringLiteral("SELECT * FROM %1").arg(quotedName(table)));
        const int columns = sqlite3_column_count(rows.get());
        qint64 count = 0;
        while (step(db, rows.get())) {
            ++count;
            for (int column = 0; column < columns; ++column) {
                const int type = sqlite3_column_type(rows.get(), column);
                hash.addData(QByteArray(1, char('0' + type)));
                if (type == SQLITE_NULL)
                    continue;
                if (type == SQLITE_INTEGER) {
                    addText(QByteArray::number(sqlite3_column_int64(rows.get(), column)));
                } else if (type == SQLITE_FLOAT) {
                    const double value = sqlite3_column_double(rows.get(), column);
                    hash.addData(
                        QByteArrayView(reinterpret_cast<const char*>(&value), sizeof value));
                } else {
                    const void* bytes = sqlite3_column_blob(rows.get(), column);
                    addText(QByteArray(static_cast<const char*>(bytes),
                                       sqlite3_column_bytes(rows.get(), column)));
                }
            }
        }
        addText(table.toUtf8() + ':' + QByteArray::number(count));
    }
    return hash.result();
}

} // namespace dbfile
