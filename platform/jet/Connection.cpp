#include "Connection.h"

#include "DatabaseFile.h"
#include "DatabasePassword.h"
#include "Error.h"
#include "schema/DdlExecutor.h"
#include "schema/TableSchema.h"
#include "Session.h"
#include "sql/JetSql.h"
#include "SqliteStatement.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace jet {

namespace {

bool isBlankSql(const QString& sql)
{
    for (const QChar c : sql) {
        if (!c.isSpace() && c != QLatin1Char(';')) {
            return false;
        }
    }
    return true;
}

// Cleanup that must not raise while another error is on its way.
void execQuietly(sqlite3* db, const char* sql) noexcept
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

qint64 runCounting(sqlite3* db, detail::SqliteStatement& statement)
{
    const sqlite3_int64 before = sqlite3_total_changes64(db);
    statement.run();
    // DDL leaves sqlite3_changes() at the last DML's count, so only count what changed rows.
    return sqlite3_total_changes64(db) > before ? sqlite3_changes64(db) : 0;
}

// Runs every statement of `sql`; several statements run as one unit.
qint64 runAction(sqlite3* db, const QString& sql)
{
    detail::SqliteStatement first(db, sql);
    const bool several = !isBlankSql(first.tail());
    if (!several) {
        return runCounting(db, first);
    }
    detail::exec(db, QStringLiteral("SAVEPOINT jet_execute"));
    try {
        qint64 affected = runCounting(db, first);
        QString rest = first.tail();
        while (!isBlankSql(rest)) {
            detail::SqliteStatement next(db, rest);
            affected += runCounting(db, next);
            rest = next.tail();
        }
        detail::exec(db, QStringLiteral("RELEASE jet_execute"));
        return affected;
    } catch (...) {
        execQuietly(db, "ROLLBACK TO jet_execute");
        execQuietly(db, "RELEASE jet_execute");
        throw;
    }
}

// A make-table query (SELECT ... INTO) reports the rows it copied, as Jet does; SQLite does not
// count the rows of CREATE TABLE ... AS.
qint64 madeTableRows(sqlite3* db, const QString& sqlite, qint64 counted)
{
    static const QRegularExpression createAs(
        QStringLiteral("^\\s*CREATE\\s+TABLE\\s+(\"(?:[^\"]|\"\")+\")\\s+AS\\s"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = createAs.match(sqlite);
    if (counted != 0 || !match.hasMatch()) {
        return counted;
    }
    return detail::queryInt(db, QStringLiteral("SELECT count(*) FROM ") + match.captured(1));
}

QString savepointName(int level)
{
    return QStringLiteral("jet_trans_%1").arg(level);
}

} // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    if (m_session) {
        m_session->close();
    }
}

template <typename Operation>
auto Connection::recorded(Operation&& operation)
{
    m_errors.clear();
    try {
        return operation();
    } catch (const vb::Error& error) {
        m_errors.add(error);
        throw;
    }
}

void Connection::setConnectionString(const QString& connectionString)
{
    recorded([&] {
        if (m_session) {
            throw Error::objectOpen();
        }
        m_connectionString = connectionString;
    });
}

void Connection::open(const QString& connectionString, const QString&, const QString&, int)
{
    recorded([&] { openDatabase(connectionString); });
}

bool Connection::tryOpen(const QString& connectionString, const QString& userId,
                         const QString& password, int options) noexcept
{
    try {
        open(connectionString, userId, password, options);
        return true;
    } catch (const vb::Error&) {
        return false; // kept in m_errors
    } catch (const std::exception& error) {
        m_errors.add(ErrorItem{ErrorNumber::Unspecified, QString::fromLocal8Bit(error.what()),
                               engineSource});
        return false;
    }
}

