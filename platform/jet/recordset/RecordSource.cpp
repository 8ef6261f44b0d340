#include "RecordSource.h"

#include "ColumnValue.h"
#include "jet/Session.h"

#include <algorithm>
#include <atomic>
#include <QRegularExpression>
#include <sqlite3.h>

namespace jet::detail {

namespace {

QString quoted(const QString& name)
{
    QString text = name;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool isText(DataType type)
{
    return type == DataType::VarWChar || type == DataType::LongVarWChar || type == DataType::WChar;
}

} // namespace

Error deletedRowError()
{
    return Error(-2147217885, // 0x80040E23
                 QStringLiteral("Row handle referred to a deleted row or a row marked for "
                                "deletion."),
                 QStringLiteral("Microsoft Cursor Engine"));
}

RecordSource::RecordSource(std::shared_ptr<Session> session, TableSchema table)
    : m_session(std::move(session)), m_table(std::move(table))
{
    m_sqlTable = quoted(m_table->name);
    for (const ColumnSchema& column : m_table->columns) {
        Field field;
        field.name = column.name;
        field.type = column.adoType();
        field.definedSize = column.size;
        const char* declared = nullptr;
        if (sqlite3_table_column_metadata(db(), nullptr, m_table->name.toUtf8().constData(),
                                          column.name.toUtf8().constData(), &declared, nullptr,
                                          nullptr, nullptr, nullptr) == SQLITE_OK &&
            declared) {
            field.declaredType = QString::fromUtf8(declared);
        }
        m_fields.append(field);
        m_sqlColumns.append(quoted(column.name));
    }
}

RecordSource::RecordSource(std::shared_ptr<Session> session, const QString& sqliteSelect,
                           const QStringList& resultTypes)
    : m_session(std::move(session))
{
    static std::atomic<int> counter{0};
    m_sqlTable = QStringLiteral("temp.\"qv_recordset_%1\"").arg(++counter);
    copyRows(sqliteSelect, resultTypes);
}

RecordSource::~RecordSource()
{
    if (m_cursor) {
        m_session->forgetStatement(m_cursor);
    }
    m_inserts.clear();
    m_updates.clear();
    m_statements.clear();
    if (!m_table && m_session->isOpen()) {
        const QByteArray drop = ("DROP TABLE IF EXISTS " + m_sqlTable).toUtf8();
        sqlite3_exec(m_session->db(), drop.constData(), nullptr, nullptr, nullptr);
    }
}

sqlite3* RecordSource::db() const
{
    if (!m_session->isOpen()) {
        throw Error::connectionUnusable();
    }
    return m_session->db();
}

// The query runs once; its rows are kept in the order it gave them, with its column types, so
// that reading, filtering and sorting them later needs neither the query nor its tables.
void RecordSource::copyRows(const QString& sqliteSelect, const QStringList& resultTypes)
{
    SqliteStatement select(db(), sqliteSelect);
    sqlite3_stmt* source = select.get();
    const int count = sqlite3_column_count(source);
    QStringList declarations;
    for (int i = 0; i < count; ++i) {
        const Field field = describeColumn(source, i, resultTypes);
        const QString& typeWord = field.declaredType.isEmpty() && i < resultTypes.size()
                                      ? resultTypes.at(i)
                                      : field.declaredType;
        m_fields.append(field);
        const QString column = QStringLiteral("c%1").arg(i);
        m_sqlColumns.append(column);
        QString declaration = column;
        static const QRegularExpression plainType(QStringLiteral("^[A-Za-z][A-Za-z0-9 ,()]*$"));
        if (plainType.match(typeWord).hasMatch()) {
            declaration += QLatin1Char(' ') + typeWord;
        }
        if (isText(field.type)) {
            declaration += QStringLiteral(" COLLATE JET");
        }
        declarations.append(declaration);
    }
    exec(db(), QStringLiteral("CREATE TEMP TABLE %1 (%2)")
                   .arg(m_sqlTable.mid(5), declarations.join(QStringLiteral(", "))));
    QStringList placeholders;
    for (int i = 0; i < count; ++i) {
        placeholders.append(QStringLiteral("?"));
    }
    SqliteStatement insert(db(), QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                     .arg(m_sqlTable, placeholders.join(QLatin1Char(','))));
    while (select.step()) {
        for (int i = 0; i < count; ++i) {
            sqlite3_bind_value(insert.get(), i + 1, sqlite3_column_value(source, i));
        }
        insert.run();
        sqlite3_reset(insert.get());
    }
}

int RecordSource::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

FieldResolver RecordSource::resolver() const
{
    return [this](const QString& name) -> std::optional<FieldRef> {
        const int index = fieldIndex(name);
        if (index < 0) {
            return std::nullopt;
        }
        return FieldRef{m_sqlColumns.at(index), m_fields.at(index)};
    };
}

QString RecordSource::columnList() const
{
    return m_sqlColumns.join(QStringLiteral(", "));
}

sqlite3_stmt* RecordSource::prepared(const QString& sql)
{
    auto found = m_statements.find(sql);
    if (found == m_statements.end()) {
        SqliteStatement statement(db(), sql);
        found = m_statements.emplace(sql, statement.release()).first;
    }
    sqlite3_stmt* statement = found->second.get();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return statement;
}

void RecordSource::bindAll(sqlite3_stmt* statement, const QList<vb::Variant>& parameters, int first)
{
    for (int i = 0; i < parameters.size(); ++i) {
        bindValue(statement, first + i, parameters.at(i));
    }
}

bool RecordSource::step(sqlite3_stmt* statement)
{
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        sqlite3_reset(statement); // lets go of the read snapshot at once
        return false;
    }
    const Error error = sqliteError(m_session->db(), rc);
    sqlite3_reset(statement);
    throw error;
}

std::vector<qint64> RecordSource::rowids(const QString& where, const QList<vb::Variant>& parameters,
                                         const QString& orderBy)
{
    QString sql = QStringLiteral("SELECT rowid FROM ") + m_sqlTable;
    if (!where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where;
    }
    sql += QStringLiteral(" ORDER BY ") +
           (orderBy.isEmpty() ? QString() : orderBy + QStringLiteral(", ")) +
           QStringLiteral("rowid");
    SqliteStatement statement(db(), sql);
    bindAll(statement.get(), parameters);
    std::vector<qint64> result;
    while (statement.step()) {
        result.push_back(sqlite3_column_int64(statement.get(), 0));
    }
    return result;
}

void RecordSource::readValues(sqlite3_stmt* statement, int firstColumn,
                              std::vector<vb::Variant>& values) const
{
    values.resize(m_fields.size());
    for (int i = 0; i < m_fields.size(); ++i) {
        values[i] = readColumn(statement, firstColumn + i, m_fields.at(i));
    }
}

bool RecordSource::readRow(qint64 rowid, std::vector<vb::Variant>& values)
{
    if (m_session->inBatch()) {
        return readAlong(rowid, values);
    }
    if (!m_readRow) {
        m_readRow = prepared(
            QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(columnList(), m_sqlTable));
    }
    sqlite3_bind_int64(m_readRow, 1, rowid);
    if (!step(m_readRow)) {
        return false;
    }
    readValues(m_readRow, 0, values);
    sqlite3_reset(m_readRow);
    return true;
}

// While the batch holds the write lock nobody else can change the file, and this connection's
// own writes show in a statement that steps on: a walk in table order reads each next row with
// one step of a statement kept open along the table instead of a lookup per row. The session
// resets the statement when the batch ends.
bool RecordSource::readAlong(qint64 rowid, std::vector<vb::Variant>& values)
{
    if (!moveCursorTo(rowid)) {
        return false;
    }
    readValues(m_cursor, 1, values);
    return true;
}

bool RecordSource::moveCursorTo(qint64 rowid)
{
    if (!m_cursor) {
        m_cursor = prepared(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid >= ?1 ORDER BY "
                                           "rowid")
                                .arg(columnList(), m_sqlTable));
    }
    const bool stepOn = m_cursorBatch == m_session->batchNumber() && sqlite3_stmt_busy(m_cursor) &&
                        m_cursorRowid < rowid;
    if (!stepOn || !step(m_cursor) || sqlite3_column_int64(m_cursor, 0) != rowid) {
        sqlite3_reset(m_cursor);
        sqlite3_bind_int64(m_cursor, 1, rowid);
        if (!step(m_cursor) || sqlite3_column_int64(m_cursor, 0) != rowid) {
            sqlite3_reset(m_cursor);
            return false;
        }
        m_session->resetWhenBatchEnds(m_cursor);
        m_cursorBatch = m_session->batchNumber();
    }
    m_cursorRowid = rowid;
    return true;
}

