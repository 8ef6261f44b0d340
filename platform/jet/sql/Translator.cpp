#include "Translator.h"

#include "Parser.h"
#include "ResultType.h"
#include "vb/FunctionTable.h"

#include <algorithm>
#include <functional>
#include <QHash>
#include <QSet>

namespace jet::sql {
namespace {

// Longest SQLite text any expression may grow to (select-list aliases are inlined, which can
// multiply a short statement).
constexpr qsizetype MaxSqlLength = 4 * 1024 * 1024;
constexpr int MaxStoredQueryDepth = 16;
constexpr int NotSupportedNumber = -2147467263;        // E_NOTIMPL
constexpr int JetErrorNumber = SqlSyntaxError::Number; // Jet's errors in query text

const QString& errorSource()
{
    static const QString source = QStringLiteral("Jet SQL");
    return source;
}

QString quoteIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString quoteString(const QString& value)
{
    QString escaped = value;
    escaped.replace(u'\'', QStringLiteral("''"));
    return u'\'' + escaped + u'\'';
}

QString stripDollar(const QString& name)
{
    return name.endsWith(u'$') ? name.chopped(1) : name;
}

bool returnsText(const Expr& e)
{
    static const QSet<QString> textFunctions = {
        "LEFT",    "RIGHT", "MID",    "TRIM", "LTRIM", "RTRIM",  "UCASE", "LCASE", "CHR",
        "REPLACE", "SPACE", "STRING", "STR",  "CSTR",  "FORMAT", "HEX",   "OCT"};
    switch (e.kind) {
    case Expr::Kind::String:
        return true;
    case Expr::Kind::Binary:
        return e.text == u"&";
    case Expr::Kind::Call:
        return e.text.endsWith(u'$') || textFunctions.contains(e.text.toUpper());
    default:
        return false;
    }
}

enum class Mode
{
    Value,     // a value as Jet gives it: comparisons are -1/0/Null
    Condition, // a truth test (WHERE, ON, HAVING, IIf): SQLite's own booleans
};

// What one SELECT can see: its tables and, while its list is written, the aliases of the
// items before the current one.
struct Scope
{
    QSet<QString> tables;     // names and aliases in FROM, lower case
    QSet<QString> allAliases; // every select-list alias, lower case
    QHash<QString, ExprPtr> visibleAliases;
    QHash<QString, QString> aliasCache; // alias + mode -> its SQLite text
    QString current;                    // the alias of the item being written
    QSet<QString> liftedAliases;        // aliases computed as columns of an earlier layer
    const std::vector<TableRefPtr>* from = nullptr;
};

// Jet's aggregate functions and the SQLite aggregates that compute them.
const QHash<QString, QString>& aggregateFunctions()
{
    static const QHash<QString, QString> functions = {
        {"COUNT", "count"},   {"SUM", "sum"},         {"MIN", "min"},
        {"MAX", "max"},       {"AVG", "avg"},         {"FIRST", "jet_first"},
        {"LAST", "jet_last"}, {"STDEV", "jet_stdev"}, {"STDEVP", "jet_stdevp"},
        {"VAR", "jet_var"},   {"VARP", "jet_varp"},
    };
    return functions;
}

// Unqualified names an expression uses (lower case) and whether it aggregates; sub-queries
// are their own world and not searched.
void collectNames(const Expr& e, QSet<QString>& names, bool& aggregates)
{
    if (e.kind == Expr::Kind::Name && e.parts.size() == 1)
        names.insert(e.parts.front().toLower());
    if (e.kind == Expr::Kind::Call && aggregateFunctions().contains(e.text.toUpper()))
        aggregates = true;
    for (const ExprPtr& op : e.operands)
        collectNames(*op, names, aggregates);
}

class Translator
{
public:
    explicit Translator(const TranslateOptions& options) : m_options(options) {}

    TranslatedStatement run(const Statement& st)
    {
        TranslatedStatement out;
        out.kind = st.kind;
        out.ddl = st.ddl;
        declare(st.parameters);
        switch (st.kind) {
        case StatementKind::Select:
            out.sqlite = query(*st.query);
            out.resultTypes = mergedResultTypes();
            break;
        case StatementKind::Other:
            out.sqlite =
                QStringLiteral("CREATE TABLE %1 AS %2")
                    .arg(quoteIdentifier(st.query->selects.front().intoTable), query(*st.query));
            break;
        case StatementKind::Insert:
            out.sqlite = insert(st);
            break;
        case StatementKind::Update:
            out.sqlite = update(st);
            break;
        case StatementKind::Delete:
            out.sqlite = remove(st);
            break;
        default:
            break; // schema statements: the description is the result
        }
        out.parameters = m_parameters;
        out.parameterTypes = m_parameterTypes;
        return out;
    }

private:
    // --- parameters ---------------------------------------------------------------------

    void declare(const std::vector<ParameterDecl>& decls)
    {
        for (const ParameterDecl& d : decls) {
            const QString key = d.name.toLower();
            if (m_declared.contains(key))
                continue;
            m_declared.insert(key);
            parameterIndex(d.name);
            m_parameterTypes[m_parameterIndex.value(key) - 1] = d.type;
        }
    }

    int parameterIndex(const QString& name)
    {
        const QString key = name.toLower();
        if (const auto it = m_parameterIndex.constFind(key); it != m_parameterIndex.constEnd())
            return *it;
        m_parameters.append(name);
        m_parameterTypes.append(QString());
        const int index = int(m_parameters.size());
        m_parameterIndex.insert(key, index);
        return index;
    }

