#include "DatabaseCompactor.h"

#include "common/DatabaseCopy.h"
#include "platform/jet/sql/JetSql.h"
#include "platform/sqlite/SqliteHandles.h"
#include "platform/vb/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <sqlite3.h>
#include <unistd.h>

namespace tovrak {

namespace {

const QString errorSource = QStringLiteral("tovrak");
constexpr char sqliteMagic[] = "SQLite format 3"; // and its NUL: the first 16 bytes

namespace Number {
constexpr int FileNotFound = 53;
constexpr int PathFileAccessError = 75;
constexpr int PermissionDenied = 70;
constexpr int InvalidFileFormat = 321;
} // namespace Number

[[noreturn]] void fail(int number, const QString& description)
{
    throw vb::Error(number, description, errorSource);
}

using sqlite::DatabaseHandle;
using sqlite::StatementHandle;

QString messageOf(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

DatabaseHandle open(const QString& path)
{
    DatabaseHandle db;
    const int rc = sqlite::open(QFile::encodeName(path), SQLITE_OPEN_READWRITE, db);
    sqlite3* raw = db.get();
    if (rc != SQLITE_OK)
        fail(Number::PathFileAccessError,
             QStringLiteral("cannot be opened (%1)")
                 .arg(raw ? messageOf(raw) : QStringLiteral("out of memory")));
    if (sqlite3_db_readonly(raw, "main") == 1)
        fail(Number::PermissionDenied,
             QStringLiteral("is write-protected; allow writing to it and run again"));
    sqlite3_extended_result_codes(raw, 1);
    // The indexes use the engine's collation and its checks call its functions.
    jet::registerSqlFunctions(raw);
    return db;
}

bool isBusy(int rc)
{
    return (rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED;
}

void exec(sqlite3* db, const QString& sql, const QString& doing)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const QString text =
        message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_free(message);
    if (rc == SQLITE_OK)
        return;
    if (isBusy(rc))
        fail(Number::PermissionDenied,
             QStringLiteral("is in use by another program (open or locked); close the programs "
                            "of the suite and run again"));
    fail(Number::PathFileAccessError,
         QStringLiteral("could not be compacted: %1 failed (%2)").arg(doing, text));
}

void requireDatabaseFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        fail(Number::FileNotFound, QStringLiteral("was not found"));
    if (!info.isFile())
        fail(Number::PathFileAccessError, QStringLiteral("is not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(Number::PermissionDenied,
             QStringLiteral("cannot be read (%1)").arg(file.errorString()));
    if (file.read(sizeof sqliteMagic) != QByteArray(sqliteMagic, sizeof sqliteMagic))
        fail(Number::InvalidFileFormat, QStringLiteral("is not a database file"));
}

void requireSound(sqlite3* db, const QString& what)
{
    QString reason;
    if (!dbfile::checkDatabase(db, &reason))
        fail(Number::InvalidFileFormat, what + reason);
    StatementHandle version;
    if (sqlite::prepare(db, "SELECT Version FROM tblDBVer", version) != SQLITE_OK)
        fail(Number::InvalidFileFormat, what + QStringLiteral("it has no version table tblDBVer"));
}

void fsyncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        fail(Number::PathFileAccessError,
             QStringLiteral("could not be compacted: the new file could not be written to disk "
                            "(%1)")
                 .arg(reason));
}

// The compacted copy beside the original; removed with its side files unless kept.
class CompactedCopy
{
public:
    explicit CompactedCopy(const QString& original)
    {
        const QFileInfo info(original);
        QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".compact.XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            fail(Number::PathFileAccessError,
                 QStringLiteral("could not be compacted: no new file can be made in '%1' (%2); "
                                "check that you may write to the folder and that the disk is "
                                "not full")
                     .arg(QDir::toNativeSeparators(info.absolutePath()), file.errorString()));
        m_path = file.fileName();
    }
    ~CompactedCopy()
    {
        if (!m_kept)
            QFile::remove(m_path);
        for (const char* suffix : {"-wal", "-shm", "-journal"})
            QFile::remove(m_path + QLatin1String(suffix));
    }
    CompactedCopy(const CompactedCopy&) = delete;
    CompactedCopy& operator=(const CompactedCopy&) = delete;