bool RecordSource::cursorOn(qint64 rowid) const
{
    return m_cursor && m_session->inBatch() && m_cursorBatch == m_session->batchNumber() &&
           sqlite3_stmt_busy(m_cursor) && m_cursorRowid == rowid;
}

bool RecordSource::locate(qint64 rowid)
{
    // Always a fresh step: the row may have been written since the cursor last stood on it.
    return moveCursorTo(rowid);
}

vb::Variant RecordSource::readLocated(qint64 rowid, int index)
{
    if (!cursorOn(rowid)) {
        if (!m_session->inBatch()) {
            std::vector<vb::Variant> values;
            if (!readRow(rowid, values)) {
                throw deletedRowError();
            }
            return values[static_cast<size_t>(index)];
        }
        if (!moveCursorTo(rowid)) {
            throw deletedRowError();
        }
    }
    return readColumn(m_cursor, 1 + index, m_fields.at(index));
}

sqlite3_stmt* RecordSource::matchStatement(const QString& where, int parameterCount)
{
    // The criteria number their values from ?1; the rowid comes after them.
    return prepared(QStringLiteral("SELECT 1 FROM %1 WHERE (%2) AND rowid = ?%3")
                        .arg(m_sqlTable, where)
                        .arg(parameterCount + 1));
}

