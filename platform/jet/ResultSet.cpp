#include "ResultSet.h"

#include "Error.h"
#include "FieldReading.h"
#include "Session.h"

#include <optional>
#include <sqlite3.h>
#include <utility>

namespace jet {

ResultSet::ResultSet(std::shared_ptr<detail::Session> session, detail::StatementHandle statement,
                     bool hasRow, const QStringList& inferredTypes)
    : m_session(std::move(session)), m_statement(std::move(statement)), m_hasRow(hasRow)
{
    const int count = sqlite3_column_count(m_statement.get());
    m_fields.reserve(count);
    for (int i = 0; i < count; ++i) {
        m_fields.append(detail::describeColumn(m_statement.get(), i, inferredTypes));
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
    return detail::readColumn(m_statement.get(), index, field(index));
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
