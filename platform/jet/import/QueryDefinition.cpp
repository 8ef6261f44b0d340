// Writing a stored query's Jet SQL from its MSysQueries rows.

#include "platform/jet/import/QueryDefinition.h"

#include <algorithm>
#include <memory>
#include <QRegularExpression>
#include <QSet>
#include <set>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

// MSysQueries.Attribute
constexpr int kTypeRow = 1;
constexpr int kParameterRow = 2;
constexpr int kFlagRow = 3;
constexpr int kRemoteDatabaseRow = 4;
constexpr int kTableRow = 5;
constexpr int kColumnRow = 6;
constexpr int kJoinRow = 7;
constexpr int kWhereRow = 8;
constexpr int kGroupRow = 9;
constexpr int kHavingRow = 10;
constexpr int kOrderRow = 11;

// The flag row's bits.
constexpr int kSelectStar = 0x01;
constexpr int kDistinct = 0x02; // for a union: UNION rather than UNION ALL
constexpr int kOwnerAccess = 0x04;
constexpr int kDistinctRow = 0x08;
constexpr int kTop = 0x10;
constexpr int kPercent = 0x20;
constexpr int kAppendValues = 0x8000;

// A crosstab's column and group rows.
constexpr int kPivot = 1;

// The two parts of a union are table rows with these names.
const QString kUnionFirst = u"X7YZ_____1"_s;
const QString kUnionSecond = u"X7YZ_____2"_s;

const QString kLineBreak = u"\r\n"_s;

// Raised while writing when the rows say something Jet SQL cannot.
struct Unwritable
{
    QString reason;
};

