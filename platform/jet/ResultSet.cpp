#include "ResultSet.h"

#include "Error.h"
#include "Session.h"
#include "vb/OleDate.h"

#include <optional>
#include <sqlite3.h>
#include <utility>

namespace jet {

namespace {

const QString recordsetSource = QStringLiteral("ADODB.Recordset");

vb::Variant naturalValue(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return vb::Variant::fromInt64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return vb::Variant(sqlite3_column_double(statement, column));
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(statement, column);
        return vb::Variant(
            QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_NULL:
        return vb::Variant::null();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return vb::Variant(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
    }
    }
}

// The value in the column's Jet type; a stored value that does not fit the type (SQLite lets a
// column hold anything) is given as it is rather than bent into the type.
vb::Variant typedValue(sqlite3_stmt* statement, int column, DataType type)
{
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL) {
        return vb::Variant::null();
    }
    const bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
    if (!numeric) {
        return naturalValue(statement, column);
    }
    const qint64 whole = sqlite3_column_int64(statement, column);
    const double real = sqlite3_column_double(statement, column);
    const bool integral = storage == SQLITE_INTEGER;
    switch (type) {
    case DataType::Boolean:
        return vb::Variant(real != 0.0);
    case DataType::UnsignedTinyInt:
        if (integral && whole >= 0 && whole <= 255) {
            return vb::Variant(static_cast<std::uint8_t>(whole));
        }
        break;
    case DataType::SmallInt:
        if (integral && whole >= -32768 && whole <= 32767) {
            return vb::Variant(static_cast<std::int16_t>(whole));
        }
        break;
    case DataType::Single:
        return vb::Variant(static_cast<float>(real));
    case DataType::Double:
    case DataType::Numeric:
        return vb::Variant(real);
    case DataType::Currency:
        try {
            return vb::Variant(vb::Currency::fromDouble(real));
        } catch (const vb::Error&) {
            return vb::Variant(real);
        }
    case DataType::Date:
        if (vb::OleDate::isValid(real)) {
            return vb::Variant::fromDate(real);
        }
        return vb::Variant(real);
    default:
        break;
    }
    return naturalValue(statement, column);
}

} // namespace

ResultSet::ResultSet(std::shared_ptr<detail::Session> session, detail::StatementHandle statement,
                     bool hasRow, const QStringList& inferredTypes)
    : m_session(std::move(session)), m_statement(std::move(statement)), m_hasRow(hasRow)
{
    const int count = sqlite3_column_count(m_statement.get());
    m_fields.reserve(count);
    for (int i = 0; i < count; ++i) {
        Field field;
        field.name = QString::fromUtf8(sqlite3_column_name(m_statement.get(), i));
        const char* declared = sqlite3_column_decltype(m_statement.get(), i);
        field.declaredType = declared ? QString::fromUtf8(declared) : QString();
        const QString& typeWord = field.declaredType.isEmpty() && i < inferredTypes.size()
                                      ? inferredTypes.at(i)
                                      : field.declaredType;
        const ColumnType columnType = columnTypeFromDeclaration(typeWord);
        field.type = columnType.type;
        field.definedSize = columnType.size;
        m_fields.append(field);
    }
    if (!m_hasRow) {
        sqlite3_reset(m_statement.get()); // ends its read transaction: later reads see new data
    }
}

ResultSet::~ResultSet()
{
    close();
}

ResultSet::ResultSet(ResultSet&& other) noexcept
    : m_session(std::move(other.m_session)), m_statement(std::move(other.m_statement)),
      m_fields(std::move(other.m_fields)), m_hasRow(std::exchange(other.m_hasRow, false))
{
}

ResultSet& ResultSet::operator=(ResultSet&& other) noexcept
{
    if (this != &other) {
        close();
        m_statement = std::move(other.m_statement);
        m_session = std::move(other.m_session);
        m_fields = std::move(other.m_fields);
        m_hasRow = std::exchange(other.m_hasRow, false);
    }
    return *this;
}

void ResultSet::close() noexcept
{
    // The statement goes before the session: finalizing it may complete a deferred close.
    m_statement.reset();
    m_session.reset();
    m_hasRow = false;
}

void ResultSet::moveNext()
{
    requireRow();
    const int rc = sqlite3_step(m_statement.get());
    if (rc == SQLITE_ROW) {
        return;
    }
    m_hasRow = false;
    std::optional<Error> error;
    if (rc != SQLITE_DONE) {
        error = detail::sqliteError(m_session->db(), rc); // before the reset clears the message
    }
    // Past the last row the statement lets go of its snapshot of the file.
    sqlite3_reset(m_statement.get());
    if (error) {
        throw *error;
    }
}

const Field& ResultSet::field(int index) const
{
    if (index < 0 || index >= fieldCount()) {
        throw Error::itemNotFound(QString::number(index), recordsetSource);
    }
    return m_fields.at(index);
}

int ResultSet::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void ResultSet::requireRow() const
{
    if (!m_statement || !m_session || !m_session->isOpen()) {
        throw Error(ErrorNumber::AdoObjectClosed,
                    QStringLiteral("Operation is not allowed when the object is closed."),
                    recordsetSource);
    }
    if (!m_hasRow) {
        throw Error(ErrorNumber::ado(3021),
                    QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                   "deleted. Requested operation requires a current record."),
                    recordsetSource);
    }
}

vb::Variant ResultSet::value(int index) const
{
    requireRow();
    return typedValue(m_statement.get(), index, field(index).type);
}

vb::Variant ResultSet::value(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0) {
        throw Error::itemNotFound(name, recordsetSource);
    }
    return value(index);
}

} // namespace jet
