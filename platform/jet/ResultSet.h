#pragma once

// The rows of a SELECT run by Connection::execute: forward-only and read-only. It starts on the
// first row (eof() when there is none); values come as VB Variants in Jet's types: a column
// declared DATETIME gives Dates, BIT gives Booleans, SHORT Integers, CURRENCY Currency, and so
// on; Null is Null. A computed column takes the type the translation inferred for it (a
// DateSerial(...) column gives Dates); one whose type is not known gives its stored value's
// natural type (Long/Double/String/byte array).

#include "DataType.h"
#include "SqliteStatement.h"
#include "vb/Variant.h"

#include <memory>
#include <QList>
#include <QString>
#include <QStringList>

namespace jet {

namespace detail {
class Session;
}

struct Field
{
    QString name;
    DataType type = DataType::Variant;
    int definedSize = 0;
    QString declaredType; // as SQLite holds it
};

class ResultSet
{
public:
    ResultSet() = default; // a closed result: what action queries return
    // inferredTypes: Jet type words for columns SQLite declares no type for (by position; an
    // empty word or a missing entry leaves the column untyped).
    ResultSet(std::shared_ptr<detail::Session> session, detail::StatementHandle statement,
              bool hasRow, const QStringList& inferredTypes = {});
    ~ResultSet();
    ResultSet(ResultSet&&) noexcept;
    ResultSet& operator=(ResultSet&&) noexcept;

    bool isOpen() const noexcept { return static_cast<bool>(m_statement); }
    bool eof() const noexcept { return !m_hasRow; }
    void moveNext();
    void close() noexcept;

    int fieldCount() const noexcept { return static_cast<int>(m_fields.size()); }
    const QList<Field>& fields() const noexcept { return m_fields; }
    const Field& field(int index) const;
    // The position of the field of that name (case-insensitive), or -1.
    int fieldIndex(const QString& name) const;

    // The current row's value; raises ADO's "item not found" for a bad name or position and
    // "no current record" at EOF.
    vb::Variant value(int index) const;
    vb::Variant value(const QString& name) const;

private:
    void requireRow() const;

    std::shared_ptr<detail::Session> m_session;
    detail::StatementHandle m_statement;
    QList<Field> m_fields;
    bool m_hasRow = false;
};

} // namespace jet
