#pragma once

// ADO's criteria strings, as Filter and Find take them: clauses "FieldName operator value"
// joined by AND and OR, with parentheses. Operators are = <> < > <= >= and Like (wildcards
// * and %, anywhere in the pattern), plus "Is Null" / "Is Not Null" ("= Null" and "<> Null"
// mean the same). Values are 'text' (a quote doubled inside), #dates# (month first, as Jet
// reads them), numbers with a full stop, Null, True and False. Names may stand in brackets.
//
// A parsed criteria string becomes one SQLite expression over the recordset's table, so a
// Filter over many rows is one query. Text comparisons follow the columns' JET collation
// (case-insensitive, as Jet compares).

#include "jet/ResultSet.h"
#include "vb/Variant.h"

#include <functional>
#include <memory>
#include <optional>
#include <QList>
#include <QString>

namespace jet::detail {

// A field of the recordset as SQL sees it.
struct FieldRef
{
    QString sql; // the quoted column name
    Field field;
};
using FieldResolver = std::function<std::optional<FieldRef>(const QString& name)>;

class FilterCriteria
{
public:
    // Raises ADO's "arguments are of the wrong type" (3001) naming what is wrong and where.
    static FilterCriteria parse(const QString& text);

    const QString& text() const noexcept { return m_text; }
    // One clause, without AND/OR: what Find accepts.
    bool isSingleClause() const;

    // The expression, its values appended to `parameters` and written ?N with N counting on
    // from the parameters already there. Raises 3001 for a field the resolver does not know
    // and for a value the field cannot be compared with.
    QString toSql(const FieldResolver& resolve, QList<vb::Variant>& parameters) const;

    struct Node;

private:
    QString m_text;
    std::shared_ptr<const Node> m_root;
};

} // namespace jet::detail