    bool inScope(const QString& lowerName) const
    {
        return std::any_of(m_scopes.begin(), m_scopes.end(), [&](const Scope& s) {
            return s.tables.contains(lowerName) || s.allAliases.contains(lowerName);
        });
    }

    // Whether a name is a parameter rather than a field, as Jet decides it.
    bool isParameter(const Expr& name) const
    {
        const QString full = joinNameParts(name.parts, name.separators);
        if (m_declared.contains(full.toLower()) || name.separators.contains(u'!'))
            return true;
        if (!m_options.isKnownName)
            return false;
        const QString& head =
            name.parts.size() > 1 ? name.parts.at(name.parts.size() - 2) : name.parts.front();
        return !inScope(head.toLower()) && !m_options.isKnownName(head);
    }

    // --- expressions --------------------------------------------------------------------

    QString checked(QString sql) const
    {
        if (sql.size() > MaxSqlLength)
            throw vb::Error(JetErrorNumber, QStringLiteral("Query is too complex."), errorSource());
        return sql;
    }

    QString expr(const ExprPtr& e, Mode mode) { return checked(write(*e, mode)); }

    static QString asValue(const QString& condition, Mode mode)
    {
        return mode == Mode::Value ? QStringLiteral("(-%1)").arg(condition) : condition;
    }

    QString write(const Expr& e, Mode mode)
    {
        switch (e.kind) {
        case Expr::Kind::Null:
            return QStringLiteral("NULL");
        case Expr::Kind::Number:
            return e.text;
        case Expr::Kind::String:
            return quoteString(e.text);
        case Expr::Kind::Date:
            return QString::number(e.value, 'g', 17);
        case Expr::Kind::Boolean:
            return e.value != 0 ? QStringLiteral("-1") : QStringLiteral("0");
        case Expr::Kind::Name:
            return name(e, mode);
        case Expr::Kind::Star:
            throw SqlSyntaxError(QStringLiteral("Syntax error (missing operator) in query "
                                                "expression '*'."),
                                 e.position);
        case Expr::Kind::Unary:
            return unary(e, mode);
        case Expr::Kind::Binary:
            return binary(e, mode);
        case Expr::Kind::IsNull:
            return asValue(QStringLiteral("(%1 IS %2NULL)")
                               .arg(expr(e.operands[0], Mode::Value),
                                    e.negated ? QStringLiteral("NOT ") : QString()),
                           mode);
        case Expr::Kind::Like: {
            const QStringList ops = operands(e);
            const QString like = QStringLiteral("jet_like(%1, %2)").arg(ops[0], ops[1]);
            if (!e.negated)
                return like;
            return mode == Mode::Value ? QStringLiteral("jet_not(%1)").arg(like)
                                       : QStringLiteral("(NOT %1)").arg(like);
        }
        case Expr::Kind::Between:
            return between(e, mode);
        case Expr::Kind::InList:
        case Expr::Kind::InQuery:
            return in(e, mode);
        case Expr::Kind::Exists:
            return asValue(QStringLiteral("(EXISTS (%1))").arg(query(*e.query)), mode);
        case Expr::Kind::Subquery:
            return QStringLiteral("(%1)").arg(query(*e.query));
        case Expr::Kind::Call:
            return call(e);
        }
        return {};
    }

    // The operands written in order, so parameters are numbered as they appear.
    QStringList operands(const Expr& e, Mode mode = Mode::Value)
    {
        QStringList out;
        for (const ExprPtr& op : e.operands)
            out.append(expr(op, mode));
        return out;
    }

    QString name(const Expr& e, Mode mode)
    {
        if (isParameter(e))
            return QStringLiteral("?%1").arg(parameterIndex(joinNameParts(e.parts, e.separators)));
        if (e.parts.size() == 1 && !m_scopes.empty()) {
            Scope& scope = m_scopes.back();
            const QString key = e.parts.front().toLower();
            if (scope.liftedAliases.contains(key))
                return quoteIdentifier(e.parts.front());
            if (key != scope.current) {
                if (const auto it = scope.visibleAliases.constFind(key);
                    it != scope.visibleAliases.constEnd())
                    return inlineAlias(key, *it, mode);
            }
        }
        QStringList quoted;
        for (const QString& part : e.parts)
            quoted.append(quoteIdentifier(part));
        return quoted.join(u'.');
    }

    // Jet lets a select-list item use the alias of an earlier one; SQLite does not, so the
    // aliased expression is written in its place (once per alias, then reused).
    QString inlineAlias(const QString& key, const ExprPtr& aliased, Mode mode)
    {
        const QString cacheKey = key + (mode == Mode::Value ? u'v' : u'c');
        Scope& scope = m_scopes.back();
        if (const auto it = scope.aliasCache.constFind(cacheKey); it != scope.aliasCache.constEnd())
            return *it;
        const QString saved = scope.current;
        scope.current = key; // the aliased item may name a field of the same name
        const QString sql = QStringLiteral("(%1)").arg(expr(aliased, mode));
        m_scopes.back().current = saved;
        m_scopes.back().aliasCache.insert(cacheKey, sql);
        return sql;
    }

    QString unary(const Expr& e, Mode mode)
    {
        if (e.text == u"NOT") {
            if (mode == Mode::Condition)
                return QStringLiteral("(NOT %1)").arg(expr(e.operands[0], Mode::Condition));
            return QStringLiteral("jet_not(%1)").arg(expr(e.operands[0], Mode::Value));
        }
        if (e.text == u"-")
            return QStringLiteral("(- %1)").arg(expr(e.operands[0], Mode::Value));
        return expr(e.operands[0], mode); // unary plus
    }

