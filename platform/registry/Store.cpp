#include "Store.h"

#include "LastError.h"
#include "Statement.h"

#include <chrono>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

namespace reg::detail {
namespace {

// Marks a file as ours ("QVRG"), so that another program's database is never taken for a store.
constexpr int kApplicationId = 0x51565247;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    key INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, fold));
PRAGMA application_id = 1364611655;
)sql";
static_assert(kApplicationId == 1364611655);

// Another process holds the write lock only for one short transaction, so poll briefly and often
// rather than with SQLite's default back-off, and give up after about ten seconds.
int waitWhileBusy(void*, int attempts)
{
    constexpr int kMaxAttempts = 20000;
    if (attempts >= kMaxAttempts)
        return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(attempts < 200 ? 50 : 500));
    return 1;
}

// Switching to write-ahead logging needs the file to itself for a moment, and SQLite answers
// "busy" at once, without its busy handler, while another program reads or is switching it too.
// Retry for as long as a busy store is waited for elsewhere.
int switchToWriteAheadLog(sqlite3* db)
{
    for (int attempt = 0;; ++attempt) {
        const int rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        const bool busy = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
        if (!busy || !waitWhileBusy(nullptr, attempt))
            return rc;
    }
}

// Names compare without regard to case, with Unicode case folding.
QString fold(const QString& name)
{
    return name.toCaseFolded();
}

} // namespace

Store::~Store()
{
    close();
}

void Store::close()
{
    // Closing ends a batch's transaction: what it wrote is gone.
    m_batchFailed = m_inBatch;
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_readOnly = false;
    m_hasSchema = false;
}

bool Store::followPath()
{
    const QString path = storePath();
    if (path == m_path)
        return false;
    close();
    const bool hadPath = !m_path.isEmpty();
    m_path = path;
    return hadPath;
}

Status Store::openForRead(bool* absent)
{
    return connect(false, absent);
}

Status Store::openForWrite()
{
    bool absent = false;
    return connect(true, &absent);
}

Status Store::connect(bool forWrite, bool* absent)
{
    *absent = false;
    if (!m_db) {
        const QFileInfo info(m_path);
        if (!info.exists()) {
            if (!forWrite) {
                *absent = true;
                return ERROR_SUCCESS;
            }
            if (const Status created = createFile(); created != ERROR_SUCCESS)
                return created;
        } else if (info.isDir()) {
            setLastError(QStringLiteral("The registry store %1 is a folder, not a file; move it "
                                        "aside or point QUORVEX_REGISTRY at a file")
                             .arg(m_path));
            return forWrite ? ERROR_CANTWRITE : ERROR_CANTREAD;
        }
        const QByteArray path = QFile::encodeName(m_path);
        int rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_close_v2(m_db);
            rc = sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        }
        if (rc != SQLITE_OK) {
            const Status status = failure(rc, forWrite);
            close();
            return status;
        }
        m_readOnly = sqlite3_db_readonly(m_db, "main") == 1;
        sqlite3_busy_handler(m_db, waitWhileBusy, nullptr);
        if (const Status valid = validate(); valid != ERROR_SUCCESS) {
            close();
            return valid;
        }
        if (m_hasSchema && !m_readOnly)
            execute("PRAGMA synchronous=NORMAL", false);
    }
    if (!forWrite) {
        *absent = !m_hasSchema;
        return ERROR_SUCCESS;
    }
    if (m_readOnly) {
        setLastError(QStringLiteral("The registry store %1 is read-only, so settings cannot be "
                                    "saved; give the user write permission on the file")
                         .arg(m_path));
        return ERROR_ACCESS_DENIED;
    }
    return m_hasSchema ? ERROR_SUCCESS : createSchema();
}

Status Store::createFile()
{
    const QFileInfo info(m_path);
    const QString folder = info.absolutePath();
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder)) {
            setLastError(QStringLiteral("Cannot create the folder %1 for the registry store; check "
                                        "its parent folder's permissions")
                             .arg(folder));
            return ERROR_CANTWRITE;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Settings are private to the user: the file is created 0600 before SQLite sees it.
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        setLastError(QStringLiteral("Cannot create the registry store %1 (%2); check the folder's "
                                    "permissions")
                         .arg(m_path, QString::fromLocal8Bit(strerror(errno))));
        return ERROR_CANTWRITE;
    }
    ::close(fd);
    return ERROR_SUCCESS;
}