// A name as Access writes it: bare when it is a plain word, else in brackets.
QString sqlName(const QString& name)
{
    static const std::set<QString> reserved = {
        u"ALL"_s,    u"AND"_s,    u"AS"_s,         u"ASC"_s,         u"BETWEEN"_s, u"BY"_s,
        u"DELETE"_s, u"DESC"_s,   u"DISTINCT"_s,   u"DISTINCTROW"_s, u"EQV"_s,     u"EXISTS"_s,
        u"FALSE"_s,  u"FROM"_s,   u"GROUP"_s,      u"HAVING"_s,      u"IMP"_s,     u"IN"_s,
        u"INNER"_s,  u"INSERT"_s, u"INTO"_s,       u"IS"_s,          u"JOIN"_s,    u"LEFT"_s,
        u"LIKE"_s,   u"MOD"_s,    u"NOT"_s,        u"NULL"_s,        u"ON"_s,      u"OR"_s,
        u"ORDER"_s,  u"OUTER"_s,  u"PARAMETERS"_s, u"PERCENT"_s,     u"PIVOT"_s,   u"RIGHT"_s,
        u"SELECT"_s, u"SET"_s,    u"TOP"_s,        u"TRANSFORM"_s,   u"TRUE"_s,    u"UNION"_s,
        u"UPDATE"_s, u"VALUES"_s, u"WHERE"_s,      u"WITH"_s,        u"XOR"_s,
    };
    static const QRegularExpression plain(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    if (plain.match(name).hasMatch() && !reserved.count(name.toUpper())) {
        return name;
    }
    return u"["_s + name + u"]"_s;
}

// The type word of a declared parameter, from its Jet data type number.
QString parameterType(const QueryRow& row)
{
    switch (row.flag) {
    case 0:
        return u"Value"_s;
    case 1:
        return u"Bit"_s;
    case 2:
        return u"Byte"_s;
    case 3:
        return u"Short"_s;
    case 4:
        return u"Long"_s;
    case 5:
        return u"Currency"_s;
    case 6:
        return u"IEEESingle"_s;
    case 7:
        return u"IEEEDouble"_s;
    case 8:
        return u"DateTime"_s;
    case 9:
        return u"Binary"_s;
    case 10:
        return row.extra > 0 ? u"Text(%1)"_s.arg(row.extra) : u"Text"_s;
    case 11:
        return u"LongBinary"_s;
    case 12:
        return u"Memo"_s;
    case 15:
        return u"Guid"_s;
    case 16:
        return u"Decimal"_s;
    default:
        throw Unwritable{
            u"its parameter %1 has a data type (%2) that Jet SQL cannot declare"_s.arg(row.name1)
                .arg(row.flag)};
    }
}

// The FROM clause: tables (with aliases) combined pairwise by the join rows. Each join takes
// the two groups holding its tables and makes one of them, so the first joins end up innermost,
// as Access writes them.
class FromClause
{
public:
    FromClause(const QList<QueryRow>& tables, const QList<QueryRow>& joins)
    {
        for (const QueryRow& table : tables) {
            if (!table.expression.isEmpty()) {
                throw Unwritable{u"it reads table %1 from another database (%2)"_s.arg(
                    table.name1, table.expression)};
            }
            auto source = std::make_shared<Source>();
            source->text = sqlName(table.name1);
            QString key = table.name1;
            if (!table.name2.isEmpty()) {
                source->text += u" AS "_s + sqlName(table.name2);
                key = table.name2;
            }
            source->names.insert(key.toCaseFolded());
            m_sources.append(source);
        }
        for (const QueryRow& join : joins) {
            addJoin(join);
        }
    }

    QString text() const
    {
        QStringList parts;
        for (const auto& source : m_sources) {
            parts.append(source->render(false));
        }
        return parts.join(u", "_s);
    }
    bool isEmpty() const { return m_sources.isEmpty(); }

private:
    struct Source
    {
        QString text; // a table, or the kind of join
        std::shared_ptr<Source> left;
        std::shared_ptr<Source> right;
        QString on;
        QSet<QString> names; // table names and aliases inside, case-folded

        QString render(bool nested) const
        {
            if (!left) {
                return text;
            }
            const QString joined = left->render(true) + u" "_s + text + u" JOIN "_s +
                                   right->render(true) + u" ON "_s + on;
            return nested ? u"("_s + joined + u")"_s : joined;
        }
    };
    using SourcePtr = std::shared_ptr<Source>;

    static QString joinKind(int flag)
    {
        switch (flag) {
        case 1:
            return u"INNER"_s;
        case 2:
            return u"LEFT"_s;
        case 3:
            return u"RIGHT"_s;
        default:
            throw Unwritable{u"it has a join of an unknown kind (%1)"_s.arg(flag)};
        }
    }

    qsizetype holding(const QString& name) const
    {
        const QString key = name.toCaseFolded();
        for (qsizetype i = 0; i < m_sources.size(); ++i) {
            if (m_sources[i]->names.contains(key)) {
                return i;
            }
        }
        throw Unwritable{u"it joins %1, which it does not read"_s.arg(name)};
    }

    void addJoin(const QueryRow& join)
    {
        const QString kind = joinKind(join.flag);
        const qsizetype left = holding(join.name1);
        const qsizetype right = holding(join.name2);
        if (left == right) {
            // A second condition between tables already joined: only an inner join can take
            // it into its ON without changing what the query means.
            Source& both = *m_sources[left];
            if (!both.left || both.text != u"INNER"_s || kind != u"INNER"_s) {
                throw Unwritable{u"its joins between %1 and %2 cannot be written as one FROM "
                                 u"clause"_s.arg(join.name1, join.name2)};
            }
            both.on = u"("_s + both.on + u") AND ("_s + join.expression + u")"_s;
            return;
        }
        auto joined = std::make_shared<Source>();
        joined->text = kind;
        joined->left = m_sources[left];
        joined->right = m_sources[right];
        joined->on = join.expression;
        joined->names = m_sources[left]->names + m_sources[right]->names;
        m_sources[right] = joined;
        m_sources.removeAt(left);
    }

    QList<SourcePtr> m_sources;
};

class QueryWriter
{
public:
    explicit QueryWriter(QList<QueryRow> rows)
    {
        std::stable_sort(rows.begin(), rows.end(), [](const QueryRow& a, const QueryRow& b) {
            return a.attribute < b.attribute;
        });
        m_rows = std::move(rows);
        const QueryRow* type = first(kTypeRow);
        m_type = type ? static_cast<QueryType>(type->flag) : QueryType::Select;
        const QueryRow* flags = first(kFlagRow);
        m_flags = flags ? (flags->flag & 0xFFFF) : 0;
        m_top = flags ? flags->name1 : QString();
    }

    QueryType type() const { return m_type; }
    bool declaresParameters() const { return first(kParameterRow) != nullptr; }

    QString text() const
    {
        if (const QueryRow* remote = first(kRemoteDatabaseRow)) {
            throw Unwritable{u"it reads its tables from another database (%1)"_s.arg(
                remote->name1.isEmpty() ? remote->expression : remote->name1)};
        }
        QStringList lines;
        if (declaresParameters()) {
            lines.append(parameters());
        }
        switch (m_type) {
        case QueryType::Select:
        case QueryType::MakeTable:
            lines.append(select());
            break;
        case QueryType::Append:
            lines.append(append());
            break;
        case QueryType::Update:
            lines.append(update());
            break;
        case QueryType::Delete:
            lines.append(remove());
            break;
        case QueryType::Crosstab:
            lines.append(crosstab());
            break;
        case QueryType::Union:
            lines.append(unionOf());
            break;
        case QueryType::DataDefinition:
            throw Unwritable{u"it is a data-definition query, which is not carried over"_s};
        case QueryType::PassThrough:
            throw Unwritable{u"it is a pass-through query, which an ODBC server runs"_s};
        default:
            throw Unwritable{
                u"it is a query of an unknown type (%1)"_s.arg(static_cast<int>(m_type))};
        }
        if (m_flags & kOwnerAccess) {
            lines.append(u"WITH OWNERACCESS OPTION"_s);
        }
        return lines.join(kLineBreak) + u";"_s;
    }

private:
    QList<QueryRow> all(int attribute) const
    {
        QList<QueryRow> found;
        for (const QueryRow& row : m_rows) {
            if (row.attribute == attribute) {
                found.append(row);
            }
        }
        return found;
    }
    const QueryRow* first(int attribute) const
    {
        const auto it = std::find_if(m_rows.begin(), m_rows.end(), [&](const QueryRow& row) {
            return row.attribute == attribute;
        });
        return it == m_rows.end() ? nullptr : &*it;
    }
    QString expressionOf(int attribute) const
    {
        const QueryRow* row = first(attribute);
        return row ? row->expression : QString();
    }

    QString parameters() const
    {
        QStringList declared;
        for (const QueryRow& row : all(kParameterRow)) {
            declared.append(row.name1 + u" "_s + parameterType(row));
        }
        return u"PARAMETERS "_s + declared.join(u", "_s) + u";"_s;
    }

    static QString column(const QueryRow& row)
    {
        return row.name1.isEmpty() ? row.expression
                                   : row.expression + u" AS "_s + sqlName(row.name1);
    }

    // DISTINCT, DISTINCTROW and TOP, with a trailing blank, or nothing.
    QString predicate() const
    {
        QString text;
        if (m_flags & kDistinct) {
            text += u"DISTINCT "_s;
        }
        if (m_flags & kDistinctRow) {
            text += u"DISTINCTROW "_s;
        }
        if (m_flags & kTop) {
            text += u"TOP "_s + m_top + ((m_flags & kPercent) ? u" PERCENT "_s : u" "_s);
        }
        return text;
    }

    QString selectList(const QList<QueryRow>& columns) const
    {
        QStringList items;
        for (const QueryRow& row : columns) {
            items.append(column(row));
        }
        if (m_flags & kSelectStar) {
            items.append(u"*"_s);
        }
        return predicate() + items.join(u", "_s);
    }

    QStringList from() const
    {
        const FromClause clause(all(kTableRow), all(kJoinRow));
        return clause.isEmpty() ? QStringList() : QStringList{u"FROM "_s + clause.text()};
    }

    // WHERE, GROUP BY (the crosstab's pivot left out), HAVING and ORDER BY.
    QStringList conditions() const
    {
        QStringList lines;
        if (const QString where = expressionOf(kWhereRow); !where.isEmpty()) {
            lines.append(u"WHERE "_s + where);
        }
        QStringList groups;
        for (const QueryRow& row : all(kGroupRow)) {
            if (m_type != QueryType::Crosstab || row.flag != kPivot) {
                groups.append(row.expression);
            }
        }
        if (!groups.isEmpty()) {
            lines.append(u"GROUP BY "_s + groups.join(u", "_s));
        }
        if (const QString having = expressionOf(kHavingRow); !having.isEmpty()) {
            lines.append(u"HAVING "_s + having);
        }
        lines.append(orderBy());
        return lines;
    }

    QStringList orderBy() const
    {
        QStringList keys;
        for (const QueryRow& row : all(kOrderRow)) {
            const bool descending = row.name1.startsWith(u'D', Qt::CaseInsensitive);
            keys.append(descending ? row.expression + u" DESC"_s : row.expression);
        }
        return keys.isEmpty() ? QStringList() : QStringList{u"ORDER BY "_s + keys.join(u", "_s)};
    }

    QString target() const
    {
        const QueryRow* type = first(kTypeRow);
        if (!type || type->name1.isEmpty()) {
            throw Unwritable{u"it names no table to write into"_s};
        }
        if (!type->expression.isEmpty()) {
            throw Unwritable{u"it writes into another database (%1)"_s.arg(type->expression)};
        }
        return sqlName(type->name1);
    }

    QStringList select() const
    {
        QStringList lines{u"SELECT "_s + selectList(all(kColumnRow))};
        if (m_type == QueryType::MakeTable) {
            lines.append(u"INTO "_s + target());
        }
        return lines + from() + conditions();
    }

    QStringList append() const
    {
        const QList<QueryRow> columns = all(kColumnRow);
        QStringList targets;
        for (const QueryRow& row : columns) {
            if (!row.name2.isEmpty()) {
                targets.append(row.name2);
            }
        }
        QString into = u"INSERT INTO "_s + target();
        if (!targets.isEmpty()) {
            into += u" ("_s + targets.join(u", "_s) + u")"_s;
        }
        if (m_flags & kAppendValues) {
            QStringList values;
            for (const QueryRow& row : columns) {
                values.append(row.expression);
            }
            return {into, u"VALUES ("_s + values.join(u", "_s) + u")"_s};
        }
        return QStringList{into, u"SELECT "_s + selectList(columns)} + from() + conditions();
    }

    QStringList update() const
    {
        QStringList assignments;
        for (const QueryRow& row : all(kColumnRow)) {
            assignments.append(row.name2 + u" = "_s + row.expression);
        }
        QStringList lines = from();
        if (lines.isEmpty()) {
            throw Unwritable{u"it names no table to update"_s};
        }
        lines[0].replace(0, 4, u"UPDATE"_s);
        lines.append(u"SET "_s + assignments.join(u", "_s));
        return lines + conditions();
    }

    QStringList remove() const
    {
        return QStringList{u"DELETE "_s + selectList(all(kColumnRow))} + from() + conditions();
    }

    QStringList crosstab() const
    {
        QString value;
        QString pivot;
        QList<QueryRow> headings;
        for (const QueryRow& row : all(kColumnRow)) {
            if (row.flag == 0) {
                value = column(row);
            } else if (row.flag == kPivot) {
                pivot = row.expression;
            } else {
                headings.append(row);
            }
        }
        if (value.isEmpty() || pivot.isEmpty()) {
            throw Unwritable{u"its crosstab has no value or no column heading"_s};
        }
        return QStringList{u"TRANSFORM "_s + value, u"SELECT "_s + selectList(headings)} + from() +
               conditions() + QStringList{u"PIVOT "_s + pivot};
    }

    QStringList unionOf() const
    {
        QString first;
        QString second;
        for (const QueryRow& row : all(kTableRow)) {
            if (row.name2 == kUnionFirst) {
                first = row.expression.trimmed();
            } else if (row.name2 == kUnionSecond) {
                second = row.expression.trimmed();
            }
        }
        if (first.isEmpty() || second.isEmpty()) {
            throw Unwritable{u"its union lacks one of its two parts"_s};
        }
        const QString all = (m_flags & kDistinct) ? QString() : u"ALL "_s;
        return QStringList{first, u"UNION "_s + all + second} + orderBy();
    }

    QList<QueryRow> m_rows;
    QueryType m_type = QueryType::Select;
    int m_flags = 0;
    QString m_top;
};

} // namespace

QueryText queryText(QList<QueryRow> rows)
{
    const QueryWriter writer(std::move(rows));
    QueryText result;
    result.type = writer.type();
    result.declaresParameters = writer.declaresParameters();
    try {
        result.jetSql = writer.text();
    } catch (const Unwritable& unwritable) {
        result.problem = unwritable.reason + u"."_s;
    }
    return result;
}

} // namespace jet::importer