bool RecordSource::matches(sqlite3_stmt* statement, qint64 rowid,
                           const QList<vb::Variant>& parameters)
{
    sqlite3_reset(statement);
    bindAll(statement, parameters);
    sqlite3_bind_int64(statement, static_cast<int>(parameters.size()) + 1, rowid);
    const bool found = step(statement);
    sqlite3_reset(statement);
    return found;
}

namespace {

std::vector<bool> writtenFields(const FieldValues& values)
{
    std::vector<bool> written(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        written[i] = values[i].has_value();
    }
    return written;
}

} // namespace

sqlite3_stmt* RecordSource::insertStatement(const FieldValues& values)
{
    std::vector<bool> written = writtenFields(values);
    const auto found = m_inserts.find(written);
    if (found != m_inserts.end()) {
        sqlite3_reset(found->second);
        return found->second;
    }
    QStringList columns;
    QStringList placeholders;
    for (size_t i = 0; i < values.size(); ++i) {
        if (written[i]) {
            columns.append(m_sqlColumns.at(static_cast<int>(i)));
            placeholders.append(QStringLiteral("?%1").arg(placeholders.size() + 1));
        }
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_sqlTable)
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(m_sqlTable, columns.join(QLatin1Char(',')),
                                       placeholders.join(QLatin1Char(',')));
    sqlite3_stmt* statement = prepared(sql);
    m_inserts.emplace(std::move(written), statement);
    return statement;
}

sqlite3_stmt* RecordSource::updateStatement(const FieldValues& values)
{
    std::vector<bool> written = writtenFields(values);
    const auto found = m_updates.find(written);
    if (found != m_updates.end()) {
        sqlite3_reset(found->second);
        return found->second;
    }
    QStringList assignments;
    for (size_t i = 0; i < values.size(); ++i) {
        if (written[i]) {
            assignments.append(QStringLiteral("%1 = ?%2")
                                   .arg(m_sqlColumns.at(static_cast<int>(i)))
                                   .arg(assignments.size() + 2));
        }
    }
    sqlite3_stmt* statement =
        prepared(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?1")
                     .arg(m_sqlTable, assignments.join(QStringLiteral(", "))));
    m_updates.emplace(std::move(written), statement);
    return statement;
}

qint64 RecordSource::insert(const FieldValues& values)
{
    sqlite3_stmt* statement = insertStatement(values);
    int parameter = 1;
    for (const auto& value : values) {
        if (value) {
            bindValue(statement, parameter++, *value);
        }
    }
    step(statement);
    sqlite3_reset(statement);
    return sqlite3_last_insert_rowid(db());
}

void RecordSource::update(qint64 rowid, const FieldValues& values)
{
    if (std::none_of(values.begin(), values.end(), [](const auto& value) { return value; })) {
        return;
    }
    sqlite3_stmt* statement = updateStatement(values);
    sqlite3_bind_int64(statement, 1, rowid);
    int parameter = 2;
    for (const auto& value : values) {
        if (value) {
            bindValue(statement, parameter++, *value);
        }
    }
    step(statement);
    sqlite3_reset(statement);
    if (sqlite3_changes(db()) == 0) {
        throw Error(-2147217864, // 0x80040E38
                    QStringLiteral("Row cannot be located for updating. Some values may have been "
                                   "changed since it was last read."),
                    QStringLiteral("Microsoft Cursor Engine"));
    }
}

void RecordSource::remove(qint64 rowid)
{
    if (!m_remove) {
        m_remove = prepared(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(m_sqlTable));
    }
    sqlite3_reset(m_remove);
    sqlite3_bind_int64(m_remove, 1, rowid);
    step(m_remove);
    sqlite3_reset(m_remove);
    if (sqlite3_changes(db()) == 0) {
        throw deletedRowError();
    }
}

} // namespace jet::detail