Status Store::validate()
{
    {
        Statement statement(m_db, "PRAGMA quick_check(1)");
        const int rc = statement.step();
        if (rc != SQLITE_ROW)
            return failure(rc, false);
        if (statement.text(0) != QLatin1String("ok"))
            return failure(SQLITE_CORRUPT, false);
    }
    // One statement, so the mark and the tables are read from the same state of the file: another
    // program may be creating the store right now, and a mark read before its commit with tables
    // read after it would make a sound store look like someone else's file.
    Statement tables(m_db, "SELECT (SELECT application_id FROM pragma_application_id()), "
                           "count(*), "
                           "sum(name IN ('keys', 'vals')) FROM sqlite_master WHERE type = 'table' "
                           "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    const int rc = tables.step();
    if (rc != SQLITE_ROW)
        return failure(rc, false);
    const qint64 applicationId = tables.integer(0);
    const qint64 all = tables.integer(1);
    const qint64 ours = tables.integer(2);
    if (applicationId == kApplicationId && ours == 2 && all == 2) {
        m_hasSchema = true;
        return ERROR_SUCCESS;
    }
    if (applicationId == 0 && all == 0) {
        m_hasSchema = false; // an empty database, e.g. created by a writer that is still busy
        return ERROR_SUCCESS;
    }
    setLastError(QStringLiteral("The file %1 is not a registry store (it holds other data); "
                                "settings read from it fall back to their defaults and nothing is "
                                "saved. Point QUORVEX_REGISTRY elsewhere or move the file aside")
                     .arg(m_path));
    return ERROR_BADDB;
}

Status Store::createSchema()
{
    // WAL lets readers go on while another process writes; NORMAL sync keeps each set cheap.
    if (const int rc = switchToWriteAheadLog(m_db); rc != SQLITE_OK)
        return failure(rc, true);
    execute("PRAGMA synchronous=NORMAL", true);
    WriteTransaction transaction(*this);
    if (const Status status = transaction.begin(); status != ERROR_SUCCESS)
        return status;
    if (const Status status = execute(kSchema, true); status != ERROR_SUCCESS)
        return status;
    if (const Status status = transaction.commit(); status != ERROR_SUCCESS)
        return status;
    m_hasSchema = true;
    return ERROR_SUCCESS;
}

Status Store::execute(const char* sql, bool writing)
{
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? ERROR_SUCCESS : failure(rc, writing);
}

Status Store::failure(int sqliteResult, bool writing)
{
    const int primary = sqliteResult & 0xff;
    const QString detail =
        m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(primary));
    Status status = writing ? ERROR_CANTWRITE : ERROR_CANTREAD;
    QString advice = QStringLiteral("check the file and its folder");
    switch (primary) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        status = ERROR_BADDB;
        advice = QStringLiteral("it is damaged; settings read from it fall back to their defaults "
                                "and nothing is saved. Restore it from a backup or move it aside "
                                "so that a new store is created");
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        status = ERROR_ACCESS_DENIED;
        advice = QStringLiteral("give the user write permission on the file and its folder");
        break;
    case SQLITE_CANTOPEN:
        advice = QStringLiteral("check that the file is readable by the user");
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        advice = QStringLiteral("another program held it locked for too long; try again");
        break;
    case SQLITE_FULL:
        advice = QStringLiteral("the disk is full");
        break;
    default:
        break;
    }
    setLastError(QStringLiteral("Registry store %1: %2; %3").arg(m_path, detail, advice));
    // A damaged file is looked at afresh on the next call, never written to.
    if (status == ERROR_BADDB)
        close();
    return status;
}

Status Store::begin()
{
    if (m_inBatch) {
        m_changesAtBegin = sqlite3_total_changes64(m_db);
        return m_batchFailed ? ERROR_CANTWRITE : ERROR_SUCCESS;
    }
    return execute("BEGIN IMMEDIATE", true);
}

Status Store::commit()
{
    if (m_inBatch)
        return ERROR_SUCCESS;
    return execute("COMMIT", true);
}

