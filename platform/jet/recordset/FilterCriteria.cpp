#include "FilterCriteria.h"

#include "ColumnValue.h"
#include "jet/Error.h"
#include "jet/sql/DateLiteral.h"

#include <vector>

namespace jet::detail {

struct FilterCriteria::Node
{
    enum class Kind
    {
        And,
        Or,
        Compare,
        Like,
        IsNull,
        IsNotNull,
    };
    Kind kind = Kind::Compare;
    std::vector<std::shared_ptr<const Node>> children; // And, Or
    QString field;
    QString op; // Compare: = <> < > <= >=
    vb::Variant value;
};

namespace {

using Node = FilterCriteria::Node;

Error badCriteria(const QString& text, const QString& what)
{
    return Error::invalidArgument(QStringLiteral("Criteria \"%1\": %2").arg(text, what),
                                  recordsetSource);
}

class Parser
{
public:
    explicit Parser(const QString& text) : m_text(text) {}

    std::shared_ptr<const Node> parseAll()
    {
        auto root = parseOr();
        skipSpace();
        if (m_pos < m_text.size()) {
            throw error(QStringLiteral("unexpected text at position %1").arg(m_pos + 1));
        }
        return root;
    }

private:
    Error error(const QString& what) const { return badCriteria(m_text, what); }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace()) {
            ++m_pos;
        }
    }

    // True and consumed when the next word is `word` (case-insensitive, whole word).
    bool acceptWord(QLatin1String word)
    {
        skipSpace();
        const qsizetype end = m_pos + word.size();
        if (end > m_text.size() ||
            QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0) {
            return false;
        }
        if (end < m_text.size() && (m_text.at(end).isLetterOrNumber() || m_text.at(end) == u'_')) {
            return false;
        }
        m_pos = end;
        return true;
    }

    std::shared_ptr<const Node> parseOr()
    {
        auto left = parseAnd();
        if (!acceptWord(QLatin1String("OR"))) {
            return left;
        }
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::Or;
        node->children.push_back(left);
        do {
            node->children.push_back(parseAnd());
        } while (acceptWord(QLatin1String("OR")));
        return node;
    }

    std::shared_ptr<const Node> parseAnd()
    {
        auto left = parsePrimary();
        if (!acceptWord(QLatin1String("AND"))) {
            return left;
        }
        auto node = std::make_shared<Node>();
        node->kind = Node::Kind::And;
        node->children.push_back(left);
        do {
            node->children.push_back(parsePrimary());
        } while (acceptWord(QLatin1String("AND")));
        return node;
    }