    QString binary(const Expr& e, Mode mode)
    {
        const QString& op = e.text;
        static const QSet<QString> comparisons = {"=", "<>", "<", ">", "<=", ">="};
        if (op == u"<>" && e.operands[1]->kind == Expr::Kind::Null) {
            // Jet reads "x <> Null" as "x Is Not Null" (though "Null <> x" stays Null), and
            // queries written against it count on that.
            return asValue(QStringLiteral("(%1 IS NOT NULL)").arg(expr(e.operands[0], Mode::Value)),
                           mode);
        }
        if (comparisons.contains(op)) {
            const bool text = mayBeText(*e.operands[0]) || mayBeText(*e.operands[1]);
            const QStringList ops = operands(e);
            return asValue(
                QStringLiteral("(%1 %2 %3%4)")
                    .arg(ops[0], op, ops[1], text ? QStringLiteral(" COLLATE JET") : QString()),
                mode);
        }
        if ((op == u"AND" || op == u"OR") && mode == Mode::Condition) {
            const QStringList ops = operands(e, Mode::Condition);
            return QStringLiteral("(%1 %2 %3)").arg(ops[0], op, ops[1]);
        }
        QStringList ops = operands(e);
        if (op == u"&") {
            ops[0] = typed(*e.operands[0], ops[0]);
            ops[1] = typed(*e.operands[1], ops[1]);
        }
        static const QHash<QString, QString> helpers = {
            {"+", "jet_add"},     {"-", "jet_sub"},   {"*", "jet_mul"},   {"/", "jet_div"},
            {"\\", "jet_intdiv"}, {"MOD", "jet_mod"}, {"^", "jet_pow"},   {"&", "jet_concat"},
            {"AND", "jet_and"},   {"OR", "jet_or"},   {"XOR", "jet_xor"}, {"EQV", "jet_eqv"},
            {"IMP", "jet_imp"},
        };
        return QStringLiteral("%1(%2, %3)").arg(helpers.value(op), ops[0], ops[1]);
    }

    QString between(const Expr& e, Mode mode)
    {
        const bool text = std::any_of(e.operands.begin(), e.operands.end(),
                                      [this](const ExprPtr& op) { return mayBeText(*op); });
        const QString collate = text ? QStringLiteral(" COLLATE JET") : QString();
        const QStringList ops = operands(e);
        return asValue(QStringLiteral("(%1 %2BETWEEN %3%5 AND %4%5)")
                           .arg(ops[0], e.negated ? QStringLiteral("NOT ") : QString(), ops[1],
                                ops[2], collate),
                       mode);
    }

    QString in(const Expr& e, Mode mode)
    {
        QString list;
        bool text = mayBeText(*e.operands[0]);
        const QString left = expr(e.operands[0], Mode::Value);
        if (e.kind == Expr::Kind::InQuery) {
            list = query(*e.query);
        } else {
            QStringList items;
            for (std::size_t i = 1; i < e.operands.size(); ++i) {
                items.append(expr(e.operands[i], Mode::Value));
                text = text || mayBeText(*e.operands[i]);
            }
            list = items.join(QStringLiteral(", "));
        }
        return asValue(QStringLiteral("(%1%2 %3IN (%4))")
                           .arg(left, text ? QStringLiteral(" COLLATE JET") : QString(),
                                e.negated ? QStringLiteral("NOT ") : QString(), list),
                       mode);
    }

    [[noreturn]] void wrongArguments(const Expr& e) const
    {
        throw vb::Error(JetErrorNumber,
                        QStringLiteral("Wrong number of arguments used with function in query "
                                       "expression '%1'.")
                            .arg(e.text),
                        errorSource());
    }

    QString arguments(const Expr& e)
    {
        QStringList args;
        for (const ExprPtr& arg : e.operands)
            args.append(expr(arg, Mode::Value));
        return args.join(QStringLiteral(", "));
    }

    // The arguments of a VBA function, each with its type where SQLite would lose it.
    QString typedArguments(const Expr& e)
    {
        QStringList args;
        for (const ExprPtr& arg : e.operands)
            args.append(typed(*arg, expr(arg, Mode::Value)));
        return args.join(QStringLiteral(", "));
    }

    QString call(const Expr& e)
    {
        const QString base = stripDollar(e.text).toUpper();
        const auto argCount = e.operands.size();
        const bool starArg = argCount == 1 && e.operands[0]->kind == Expr::Kind::Star;
        if (base == u"IIF") {
            if (argCount < 2 || argCount > 3)
                wrongArguments(e);
            // IIf is a CASE: only the branch chosen is evaluated, and a Null test is False.
            const QString test = expr(e.operands[0], Mode::Condition);
            const QString then = expr(e.operands[1], Mode::Value);
            const QString otherwise =
                argCount == 3 ? expr(e.operands[2], Mode::Value) : QStringLiteral("NULL");
            return QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)").arg(test, then, otherwise);
        }
        const auto& aggregates = aggregateFunctions();
        if (const auto it = aggregates.constFind(base); it != aggregates.constEnd()) {
            if (argCount != 1)
                wrongArguments(e);
            if (starArg) {
                if (base != u"COUNT")
                    wrongArguments(e);
                return QStringLiteral("count(*)");
            }
            return QStringLiteral("%1(%2)").arg(*it, arguments(e));
        }
        const vb::BuiltinFunction* builtin = vb::findBuiltin(e.text);
        if (!builtin)
            throw vb::Error(JetErrorNumber,
                            QStringLiteral("Undefined function '%1' in expression.").arg(e.text),
                            errorSource());
        if (int(argCount) < builtin->minArgs || int(argCount) > builtin->maxArgs)
            wrongArguments(e);
        return QStringLiteral("%1(%2)").arg(quoteIdentifier(QString::fromUtf8(builtin->name)),
                                            typedArguments(e));
    }