void Store::rollback()
{
    if (m_inBatch) {
        // A call that failed before it changed anything leaves the batch as it was.
        if (!m_db || sqlite3_total_changes64(m_db) != m_changesAtBegin)
            m_batchFailed = true;
        return;
    }
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

Status Store::beginBatch()
{
    if (m_inBatch) {
        setLastError(QStringLiteral("A registry transaction is already open"));
        return ERROR_INVALID_PARAMETER;
    }
    if (const Status status = execute("BEGIN IMMEDIATE", true); status != ERROR_SUCCESS)
        return status;
    m_inBatch = true;
    m_batchFailed = false;
    return ERROR_SUCCESS;
}

Status Store::commitBatch()
{
    if (!m_inBatch) {
        setLastError(QStringLiteral("No registry transaction is open"));
        return ERROR_INVALID_PARAMETER;
    }
    m_inBatch = false;
    if (m_batchFailed) {
        rollback();
        setLastError(QStringLiteral("Registry store %1: a change in the transaction failed, so "
                                    "none of its changes were kept")
                         .arg(m_path));
        return ERROR_CANTWRITE;
    }
    if (const Status status = execute("COMMIT", true); status != ERROR_SUCCESS) {
        rollback();
        return status;
    }
    return ERROR_SUCCESS;
}

void Store::rollbackBatch()
{
    m_inBatch = false;
    rollback();
}

Status Store::beginRead()
{
    return m_inBatch ? ERROR_SUCCESS : execute("BEGIN", false);
}

void Store::endRead()
{
    if (!m_inBatch)
        rollback();
}

Status Store::keyExists(qint64 id, bool* exists)
{
    if (id == kRootKeyId) {
        *exists = true;
        return ERROR_SUCCESS;
    }
    Statement statement(m_db, "SELECT 1 FROM keys WHERE id = ?");
    statement.bind(1, id);
    const int rc = statement.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(rc, false);
    *exists = rc == SQLITE_ROW;
    return ERROR_SUCCESS;
}

Status Store::findChild(qint64 parent, const QString& name, qint64* child)
{
    Statement statement(m_db, "SELECT id FROM keys WHERE parent = ? AND fold = ?");
    statement.bind(1, parent);
    statement.bind(2, fold(name));
    const int rc = statement.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(rc, false);
    *child = rc == SQLITE_ROW ? statement.integer(0) : kNoKey;
    return ERROR_SUCCESS;
}

Status Store::addChild(qint64 parent, const QString& name, qint64* child)
{
    Statement statement(m_db, "INSERT INTO keys(parent, name, fold) VALUES(?, ?, ?)");
    statement.bind(1, parent);
    statement.bind(2, name);
    statement.bind(3, fold(name));
    const int rc = statement.step();
    if (rc != SQLITE_DONE)
        return failure(rc, true);
    *child = sqlite3_last_insert_rowid(m_db);
    return ERROR_SUCCESS;
}

Status Store::childCount(qint64 id, qint64* count)
{
    Statement statement(m_db, "SELECT count(*) FROM keys WHERE parent = ?");
    statement.bind(1, id);
    const int rc = statement.step();
    if (rc != SQLITE_ROW)
        return failure(rc, false);
    *count = statement.integer(0);
    return ERROR_SUCCESS;
}

Status Store::childAt(qint64 id, quint32 index, QString* name, bool* found)
{
    Statement statement(m_db,
                        "SELECT name FROM keys WHERE parent = ? ORDER BY id LIMIT 1 OFFSET ?");
    statement.bind(1, id);
    statement.bind(2, qint64(index));
    const int rc = statement.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(rc, false);
    *found = rc == SQLITE_ROW;
    if (*found)
        *name = statement.text(0);
    return ERROR_SUCCESS;
}

Status Store::children(qint64 id, std::vector<std::pair<qint64, QString>>* children)
{
    Statement statement(m_db, "SELECT id, name FROM keys WHERE parent = ? ORDER BY id");
    statement.bind(1, id);
    int rc = SQLITE_OK;
    while ((rc = statement.step()) == SQLITE_ROW)
        children->emplace_back(statement.integer(0), statement.text(1));
    return rc == SQLITE_DONE ? ERROR_SUCCESS : failure(rc, false);
}

Status Store::removeKey(qint64 id)
{
    Statement values(m_db, "DELETE FROM vals WHERE key = ?");
    values.bind(1, id);
    if (const int rc = values.step(); rc != SQLITE_DONE)
        return failure(rc, true);
    Statement key(m_db, "DELETE FROM keys WHERE id = ?");
    key.bind(1, id);
    if (const int rc = key.step(); rc != SQLITE_DONE)
        return failure(rc, true);
    return ERROR_SUCCESS;
}

Status Store::keyPath(qint64 id, QString* path)
{
    QStringList levels;
    Statement statement(m_db, "SELECT parent, name FROM keys WHERE id = ?");
    while (id != kRootKeyId) {
        statement.reset();
        statement.bind(1, id);
        const int rc = statement.step();
        if (rc != SQLITE_ROW)
            return rc == SQLITE_DONE ? ERROR_KEY_DELETED : failure(rc, false);
        levels.prepend(statement.text(1));
        id = statement.integer(0);
    }
    *path = levels.join(QLatin1Char('\\'));
    return ERROR_SUCCESS;
}

Status Store::keyInfo(qint64 id, KeyInfo* info)
{
    *info = KeyInfo{};
    Statement keys(m_db, "SELECT name FROM keys WHERE parent = ?");
    keys.bind(1, id);
    int rc = SQLITE_OK;
    while ((rc = keys.step()) == SQLITE_ROW) {
        ++info->subKeys;
        info->maxSubKeyLength = std::max(info->maxSubKeyLength, quint32(keys.text(0).size()));
    }
    if (rc != SQLITE_DONE)
        return failure(rc, false);
    Statement values(m_db, "SELECT name, length(data) FROM vals WHERE key = ?");
    values.bind(1, id);
    while ((rc = values.step()) == SQLITE_ROW) {
        ++info->values;
        info->maxValueNameLength =
            std::max(info->maxValueNameLength, quint32(values.text(0).size()));
        info->maxValueLength = std::max(info->maxValueLength, quint32(values.integer(1)));
    }
    return rc == SQLITE_DONE ? ERROR_SUCCESS : failure(rc, false);
}

Status Store::findValue(qint64 key, const QString& name, ValueRecord* value, bool* found)
{
    Statement statement(m_db, "SELECT name, type, data FROM vals WHERE key = ? AND fold = ?");
    statement.bind(1, key);
    statement.bind(2, fold(name));
    const int rc = statement.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(rc, false);
    *found = rc == SQLITE_ROW;
    if (*found)
        *value = {statement.text(0), ValueType(statement.integer(1)), statement.blob(2)};
    return ERROR_SUCCESS;
}

Status Store::valueAt(qint64 key, quint32 index, ValueRecord* value, bool* found)
{
    Statement statement(
        m_db, "SELECT name, type, data FROM vals WHERE key = ? ORDER BY id LIMIT 1 OFFSET ?");
    statement.bind(1, key);
    statement.bind(2, qint64(index));
    const int rc = statement.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(rc, false);
    *found = rc == SQLITE_ROW;
    if (*found)
        *value = {statement.text(0), ValueType(statement.integer(1)), statement.blob(2)};
    return ERROR_SUCCESS;
}

Status Store::values(qint64 key, std::vector<ValueRecord>* values)
{
    Statement statement(m_db, "SELECT name, type, data FROM vals WHERE key = ? ORDER BY id");
    statement.bind(1, key);
    int rc = SQLITE_OK;
    while ((rc = statement.step()) == SQLITE_ROW)
        values->push_back({statement.text(0), ValueType(statement.integer(1)), statement.blob(2)});
    return rc == SQLITE_DONE ? ERROR_SUCCESS : failure(rc, false);
}

Status Store::writeValue(qint64 key, const QString& name, ValueType type, const QByteArray& data)
{
    Statement statement(m_db, "INSERT INTO vals(key, name, fold, type, data) VALUES(?, ?, ?, ?, ?) "
                              "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, "
                              "data = excluded.data");
    statement.bind(1, key);
    statement.bind(2, name);
    statement.bind(3, fold(name));
    statement.bind(4, qint64(type));
    statement.bind(5, data);
    const int rc = statement.step();
    return rc == SQLITE_DONE ? ERROR_SUCCESS : failure(rc, true);
}

Status Store::removeValue(qint64 key, const QString& name, bool* found)
{
    Statement statement(m_db, "DELETE FROM vals WHERE key = ? AND fold = ?");
    statement.bind(1, key);
    statement.bind(2, fold(name));
    const int rc = statement.step();
    if (rc != SQLITE_DONE)
        return failure(rc, true);
    *found = sqlite3_changes(m_db) > 0;
    return ERROR_SUCCESS;
}

WriteTransaction::~WriteTransaction()
{
    if (m_active)
        m_store.rollback();
}

Status WriteTransaction::begin()
{
    const Status status = m_store.begin();
    m_active = status == ERROR_SUCCESS;
    return status;
}

Status WriteTransaction::commit()
{
    const Status status = m_store.commit();
    if (status == ERROR_SUCCESS)
        m_active = false;
    return status;
}

} // namespace reg::detail