    const QString& path() const noexcept { return m_path; }
    void keep() noexcept { m_kept = true; }

private:
    QString m_path;
    bool m_kept = false;
};

// Takes the lock that keeps every other connection out, or raises "in use".
void lockExclusively(sqlite3* db)
{
    sqlite3_busy_timeout(db, 0);
    exec(db, QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"), QStringLiteral("locking"));
    exec(db, QStringLiteral("PRAGMA synchronous=FULL"), QStringLiteral("locking"));
    // Any read or write of the file from here on keeps the exclusive lock until we close.
    exec(db, QStringLiteral("BEGIN EXCLUSIVE; SELECT count(*) FROM sqlite_schema; COMMIT"),
         QStringLiteral("locking"));
}

// Compacts into `copy` and checks it against the original's digest.
void compactInto(sqlite3* db, const QString& copy, const QByteArray& digest)
{
    StatementHandle vacuum;
    if (sqlite::prepare(db, "VACUUM INTO ?1", vacuum) != SQLITE_OK)
        fail(Number::PathFileAccessError,
             QStringLiteral("could not be compacted (%1)").arg(messageOf(db)));
    const QByteArray target = QFile::encodeName(copy);
    sqlite3_bind_text(vacuum.get(), 1, target.constData(), int(target.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(vacuum.get());
    vacuum.reset();
    if (rc != SQLITE_DONE)
        fail(Number::PathFileAccessError,
             QStringLiteral("could not be compacted (%1)").arg(messageOf(db)));

    const DatabaseHandle compacted = open(copy);
    // The compacted file stays a write-ahead-log database like the original.
    exec(compacted.get(), QStringLiteral("PRAGMA journal_mode=WAL"),
         QStringLiteral("preparing the new file"));
    requireSound(compacted.get(),
                 QStringLiteral("was not compacted: the compacted copy failed its check: "));
    if (dbfile::contentDigest(compacted.get()) != digest)
        fail(Number::InvalidFileFormat,
             QStringLiteral("was not compacted: the compacted copy does not hold the same "
                            "tables and rows as the original"));
}

// Writes the checked copy back over the locked original in one transaction.
void writeBack(sqlite3* db, const QString& copy)
{
    const DatabaseHandle from = open(copy);
    sqlite3_backup* backup = sqlite3_backup_init(db, "main", from.get(), "main");
    if (!backup)
        fail(Number::PathFileAccessError,
             QStringLiteral("was not compacted: %1").arg(messageOf(db)));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK)
        fail(Number::PathFileAccessError,
             QStringLiteral("was not compacted: writing the compacted content failed (%1); the "
                            "file keeps its old content")
                 .arg(QString::fromUtf8(
                     sqlite3_errstr(stepped != SQLITE_DONE ? stepped : finished))));
}

} // namespace

CompactionResult compactDatabase(const QString& path)
{
    requireDatabaseFile(path);
    const DatabaseHandle db = open(path);
    lockExclusively(db.get());
    // Whatever the log still holds goes into the file first, so the sizes compare like with like.
    exec(db.get(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), QStringLiteral("checkpoint"));

    CompactionResult result;
    result.sizeBefore = QFileInfo(path).size();
    requireSound(db.get(), QStringLiteral("is damaged and was not compacted: "));
    const QByteArray digest = dbfile::contentDigest(db.get());

    CompactedCopy copy(path);
    compactInto(db.get(), copy.path(), digest);
    fsyncFile(copy.path());
    if (QFileInfo(copy.path()).size() >= result.sizeBefore) {
        result.sizeAfter = result.sizeBefore; // nothing to gain
        return result;
    }

    writeBack(db.get(), copy.path());
    exec(db.get(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), QStringLiteral("checkpoint"));
    QString reason;
    if (!dbfile::checkDatabase(db.get(), &reason) || dbfile::contentDigest(db.get()) != digest) {
        // Cannot happen short of a failing disk; the checked copy is then the one to keep.
        copy.keep();
        fail(Number::InvalidFileFormat,
             QStringLiteral("failed its check after compacting (%1); a good copy of its content "
                            "was kept as '%2'")
                 .arg(reason.isEmpty() ? QStringLiteral("content differs") : reason,
                      QDir::toNativeSeparators(copy.path())));
    }
    result.sizeAfter = QFileInfo(path).size();
    return result;
}

} // namespace tovrak