    // --- queries ------------------------------------------------------------------------

    static void collectTables(const TableRef& ref, QSet<QString>& names)
    {
        switch (ref.kind) {
        case TableRef::Kind::Table:
            names.insert(ref.name.toLower());
            if (!ref.alias.isEmpty())
                names.insert(ref.alias.toLower());
            break;
        case TableRef::Kind::Subquery:
            names.insert(ref.alias.toLower());
            break;
        case TableRef::Kind::Join:
            collectTables(*ref.left, names);
            collectTables(*ref.right, names);
            break;
        }
    }

    // Opens the scope of one SELECT (or UPDATE/DELETE) for as long as it lives.
    class ScopeGuard
    {
    public:
        ScopeGuard(Translator& t, const std::vector<TableRefPtr>& from,
                   const std::vector<SelectItem>* items = nullptr)
            : m_t(t)
        {
            Scope scope;
            scope.from = &from;
            for (const TableRefPtr& ref : from)
                collectTables(*ref, scope.tables);
            if (items)
                for (const SelectItem& item : *items)
                    if (!item.alias.isEmpty())
                        scope.allAliases.insert(item.alias.toLower());
            m_t.m_scopes.push_back(std::move(scope));
        }
        ~ScopeGuard() { m_t.m_scopes.pop_back(); }
        ScopeGuard(const ScopeGuard&) = delete;
        ScopeGuard& operator=(const ScopeGuard&) = delete;

    private:
        Translator& m_t;
    };

    QString query(const Query& q)
    {
        if (q.selects.size() == 1)
            return select(q.selects.front(), &q.orderBy, true);
        QString sql;
        for (std::size_t i = 0; i < q.selects.size(); ++i) {
            if (i > 0)
                sql +=
                    q.unionAll[i - 1] ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
            const Select& s = q.selects[i];
            const QString core = select(s, nullptr, true);
            // A compound's members cannot carry LIMIT or WITH in SQLite: such a member is
            // wrapped.
            sql += s.top || core.startsWith(QStringLiteral("WITH "))
                       ? QStringLiteral("SELECT * FROM (%1)").arg(core)
                       : core;
        }
        if (!q.orderBy.empty()) {
            // The ORDER BY of a UNION names result columns.
            const ScopeGuard scope(*this, q.selects.front().from, &q.selects.front().items);
            QStringList terms;
            for (const OrderItem& item : q.orderBy) {
                const QString term = item.expr->kind == Expr::Kind::Name
                                         ? quoteIdentifier(item.expr->parts.last())
                                         : expr(item.expr, Mode::Value);
                terms.append(term + (item.descending ? QStringLiteral(" DESC") : QString()));
            }
            sql += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
        }
        return sql;
    }

    // The select list with Jet's column names: an expression without alias is ExprNNNN, and
    // two fields of the same name from different tables are called Table.Field.
    QString selectList(const Select& s, QStringList& outputNames)
    {
        QStringList names;
        for (const SelectItem& item : s.items) {
            const Expr& e = *item.expr;
            names.append(!item.alias.isEmpty()        ? item.alias
                         : e.kind == Expr::Kind::Name ? e.parts.last()
                                                      : QString());
        }
        QStringList columns;
        int exprNumber = 1000;
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            const SelectItem& item = s.items[i];
            const Expr& e = *item.expr;
            if (e.kind == Expr::Kind::Star) {
                QStringList qualifier;
                for (const QString& part : e.parts)
                    qualifier.append(quoteIdentifier(part));
                columns.append(qualifier.isEmpty() ? QStringLiteral("*")
                                                   : qualifier.join(u'.') + QStringLiteral(".*"));
                continue;
            }
            m_scopes.back().current = item.alias.toLower();
            const bool lifted = m_scopes.back().liftedAliases.contains(item.alias.toLower());
            const QString value =
                lifted ? quoteIdentifier(item.alias) : expr(item.expr, Mode::Value);
            QString alias = item.alias;
            if (alias.isEmpty()) {
                const bool field = e.kind == Expr::Kind::Name && !value.startsWith(u'?');
                if (!field)
                    alias = QStringLiteral("Expr%1").arg(exprNumber++);
                else if (e.parts.size() > 1 &&
                         std::count_if(names.begin(), names.end(), [&](const QString& n) {
                             return n.compare(names.at(qsizetype(i)), Qt::CaseInsensitive) == 0;
                         }) > 1)
                    alias = joinNameParts(e.parts, e.separators);
                else if (value.startsWith(u'('))
                    alias = e.parts.last(); // an inlined alias keeps the name used
            }
            columns.append(
                alias.isEmpty() ? value : value + QStringLiteral(" AS ") + quoteIdentifier(alias));
            outputNames.append(alias.isEmpty() ? e.parts.last() : alias);
            if (!item.alias.isEmpty())
                m_scopes.back().visibleAliases.insert(item.alias.toLower(), item.expr);
        }
        // Later clauses see fields, not aliases (SQLite resolves ORDER BY aliases itself).
        m_scopes.back().current.clear();
        m_scopes.back().visibleAliases.clear();
        return checked(columns.join(QStringLiteral(", ")));
    }