    std::shared_ptr<const Node> parsePrimary()
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'(') {
            ++m_pos;
            auto inner = parseOr();
            skipSpace();
            if (m_pos >= m_text.size() || m_text.at(m_pos) != u')') {
                throw error(QStringLiteral("a closing parenthesis is missing at position %1")
                                .arg(m_pos + 1));
            }
            ++m_pos;
            return inner;
        }
        return parseClause();
    }

    QString parseField()
    {
        skipSpace();
        if (m_pos >= m_text.size()) {
            throw error(QStringLiteral("a field name is missing at the end"));
        }
        if (m_text.at(m_pos) == u'[') {
            const qsizetype close = m_text.indexOf(u']', m_pos + 1);
            if (close < 0) {
                throw error(QStringLiteral("the bracket opened at position %1 is not closed")
                                .arg(m_pos + 1));
            }
            QString name = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return name;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() &&
               (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == u'_')) {
            ++m_pos;
        }
        if (m_pos == start) {
            throw error(QStringLiteral("a field name is expected at position %1").arg(start + 1));
        }
        return m_text.mid(start, m_pos - start);
    }

    QString parseOperator()
    {
        skipSpace();
        static const char* const symbols[] = {"<>", "<=", ">=", "!=", "=", "<", ">"};
        for (const char* symbol : symbols) {
            const QLatin1String op(symbol);
            if (QStringView(m_text).mid(m_pos).startsWith(op)) {
                m_pos += op.size();
                return op == QLatin1String("!=") ? QStringLiteral("<>") : QString(op);
            }
        }
        if (acceptWord(QLatin1String("LIKE"))) {
            return QStringLiteral("LIKE");
        }
        if (acceptWord(QLatin1String("IS"))) {
            return acceptWord(QLatin1String("NOT")) ? QStringLiteral("IS NOT")
                                                    : QStringLiteral("IS");
        }
        throw error(QStringLiteral("an operator (=, <>, <, >, <=, >=, Like, Is) is expected at "
                                   "position %1")
                        .arg(m_pos + 1));
    }

    QString quoted(QChar quote)
    {
        const qsizetype start = m_pos;
        QString value;
        ++m_pos;
        while (true) {
            if (m_pos >= m_text.size()) {
                throw error(
                    QStringLiteral("the text opened at position %1 is not closed").arg(start + 1));
            }
            const QChar c = m_text.at(m_pos++);
            if (c != quote) {
                value += c;
            } else if (m_pos < m_text.size() && m_text.at(m_pos) == quote) {
                value += c; // a doubled quote stands for one
                ++m_pos;
            } else {
                return value;
            }
        }
    }

    vb::Variant parseNumber()
    {
        const qsizetype start = m_pos;
        if (m_pos < m_text.size() && (m_text.at(m_pos) == u'-' || m_text.at(m_pos) == u'+')) {
            ++m_pos;
        }
        while (m_pos < m_text.size() &&
               (m_text.at(m_pos).isDigit() || m_text.at(m_pos) == u'.' ||
                m_text.at(m_pos) == u'e' || m_text.at(m_pos) == u'E' ||
                ((m_text.at(m_pos) == u'-' || m_text.at(m_pos) == u'+') &&
                 (m_text.at(m_pos - 1) == u'e' || m_text.at(m_pos - 1) == u'E')))) {
            ++m_pos;
        }
        const QString text = m_text.mid(start, m_pos - start);
        bool ok = false;
        const qint64 whole = text.toLongLong(&ok);
        if (ok) {
            return vb::Variant::fromInt64(whole);
        }
        const double real = text.toDouble(&ok);
        if (!ok) {
            throw error(QStringLiteral("'%1' at position %2 is not a number or quoted text")
                            .arg(text)
                            .arg(start + 1));
        }
        return vb::Variant(real);
    }

    vb::Variant parseValue()
    {
        skipSpace();
        if (m_pos >= m_text.size()) {
            throw error(QStringLiteral("a value is missing at the end"));
        }
        const QChar c = m_text.at(m_pos);
        if (c == u'\'' || c == u'"') {
            return vb::Variant(quoted(c));
        }
        if (c == u'#') {
            const qsizetype close = m_text.indexOf(u'#', m_pos + 1);
            if (close < 0) {
                throw error(
                    QStringLiteral("the date opened at position %1 is not closed").arg(m_pos + 1));
            }
            const QString literal = m_text.mid(m_pos + 1, close - m_pos - 1);
            const std::optional<double> days = sql::parseDateLiteral(literal);
            if (!days) {
                throw error(QStringLiteral("#%1# is not a date").arg(literal));
            }
            m_pos = close + 1;
            return vb::Variant::fromDate(*days);
        }
        if (acceptWord(QLatin1String("NULL"))) {
            return vb::Variant::null();
        }
        if (acceptWord(QLatin1String("TRUE"))) {
            return vb::Variant(true);
        }
        if (acceptWord(QLatin1String("FALSE"))) {
            return vb::Variant(false);
        }
        return parseNumber();
    }

    std::shared_ptr<const Node> parseClause()
    {
        auto node = std::make_shared<Node>();
        node->field = parseField();
        const QString op = parseOperator();
        if (op.startsWith(QLatin1String("IS"))) {
            if (!acceptWord(QLatin1String("NULL"))) {
                throw error(QStringLiteral("Is must be followed by Null or Not Null"));
            }
            node->kind = op == QLatin1String("IS") ? Node::Kind::IsNull : Node::Kind::IsNotNull;
            return node;
        }
        node->value = parseValue();
        if (op == QLatin1String("LIKE")) {
            if (!node->value.isString()) {
                throw error(QStringLiteral("Like takes a quoted pattern"));
            }
            node->kind = Node::Kind::Like;
            return node;
        }
        if (node->value.isNull() && (op == QLatin1String("=") || op == QLatin1String("<>"))) {
            node->kind = op == QLatin1String("=") ? Node::Kind::IsNull : Node::Kind::IsNotNull;
            return node;
        }
        node->kind = Node::Kind::Compare;
        node->op = op;
        return node;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

// ADO's wildcards * and % as Jet's *, every character Jet's Like treats specially otherwise
// taken literally.
QString jetLikePattern(const QString& adoPattern)
{
    QString pattern;
    pattern.reserve(adoPattern.size());
    for (const QChar c : adoPattern) {
        if (c == u'*' || c == u'%') {
            pattern += u'*';
        } else if (c == u'?' || c == u'#' || c == u'[') {
            pattern += u'[';
            pattern += c;
            pattern += u']';
        } else {
            pattern += c;
        }
    }
    return pattern;
}

bool isTextField(const Field& field)
{
    return field.type == DataType::VarWChar || field.type == DataType::LongVarWChar ||
           field.type == DataType::WChar;
}

struct SqlWriter
{
    const QString& text;
    const FieldResolver& resolve;
    QList<vb::Variant>& parameters;

    QString parameter(const vb::Variant& value)
    {
        parameters.append(value);
        return QStringLiteral("?%1").arg(parameters.size());
    }

    FieldRef field(const QString& name) const
    {
        std::optional<FieldRef> ref = resolve(name);
        if (!ref) {
            throw badCriteria(text, QStringLiteral("there is no field '%1'").arg(name));
        }
        return *ref;
    }

    // The value as the field holds its values, so that 5 finds the text "5" and '5' the
    // number 5.
    vb::Variant comparable(const FieldRef& ref, const vb::Variant& value) const
    {
        if (isTextField(ref.field) || ref.field.type == DataType::Variant) {
            return isTextField(ref.field) ? vb::Variant(value.toString()) : value;
        }
        try {
            return toFieldType(value, ref.field);
        } catch (const vb::Error&) {
            throw badCriteria(
                text, QStringLiteral("'%1' cannot be compared with the %2 field "
                                     "'%3'")
                          .arg(value.toString(), jetTypeName(ref.field.type), ref.field.name));
        }
    }

    QString write(const Node& node)
    {
        switch (node.kind) {
        case Node::Kind::And:
        case Node::Kind::Or: {
            QStringList parts;
            for (const auto& child : node.children) {
                parts.append(QLatin1Char('(') + write(*child) + QLatin1Char(')'));
            }
            return parts.join(node.kind == Node::Kind::And ? QStringLiteral(" AND ")
                                                           : QStringLiteral(" OR "));
        }
        case Node::Kind::IsNull:
            return field(node.field).sql + QStringLiteral(" IS NULL");
        case Node::Kind::IsNotNull:
            return field(node.field).sql + QStringLiteral(" IS NOT NULL");
        case Node::Kind::Like:
            return QStringLiteral("coalesce(jet_like(%1, %2), 0)")
                .arg(field(node.field).sql,
                     parameter(vb::Variant(jetLikePattern(node.value.toString()))));
        case Node::Kind::Compare:
            break;
        }
        const FieldRef ref = field(node.field);
        if (node.value.isNull()) {
            return QStringLiteral("0"); // nothing is less or greater than Null
        }
        return ref.sql + QLatin1Char(' ') + node.op + QLatin1Char(' ') +
               parameter(comparable(ref, node.value));
    }
};

} // namespace

FilterCriteria FilterCriteria::parse(const QString& text)
{
    FilterCriteria criteria;
    criteria.m_text = text;
    criteria.m_root = Parser(criteria.m_text).parseAll();
    return criteria;
}

bool FilterCriteria::isSingleClause() const
{
    return m_root && m_root->kind != Node::Kind::And && m_root->kind != Node::Kind::Or;
}

QString FilterCriteria::toSql(const FieldResolver& resolve, QList<vb::Variant>& parameters) const
{
    if (!m_root) {
        return QStringLiteral("1");
    }
    SqlWriter writer{m_text, resolve, parameters};
    return writer.write(*m_root);
}

} // namespace jet::detail