void Connection::openDatabase(const QString& connectionString)
{
    if (m_session) {
        throw Error::objectOpen();
    }
    const QString text = connectionString.isEmpty() ? m_connectionString : connectionString;
    const ConnectionString parsed = ConnectionString::parse(text);
    if (!parsed.isJetProvider()) {
        throw Error::providerNotFound();
    }
    const QString path = parsed.dataSource();
    checkDatabaseFile(path);

    sqlite3* db = nullptr;
    // Never SQLITE_OPEN_CREATE: a database appears only through createDatabase(). A session
    // is used on the thread that opened it (see Session), so the handle needs no mutex of
    // its own, which SQLite would otherwise take on every call.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (!db) {
        throw Error::cannotOpenFile(path); // out of memory
    }
    auto session = std::make_shared<detail::Session>(db, path, m_lockTimeout);
    if (rc != SQLITE_OK) {
        throw Error::cannotOpenFile(path);
    }
    sqlite3_extended_result_codes(db, 1);
    DatabasePassword::verify(db, path, parsed.databasePassword());

    const auto openError = [&path](int resultCode, const QString& message) {
        const int primary = resultCode & 0xFF;
        if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
            return Error::unrecognizedFormat(path);
        }
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
            return Error::cannotOpenFile(path);
        }
        return detail::sqliteError(nullptr, resultCode, message);
    };
    if (!sqlite3_db_readonly(db, "main") &&
        detail::queryText(db, QStringLiteral("PRAGMA journal_mode"))
                .compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        detail::exec(db, QStringLiteral("PRAGMA journal_mode=WAL"), openError);
    }
    // In WAL mode NORMAL syncs at checkpoints, not at every commit: row-by-row loops do not pay
    // one disk flush per row, and a crash still leaves a consistent file. A page cache of up to
    // 32 MB (filled only as pages are read) holds a large batch of row changes without
    // spilling them to the log before the commit.
    detail::exec(db,
                 QStringLiteral("PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON; "
                                "PRAGMA cache_size=-32768"),
                 openError);
    registerSqlFunctions(db);

    m_session = std::move(session);
    m_connectionString = text;
    m_transactionLevel = 0;
    m_knownNamesVersion = -1;
    applyCacheSize();
}

void Connection::close()
{
    recorded([&] {
        if (!m_session) {
            throw Error::objectClosed();
        }
        m_session->close();
        m_session.reset();
        m_transactionLevel = 0;
    });
}

ObjectState Connection::state() const noexcept
{
    return m_session && m_session->isOpen() ? ObjectState::Open : ObjectState::Closed;
}

void Connection::requireOpen() const
{
    if (!isOpen()) {
        throw Error::connectionUnusable();
    }
}

void Connection::forgetLostTransaction()
{
    if (m_transactionLevel > 0 && sqlite3_get_autocommit(m_session->db())) {
        m_transactionLevel = 0;
    }
}

ResultSet Connection::execute(const QString& jetSql, qint64* recordsAffected)
{
    return recorded([&]() -> ResultSet {
        requireOpen();
        m_session->commitBatchesOnFile(); // recordset writes come before this statement
        sqlite3* db = m_session->db();
        if (recordsAffected) {
            *recordsAffected = 0;
        }
        const TranslatedStatement statement = translate(jetSql, translateOptions());
        if (!statement.parameters.isEmpty()) {
            throw Error::missingParameters(statement.parameters);
        }
        const int levelBefore = m_transactionLevel;
        try {
            if (statement.ddl.action != DdlStatement::Action::None) {
                DdlExecutor(db).run(statement.ddl);
                return {};
            }
            if (statement.kind == StatementKind::Select) {
                detail::SqliteStatement select(db, statement.sqlite);
                if (!isBlankSql(select.tail())) {
                    throw Error(ErrorNumber::SyntaxError,
                                QStringLiteral("Characters found after end of SQL statement."));
                }
                if (sqlite3_column_count(select.get()) > 0) {
                    const bool hasRow = select.step();
                    if (recordsAffected) {
                        *recordsAffected = -1;
                    }
                    return ResultSet(m_session, select.release(), hasRow, statement.resultTypes);
                }
            }
            qint64 affected = runAction(db, statement.sqlite);
            if (statement.kind == StatementKind::Other) {
                affected = madeTableRows(db, statement.sqlite, affected);
            }
            if (recordsAffected) {
                *recordsAffected = affected;
            }
            return {};
        } catch (const vb::Error& error) {
            forgetLostTransaction();
            if (levelBefore > 0 && m_transactionLevel == 0) {
                throw Error(error.number(),
                            error.description() +
                                QStringLiteral(" The open transaction was rolled back."),
                            error.source());
            }
            throw;
        }
    });
}