    // The type word of each item of an outer SELECT, as far as the tree tells it; the list
    // stops at the first * (how many columns it stands for is up to the database).
    QStringList resultTypes(const Select& s) const
    {
        QHash<QString, QString> aliasTypes;
        const auto nameType = [&](const Expr& name) {
            if (name.parts.size() == 1)
                if (const auto it = aliasTypes.constFind(name.parts.front().toLower());
                    it != aliasTypes.constEnd())
                    return *it;
            return columnType(s.from, name);
        };
        QStringList types;
        for (const SelectItem& item : s.items) {
            if (item.expr->kind == Expr::Kind::Star)
                break;
            const QString type = inferResultType(*item.expr, nameType);
            types.append(type);
            if (!item.alias.isEmpty())
                aliasTypes.insert(item.alias.toLower(), type);
        }
        return types;
    }

    // The declared type of a column of one of the tables in FROM: `T.column` asks table (or
    // alias) T, a bare name every table, and tables that disagree give no type.
    QString columnType(const std::vector<TableRefPtr>& from, const Expr& name) const
    {
        if (!m_options.columnType || name.parts.size() > 2)
            return {};
        std::vector<const TableRef*> refs;
        for (const TableRefPtr& ref : from)
            collectTableRefs(*ref, refs);
        const QString& column = name.parts.last();
        QString found;
        for (const TableRef* ref : refs) {
            if (ref->kind != TableRef::Kind::Table)
                continue;
            if (name.parts.size() == 2 &&
                name.parts.front().compare(effectiveName(*ref), Qt::CaseInsensitive) != 0)
                continue;
            const QString type = m_options.columnType(ref->name, column);
            if (type.isEmpty())
                continue;
            if (!found.isEmpty() && found.compare(type, Qt::CaseInsensitive) != 0)
                return {};
            found = type;
        }
        return found;
    }

    // The type word of an expression of the current scope: its aliases and its tables'
    // columns are known.
    QString typeOf(const Expr& e) const
    {
        if (m_scopes.empty())
            return {};
        const Scope& scope = m_scopes.back();
        QSet<QString> following{scope.current}; // aliases already on the path: no cycles
        const std::function<QString(const Expr&)> nameType = [&](const Expr& name) {
            if (name.parts.size() == 1) {
                const QString key = name.parts.front().toLower();
                if (!following.contains(key))
                    if (const auto it = scope.visibleAliases.constFind(key);
                        it != scope.visibleAliases.constEnd()) {
                        following.insert(key);
                        const QString type = inferResultType(**it, nameType);
                        following.remove(key);
                        return type;
                    }
            }
            return scope.from ? columnType(*scope.from, name) : QString();
        };
        return inferResultType(e, nameType);
    }

    // SQLite holds Dates and Booleans as numbers; where one meets a VBA function or &, it is
    // marked with its type (jet_date, jet_bool), so that Format(#1/2/2003#) and
    // #1/2/2003# & "" give a date's text and CStr(True) gives "True". A Yes/No column stays
    // the number it is stored as.
    QString typed(const Expr& e, const QString& sql) const
    {
        const QString type = typeOf(e);
        if (type == u"DATETIME")
            return QStringLiteral("jet_date(%1)").arg(sql);
        if (type == u"BIT" && e.kind != Expr::Kind::Name)
            return QStringLiteral("jet_bool(%1)").arg(sql);
        return sql;
    }

    // Whether a comparison with `e` compares text (without regard to case): a text literal,
    // function or operator, or an expression of text type.
    bool mayBeText(const Expr& e) const { return returnsText(e) || typeOf(e) == u"TEXT"; }

    // The members of a UNION give one column type only where they agree.
    QStringList mergedResultTypes() const
    {
        if (m_selectTypes.empty())
            return {};
        QStringList merged = m_selectTypes.front();
        for (std::size_t i = 1; i < m_selectTypes.size(); ++i) {
            const QStringList& other = m_selectTypes[i];
            merged = merged.mid(0, std::min(merged.size(), other.size()));
            for (qsizetype c = 0; c < merged.size(); ++c)
                if (merged.at(c) != other.at(c))
                    merged[c].clear();
        }
        return merged;
    }

