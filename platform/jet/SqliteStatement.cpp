#include "SqliteStatement.h"

#include <sqlite3.h>

namespace jet::detail {

namespace {

// The text after "<prefix>" in SQLite's message, e.g. the table of "no such table: X".
QString after(const QString& message, QLatin1String prefix)
{
    const qsizetype at = message.indexOf(prefix);
    return at < 0 ? QString() : message.mid(at + prefix.size()).trimmed();
}

QString databasePath(sqlite3* db)
{
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name ? QString::fromUtf8(name) : QString();
}

} // namespace

Error sqliteError(sqlite3* db, int resultCode)
{
    return sqliteError(db, resultCode, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString());
}

Error sqliteError(sqlite3* db, int resultCode, const QString& message)
{
    switch (resultCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error::locked();
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("Database '%1' is damaged or isn't a database file. Restore "
                                    "it from a backup.")
                         .arg(databasePath(db)));
    case SQLITE_FULL:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("The disk is full; the change was not saved."));
    case SQLITE_READONLY:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("Cannot update. Database or object is read-only."));
    case SQLITE_CONSTRAINT: {
        const qsizetype marker = message.indexOf(constraintMessageMarker);
        if (marker >= 0) {
            return Error(ErrorNumber::Unspecified,
                         message.mid(marker + constraintMessageMarker.size()));
        }
        break;
    }
    default:
        if (message.startsWith(QLatin1String("no such table:"))) {
            return Error::inputTableNotFound(after(message, QLatin1String("no such table:")));
        }
        if (message.startsWith(QLatin1String("no such column:"))) {
            return Error::missingParameters(
                QStringList{after(message, QLatin1String("no such column:"))});
        }
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("%1 (SQLite error %2)").arg(message).arg(resultCode));
    }
    switch (resultCode) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("The changes you requested to the table were not successful "
                                    "because they would create duplicate values in the index, "
                                    "primary key, or relationship (%1). Change the data in the "
                                    "field or fields that contain duplicate data, remove the "
                                    "index, or redefine the index to permit duplicate entries "
                                    "and try again.")
                         .arg(after(message, QLatin1String("failed:"))));
    case SQLITE_CONSTRAINT_NOTNULL:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("The field '%1' cannot contain a Null value because the "
                                    "Required property for this field is set to True. Enter a "
                                    "value in this field.")
                         .arg(after(message, QLatin1String("failed:"))));
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("The record cannot be added, changed or deleted because it "
                                    "would break a relationship between tables: a related "
                                    "record is required, or related records exist."));
    default:
        return Error(ErrorNumber::Unspecified,
                     QStringLiteral("One or more values are prohibited by the validation rule "
                                    "set for the table (%1).")
                         .arg(message));
    }
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql, ErrorMapper mapper)
    : m_db(db), m_mapper(std::move(mapper))
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &statement, &tail);
    m_statement.reset(statement);
    if (rc != SQLITE_OK) {
        throw fail(rc);
    }
    if (tail) {
        m_tail = QString::fromUtf8(tail, utf8.constData() + utf8.size() - tail);
    }
}

Error SqliteStatement::fail(int resultCode) const
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    return m_mapper ? m_mapper(resultCode, message) : sqliteError(m_db, resultCode, message);
}

void SqliteStatement::bind(int index, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    const int rc = sqlite3_bind_text(get(), index, utf8.constData(), static_cast<int>(utf8.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        throw fail(rc);
    }
}

void SqliteStatement::bind(int index, qint64 value)
{
    const int rc = sqlite3_bind_int64(get(), index, value);
    if (rc != SQLITE_OK) {
        throw fail(rc);
    }
}

void SqliteStatement::bind(int index, const QByteArray& value)
{
    const int rc = sqlite3_bind_blob(get(), index, value.constData(),
                                     static_cast<int>(value.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        throw fail(rc);
    }
}

bool SqliteStatement::step()
{
    if (!m_statement) {
        return false;
    }
    const int rc = sqlite3_step(get());
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    // sqlite3_errmsg is only reliable for this failure until the statement is reset.
    const Error error = fail(rc);
    sqlite3_reset(get());
    throw error;
}

void SqliteStatement::run()
{
    while (step()) {
    }
}

QString SqliteStatement::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(get(), column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(get(), column)) : QString();
}

QByteArray SqliteStatement::columnBlob(int column) const
{
    const void* data = sqlite3_column_blob(get(), column);
    return data ? QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(get(), column))
                : QByteArray();
}

void exec(sqlite3* db, const QString& sql, const ErrorMapper& mapper)
{
    QString rest = sql;
    while (!rest.trimmed().isEmpty()) {
        SqliteStatement statement(db, rest, mapper);
        statement.run();
        rest = statement.tail();
    }
}

qint64 queryInt(sqlite3* db, const QString& sql)
{
    SqliteStatement statement(db, sql);
    return statement.step() ? sqlite3_column_int64(statement.get(), 0) : 0;
}

QString queryText(sqlite3* db, const QString& sql)
{
    SqliteStatement statement(db, sql);
    return statement.step() ? statement.columnText(0) : QString();
}

} // namespace jet::detail