int Connection::beginTrans()
{
    return recorded([&] {
        requireOpen();
        m_session->commitBatchesOnFile(); // batched recordset writes are not part of it
        forgetLostTransaction();
        const int level = m_transactionLevel + 1;
        detail::exec(m_session->db(),
                     level == 1 ? QStringLiteral("BEGIN") : "SAVEPOINT " + savepointName(level));
        m_transactionLevel = level;
        return level;
    });
}

void Connection::commitTrans()
{
    recorded([&] {
        requireOpen();
        const int level = m_transactionLevel;
        forgetLostTransaction();
        if (level > 0 && m_transactionLevel == 0) {
            throw Error(ErrorNumber::NoTransactionActive,
                        QStringLiteral("The transaction was rolled back by the engine after an "
                                       "earlier error; nothing of it was saved."));
        }
        if (level == 0) {
            throw Error::noTransactionActive();
        }
        detail::exec(m_session->db(),
                     level == 1 ? QStringLiteral("COMMIT") : "RELEASE " + savepointName(level));
        m_transactionLevel = level - 1;
    });
}

void Connection::rollbackTrans()
{
    recorded([&] {
        requireOpen();
        forgetLostTransaction();
        const int level = m_transactionLevel;
        if (level == 0) {
            throw Error::noTransactionActive();
        }
        const QString name = savepointName(level);
        detail::exec(m_session->db(), level == 1 ? QStringLiteral("ROLLBACK")
                                                 : "ROLLBACK TO " + name + "; RELEASE " + name);
        m_transactionLevel = level - 1;
    });
}

vb::Variant Connection::property(const QString& name) const
{
    const auto is = [&name](const QString& other) {
        return name.compare(other, Qt::CaseInsensitive) == 0;
    };
    if (is(maxBufferSizeProperty)) {
        return vb::Variant(static_cast<std::int32_t>(m_maxBufferSizeKb));
    }
    const ConnectionString parsed = [this] {
        try {
            return ConnectionString::parse(m_connectionString);
        } catch (const vb::Error&) {
            return ConnectionString();
        }
    }();
    if (is(ConnectionString::dataSourceKey)) {
        return vb::Variant(parsed.dataSource());
    }
    if (is(ConnectionString::providerKey)) {
        return vb::Variant(parsed.provider());
    }
    if (is(ConnectionString::passwordKey)) {
        return vb::Variant(QString());
    }
    throw Error::itemNotFound(name, QStringLiteral("ADODB.Properties"));
}

void Connection::setProperty(const QString& name, const vb::Variant& value)
{
    recorded([&] {
        if (name.compare(maxBufferSizeProperty, Qt::CaseInsensitive) != 0) {
            property(name); // raises for unknown names
            throw Error(ErrorNumber::ado(3082),
                        QStringLiteral("The property '%1' is read-only.").arg(name),
                        QStringLiteral("ADODB.Properties"));
        }
        constexpr int maxKb = 4 * 1024 * 1024; // 4 GB of cache is more than any file needs
        int kb = -1;
        try {
            kb = value.toLong();
        } catch (const vb::Error&) {
            kb = -1;
        }
        if (kb < 0 || kb > maxKb) {
            throw Error::invalidArgument(
                QStringLiteral("'%1' takes a size in KB from 0 to %2.").arg(name).arg(maxKb));
        }
        m_maxBufferSizeKb = kb;
        applyCacheSize();
    });
}

void Connection::applyCacheSize()
{
    if (!isOpen()) {
        return;
    }
    // A negative cache_size is in KiB; 0 keeps SQLite's default of 2000 KiB.
    const int kb = m_maxBufferSizeKb > 0 ? m_maxBufferSizeKb : 2000;
    detail::exec(m_session->db(), QStringLiteral("PRAGMA cache_size=-%1").arg(kb));
}