    // Items whose alias a later item of the same list uses, when they can be computed as
    // columns of a layer over the one source of the SELECT (no join, no grouping, no
    // aggregate among them). Empty when the aliases are to be inlined instead.
    static std::vector<std::size_t> liftableItems(const Select& s)
    {
        const bool star = std::any_of(s.items.begin(), s.items.end(), [](const SelectItem& item) {
            return item.expr->kind == Expr::Kind::Star;
        });
        // With * the layers' own columns would show in the result.
        if (s.from.size() != 1 || s.from.front()->kind == TableRef::Kind::Join ||
            !s.groupBy.empty() || s.having || star)
            return {};
        std::vector<QSet<QString>> names(s.items.size());
        std::vector<bool> aggregates(s.items.size(), false);
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            bool aggregate = false;
            collectNames(*s.items[i].expr, names[i], aggregate);
            aggregates[i] = aggregate;
        }
        std::vector<std::size_t> lifted;
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            const QString alias = s.items[i].alias.toLower();
            if (alias.isEmpty())
                continue;
            for (std::size_t j = i + 1; j < s.items.size(); ++j) {
                if (names[j].contains(alias)) {
                    if (aggregates[i])
                        return {};
                    lifted.push_back(i);
                    break;
                }
            }
        }
        return lifted;
    }

    // SQLite cannot use an alias inside the same select list. Inlining the aliased
    // expression works for short chains, but a chain of aliases each using the previous one
    // nests deeper than SQLite's parser allows; so each such alias becomes a column of its
    // own layer (a common table expression over the previous one, named like the source
    // table so that qualified field names keep working).
    QString layers(const Select& s, const std::vector<std::size_t>& lifted, QString& source)
    {
        const TableRef& from = *s.from.front();
        const QString name =
            from.alias.isEmpty()
                ? (from.kind == TableRef::Kind::Table ? from.name : QStringLiteral("jet_source"))
                : from.alias;
        QStringList ctes;
        QString previous;
        for (std::size_t k = 0; k < lifted.size(); ++k) {
            const SelectItem& item = s.items[lifted[k]];
            const QString layerFrom =
                k == 0 ? tableRef(from, false)
                       : quoteIdentifier(previous) + QStringLiteral(" AS ") + quoteIdentifier(name);
            m_scopes.back().current = item.alias.toLower();
            const QString value = expr(item.expr, Mode::Value);
            previous = QStringLiteral("jet_layer%1").arg(++m_layerCount);
            ctes.append(
                QStringLiteral("%1 AS (SELECT *, %2 AS %3 FROM %4)")
                    .arg(quoteIdentifier(previous), value, quoteIdentifier(item.alias), layerFrom));
            m_scopes.back().liftedAliases.insert(item.alias.toLower());
        }
        m_scopes.back().current.clear();
        source = quoteIdentifier(previous) + QStringLiteral(" AS ") + quoteIdentifier(name);
        return QStringLiteral("WITH ") + ctes.join(QStringLiteral(", ")) + u' ';
    }

    QString select(const Select& s, const std::vector<OrderItem>* orderBy, bool withLimit)
    {
        const ScopeGuard scope(*this, s.from, &s.items);
        if (m_scopes.size() == 1)
            m_selectTypes.push_back(resultTypes(s));
        const std::vector<std::size_t> lifted = liftableItems(s);
        QString layeredSource;
        const QString with = lifted.empty() ? QString() : layers(s, lifted, layeredSource);
        QStringList outputNames;
        // DISTINCTROW: the rows of the tables are unique already.
        const QString head = QStringLiteral("SELECT ") +
                             (s.distinct ? QStringLiteral("DISTINCT ") : QString()) +
                             selectList(s, outputNames);
        const QString rest = clauses(s, layeredSource);
        QStringList terms;
        if (orderBy)
            for (const OrderItem& item : *orderBy)
                terms.append(expr(item.expr, Mode::Value) +
                             (item.descending ? QStringLiteral(" DESC") : QString()));
        const QString order = terms.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
        if (s.top && withLimit && keepsTies(s, orderBy, outputNames) && with.isEmpty()) {
            // Jet's TOP n also returns the rows tied with the n-th one.
            QStringList names;
            for (const QString& name : outputNames)
                names.append(quoteIdentifier(name));
            return checked(QStringLiteral("SELECT %1 FROM (%2, rank() OVER (%3) AS \"jet_rank\"%4) "
                                          "WHERE \"jet_rank\" <= %5 ORDER BY \"jet_rank\"")
                               .arg(names.join(QStringLiteral(", ")), head, order.trimmed(), rest,
                                    s.top->text));
        }
        QString sql = with + head + rest + order;
        if (s.top && withLimit)
            sql += QStringLiteral(" LIMIT ") + limit(s, rest);
        return checked(sql);
    }

    // Whether TOP n can keep its ties: ordered, no DISTINCT, no *, every result column named
    // once, and no ORDER BY term that is a column number or a select-list alias (a window's
    // ordering sees neither).
    static bool keepsTies(const Select& s, const std::vector<OrderItem>* orderBy,
                          const QStringList& outputNames)
    {
        if (s.topPercent || !orderBy || orderBy->empty() || s.distinct ||
            outputNames.size() != qsizetype(s.items.size()))
            return false;
        QSet<QString> names;
        for (const QString& name : outputNames)
            names.insert(name.toLower());
        if (names.size() != outputNames.size())
            return false;
        QSet<QString> aliases;
        for (const SelectItem& item : s.items)
            aliases.insert(item.alias.toLower());
        return std::none_of(orderBy->begin(), orderBy->end(), [&](const OrderItem& item) {
            const Expr& e = *item.expr;
            return e.kind == Expr::Kind::Number ||
                   (e.kind == Expr::Kind::Name && e.parts.size() == 1 &&
                    aliases.contains(e.parts.front().toLower()));
        });
    }

    QString clauses(const Select& s, const QString& layeredSource)
    {
        QString sql;
        if (!layeredSource.isEmpty()) {
            sql += QStringLiteral(" FROM ") + layeredSource;
        } else if (!s.from.empty()) {
            QStringList refs;
            for (const TableRefPtr& ref : s.from)
                refs.append(tableRef(*ref, false));
            sql += QStringLiteral(" FROM ") + refs.join(QStringLiteral(", "));
        }
        if (s.where)
            sql += QStringLiteral(" WHERE ") + expr(s.where, Mode::Condition);
        if (!s.groupBy.empty()) {
            QStringList terms;
            for (const ExprPtr& g : s.groupBy)
                terms.append(expr(g, Mode::Value));
            sql += QStringLiteral(" GROUP BY ") + terms.join(QStringLiteral(", "));
        }
        if (s.having)
            sql += QStringLiteral(" HAVING ") + expr(s.having, Mode::Condition);
        return sql;
    }

    // TOP n, or TOP n PERCENT: the share of the rows, rounded up, as Jet counts it.
    QString limit(const Select& s, const QString& clauses)
    {
        const QString n = s.top->text;
        if (!s.topPercent)
            return n;
        return QStringLiteral("(SELECT CAST((count(*) * %1 + 99.999999) / 100 AS INTEGER) FROM "
                              "(SELECT 1%2))")
            .arg(n, clauses);
    }

    QString tableRef(const TableRef& ref, bool rightOperand)
    {
        switch (ref.kind) {
        case TableRef::Kind::Table:
            return table(ref);
        case TableRef::Kind::Subquery:
            return QStringLiteral("(%1)%2").arg(
                query(*ref.query), ref.alias.isEmpty()
                                       ? QString()
                                       : QStringLiteral(" AS ") + quoteIdentifier(ref.alias));
        case TableRef::Kind::Join:
            break;
        }
        static const QString joins[] = {QStringLiteral(" INNER JOIN "),
                                        QStringLiteral(" LEFT JOIN "),
                                        QStringLiteral(" RIGHT JOIN ")};
        const QString left = tableRef(*ref.left, false);
        const QString right = tableRef(*ref.right, true);
        const QString on = expr(ref.on, Mode::Condition);
        const QString sql = left + joins[int(ref.joinType)] + right + QStringLiteral(" ON ") + on;
        return rightOperand ? u'(' + sql + u')' : sql;
    }

    QString table(const TableRef& ref)
    {
        const QString alias =
            ref.alias.isEmpty() ? QString() : QStringLiteral(" AS ") + quoteIdentifier(ref.alias);
        if (m_options.storedQuery) {
            if (const auto text = m_options.storedQuery(ref.name))
                return QStringLiteral("(%1) AS %2")
                    .arg(storedQuery(ref.name, *text),
                         quoteIdentifier(ref.alias.isEmpty() ? ref.name : ref.alias));
        }
        return quoteIdentifier(ref.name) + alias;
    }

    // The table itself, never an expanded stored query: what UPDATE and DELETE change.
    static QString plainTable(const TableRef& ref)
    {
        return quoteIdentifier(ref.name) +
               (ref.alias.isEmpty() ? QString()
                                    : QStringLiteral(" AS ") + quoteIdentifier(ref.alias));
    }

    // Sets the statement's scopes aside while a stored query is written, and counts the
    // expansion depth; both are restored however the expansion ends.
    class ExpansionGuard
    {
    public:
        explicit ExpansionGuard(Translator& t) : m_t(t)
        {
            m_saved.swap(m_t.m_scopes);
            ++m_t.m_storedQueryDepth;
        }
        ~ExpansionGuard()
        {
            m_t.m_scopes.swap(m_saved);
            --m_t.m_storedQueryDepth;
        }
        ExpansionGuard(const ExpansionGuard&) = delete;
        ExpansionGuard& operator=(const ExpansionGuard&) = delete;

    private:
        Translator& m_t;
        std::vector<Scope> m_saved;
    };

    QString storedQuery(const QString& name, const QString& text)
    {
        if (m_storedQueryDepth >= MaxStoredQueryDepth)
            throw vb::Error(JetErrorNumber,
                            QStringLiteral("Circular reference caused by '%1'.").arg(name),
                            errorSource());
        const Statement st = parseStatement(text);
        if (st.kind != StatementKind::Select)
            throw vb::Error(JetErrorNumber,
                            QStringLiteral("The query '%1' cannot be used as a table.").arg(name),
                            errorSource());
        declare(st.parameters);
        // The stored query sees nothing of the statement that names it.
        const ExpansionGuard guard(*this);
        return query(*st.query);
    }

    // --- INSERT, UPDATE, DELETE ---------------------------------------------------------

    QString insert(const Statement& st)
    {
        QString sql = QStringLiteral("INSERT INTO ") + quoteIdentifier(st.table);
        if (!st.columns.isEmpty()) {
            QStringList columns;
            for (const QString& c : st.columns)
                columns.append(quoteIdentifier(c));
            sql += QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + u')';
        }
        if (st.query) {
            const QString select = query(*st.query);
            return sql + u' ' +
                   (select.startsWith(QStringLiteral("WITH "))
                        ? QStringLiteral("SELECT * FROM (%1)").arg(select)
                        : select);
        }
        const ScopeGuard scope(*this, {});
        QStringList values;
        for (const ExprPtr& v : st.values)
            values.append(expr(v, Mode::Value));
        return sql + QStringLiteral(" VALUES (") + values.join(QStringLiteral(", ")) + u')';
    }

    static void collectTableRefs(const TableRef& ref, std::vector<const TableRef*>& out)
    {
        if (ref.kind == TableRef::Kind::Join) {
            collectTableRefs(*ref.left, out);
            collectTableRefs(*ref.right, out);
        } else {
            out.push_back(&ref);
        }
    }

    static QString effectiveName(const TableRef& ref)
    {
        return ref.alias.isEmpty() ? ref.name : ref.alias;
    }

    // The table an UPDATE or DELETE changes: the one its qualifier names, else the first.
    const TableRef& targetTable(const std::vector<const TableRef*>& tables,
                                const QString& qualifier, int position) const
    {
        for (const TableRef* t : tables)
            if (t->kind == TableRef::Kind::Table &&
                effectiveName(*t).compare(qualifier, Qt::CaseInsensitive) == 0)
                return *t;
        for (const TableRef* t : tables)
            if (t->kind == TableRef::Kind::Table &&
                (qualifier.isEmpty() || t->name.compare(qualifier, Qt::CaseInsensitive) == 0))
                return *t;
        if (!qualifier.isEmpty() && !tables.empty() &&
            tables.front()->kind == TableRef::Kind::Table)
            return *tables.front();
        throw SqlSyntaxError(QStringLiteral("Operation must use an updatable query."), position);
    }

    static QString qualifierOf(const Expr& e)
    {
        if (e.kind == Expr::Kind::Star)
            return e.parts.value(0);
        return e.parts.size() > 1 ? e.parts.at(e.parts.size() - 2) : QString();
    }

    bool isSingleTable(const Statement& st) const
    {
        return st.from.size() == 1 && st.from.front()->kind == TableRef::Kind::Table;
    }

    QString fromList(const Statement& st)
    {
        QStringList refs;
        for (const TableRefPtr& ref : st.from)
            refs.append(tableRef(*ref, false));
        return refs.join(QStringLiteral(", "));
    }

    QString update(const Statement& st)
    {
        std::vector<const TableRef*> tables;
        for (const TableRefPtr& ref : st.from)
            collectTableRefs(*ref, tables);
        QString qualifier;
        for (const Assignment& a : st.assignments)
            if (qualifier.isEmpty())
                qualifier = qualifierOf(*a.target);
        const TableRef& target = targetTable(tables, qualifier, st.from.front()->position);
        const ScopeGuard scope(*this, st.from);

        QStringList columns;
        for (const Assignment& a : st.assignments) {
            const QString q = qualifierOf(*a.target);
            const bool otherTable =
                !q.isEmpty() && effectiveName(target).compare(q, Qt::CaseInsensitive) != 0 &&
                std::any_of(tables.begin(), tables.end(), [&](const TableRef* t) {
                    return t != &target && effectiveName(*t).compare(q, Qt::CaseInsensitive) == 0;
                });
            if (otherTable)
                throw vb::Error(NotSupportedNumber,
                                QStringLiteral("An UPDATE that changes fields of more than one "
                                               "table is not supported by this database engine."),
                                errorSource());
            const bool known = q.isEmpty() ||
                               effectiveName(target).compare(q, Qt::CaseInsensitive) == 0 ||
                               target.name.compare(q, Qt::CaseInsensitive) == 0;
            // A qualifier naming no table of the statement stays, so SQLite refuses it.
            columns.append(known ? quoteIdentifier(a.target->parts.last())
                                 : quoteIdentifier(q) + u'.' +
                                       quoteIdentifier(a.target->parts.last()));
        }

        if (isSingleTable(st)) {
            QStringList sets;
            for (std::size_t i = 0; i < st.assignments.size(); ++i)
                sets.append(columns[qsizetype(i)] + QStringLiteral(" = ") +
                            expr(st.assignments[i].value, Mode::Value));
            QString sql = QStringLiteral("UPDATE ") + plainTable(target) + QStringLiteral(" SET ") +
                          sets.join(QStringLiteral(", "));
            if (st.where)
                sql += QStringLiteral(" WHERE ") + expr(st.where, Mode::Condition);
            return sql;
        }
        // With joins: the new values are computed by a query over the whole join, one row
        // per target row (its rowid), and applied through UPDATE ... FROM.
        const QString from = fromList(st);
        QStringList values{quoteIdentifier(effectiveName(target)) +
                           QStringLiteral(".rowid AS \"jet_rowid\"")};
        QStringList sets;
        for (std::size_t i = 0; i < st.assignments.size(); ++i) {
            const QString column = QStringLiteral("\"jet_v%1\"").arg(i + 1);
            values.append(expr(st.assignments[i].value, Mode::Value) + QStringLiteral(" AS ") +
                          column);
            sets.append(columns[qsizetype(i)] + QStringLiteral(" = \"jet_update\".") + column);
        }
        QString inner = QStringLiteral("SELECT ") + values.join(QStringLiteral(", ")) +
                        QStringLiteral(" FROM ") + from;
        if (st.where)
            inner += QStringLiteral(" WHERE ") + expr(st.where, Mode::Condition);
        const QString targetName = quoteIdentifier(target.name);
        return QStringLiteral("UPDATE %1 SET %2 FROM (%3) AS \"jet_update\" WHERE %1.rowid = "
                              "\"jet_update\".\"jet_rowid\"")
            .arg(targetName, sets.join(QStringLiteral(", ")), inner);
    }

    QString remove(const Statement& st)
    {
        std::vector<const TableRef*> tables;
        for (const TableRefPtr& ref : st.from)
            collectTableRefs(*ref, tables);
        const QString qualifier =
            st.deleteTargets.empty() ? QString() : qualifierOf(*st.deleteTargets.front());
        const TableRef& target = targetTable(tables, qualifier, st.from.front()->position);
        const ScopeGuard scope(*this, st.from);
        if (isSingleTable(st)) {
            const QString where = st.where ? expr(st.where, Mode::Condition) : QString();
            return QStringLiteral("DELETE FROM ") + plainTable(target) +
                   (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where);
        }
        // Rows of the target that the join (and WHERE) selects.
        const QString from = fromList(st);
        const QString where = st.where ? expr(st.where, Mode::Condition) : QString();
        QString inner = QStringLiteral("SELECT ") + quoteIdentifier(effectiveName(target)) +
                        QStringLiteral(".rowid FROM ") + from;
        if (!where.isEmpty())
            inner += QStringLiteral(" WHERE ") + where;
        return QStringLiteral("DELETE FROM %1 WHERE rowid IN (%2)")
            .arg(quoteIdentifier(target.name), inner);
    }

    const TranslateOptions& m_options;
    std::vector<Scope> m_scopes;
    std::vector<QStringList> m_selectTypes; // per SELECT of the outer query
    QStringList m_parameters;
    QStringList m_parameterTypes;
    QHash<QString, int> m_parameterIndex;
    QSet<QString> m_declared;
    int m_storedQueryDepth = 0;
    int m_layerCount = 0;
};

} // namespace

TranslatedStatement writeStatement(const Statement& statement, const TranslateOptions& options)
{
    return Translator(options).run(statement);
}

} // namespace jet::sql