void Connection::setLockTimeout(std::chrono::milliseconds timeout)
{
    m_lockTimeout = std::max(timeout, std::chrono::milliseconds(0));
    if (m_session) {
        m_session->setLockTimeout(m_lockTimeout);
    }
}

sqlite3* Connection::handle() const noexcept
{
    return isOpen() ? m_session->db() : nullptr;
}

QString Connection::databasePath() const
{
    return m_session ? m_session->path() : QString();
}

const QSet<QString>& Connection::knownNames() const
{
    if (!isOpen()) {
        m_knownNames.clear();
        return m_knownNames;
    }
    sqlite3* db = m_session->db();
    // Moves on with every schema change, also one made through another connection.
    const qint64 version = schemaGeneration(db);
    if (version == m_knownNamesVersion) {
        return m_knownNames;
    }
    m_knownNames.clear();
    QStringList objects;
    detail::SqliteStatement names(
        db, QStringLiteral("SELECT name FROM sqlite_schema WHERE type IN ('table', 'view')"));
    while (names.step()) {
        objects.append(names.columnText(0));
    }
    for (const QString& object : objects) {
        m_knownNames.insert(object.toCaseFolded());
        try {
            // A view over a table that is gone has no columns to offer; it must not stop the
            // statement being translated.
            detail::SqliteStatement columns(
                db, QStringLiteral("SELECT name FROM pragma_table_info(?)"));
            columns.bind(1, object);
            while (columns.step()) {
                m_knownNames.insert(columns.columnText(0).toCaseFolded());
            }
        } catch (const vb::Error&) {
        }
    }
    for (const StoredQuerySchema& query : storedQueries(db)) {
        m_knownNames.insert(query.name.toCaseFolded());
        for (const QString& column : storedQueryColumns(query)) {
            m_knownNames.insert(column.toCaseFolded());
        }
    }
    m_knownNames.remove(QString());
    m_knownNamesVersion = version;
    return m_knownNames;
}

QStringList Connection::storedQueryColumns(const StoredQuerySchema& query) const
{
    QStringList columns;
    try {
        TranslateOptions options;
        options.storedQuery = [this](const QString& name) { return storedQueryText(name); };
        const TranslatedStatement statement = translate(query.jetText, options);
        if (statement.kind != StatementKind::Select) {
            return columns;
        }
        detail::SqliteStatement select(m_session->db(), statement.sqlite);
        for (int i = 0; i < sqlite3_column_count(select.get()); ++i) {
            columns.append(QString::fromUtf8(sqlite3_column_name(select.get(), i)));
        }
    } catch (const vb::Error&) {
        // A stored query over a table that is gone offers no names; it fails when it is run.
    }
    return columns;
}

std::optional<QString> Connection::storedQueryText(const QString& name) const
{
    if (!isOpen()) {
        return std::nullopt;
    }
    const std::optional<StoredQuerySchema> query = storedQuery(m_session->db(), name);
    return query ? std::optional<QString>(query->jetText) : std::nullopt;
}

TranslateOptions Connection::translateOptions() const
{
    TranslateOptions options;
    // Valid while this connection lives; execute() uses it at once.
    options.isKnownName = [this](const QString& name) {
        return knownNames().contains(name.toCaseFolded());
    };
    // Stored queries are expanded where they are used, so a query always runs on the current
    // definitions of the queries it builds on.
    options.storedQuery = [this](const QString& name) { return storedQueryText(name); };
    options.columnType = [this](const QString& table, const QString& column) {
        const char* declared = nullptr;
        const int rc = sqlite3_table_column_metadata(
            m_session->db(), nullptr, table.toUtf8().constData(), column.toUtf8().constData(),
            &declared, nullptr, nullptr, nullptr, nullptr);
        return rc == SQLITE_OK && declared ? QString::fromUtf8(declared) : QString();
    };
    return options;
}

} // namespace jet
