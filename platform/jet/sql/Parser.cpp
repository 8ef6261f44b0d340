#include "Parser.h"

#include "DateLiteral.h"
#include "Lexer.h"
#include "vb/FunctionTable.h"
#include "vb/OleDate.h"

#include <algorithm>
#include <set>

namespace jet::sql {
namespace {

// Deeper trees than this are refused rather than risking the stack.
constexpr int MaxDepth = 400;
constexpr int MaxNesting = 120;
// E_NOTIMPL: what this engine refuses though Jet would run it.
constexpr int NotSupportedNumber = -2147467263;

const QString& msgSource()
{
    static const QString source = QStringLiteral("Jet SQL");
    return source;
}

bool isReserved(const Token& t)
{
    static const std::set<QString> words = {
        "ALL",        "AND",         "AS",     "ASC",    "BETWEEN", "BY",   "DELETE", "DESC",
        "DISTINCT",   "DISTINCTROW", "EQV",    "EXISTS", "FALSE",   "FROM", "GROUP",  "HAVING",
        "IMP",        "IN",          "INNER",  "INSERT", "INTO",    "IS",   "JOIN",   "LEFT",
        "LIKE",       "MOD",         "NOT",    "NULL",   "ON",      "OR",   "ORDER",  "OUTER",
        "PARAMETERS", "PERCENT",     "PIVOT",  "RIGHT",  "SELECT",  "SET",  "TOP",    "TRANSFORM",
        "TRUE",       "UNION",       "UPDATE", "VALUES", "WHERE",   "WITH", "XOR",
    };
    return t.kind == TokenKind::Word && words.count(t.text.toUpper()) > 0;
}

bool isNameToken(const Token& t)
{
    return t.kind == TokenKind::Bracket || (t.kind == TokenKind::Word && !isReserved(t));
}

class Parser
{
public:
    explicit Parser(const QString& text) : m_text(text), m_tokens(tokenize(text)) {}

    Statement statement()
    {
        Statement st;
        if (peek().isKeyword(u"PARAMETERS"))
            st.parameters = parameters();
        const Token& t = peek();
        if (t.isKeyword(u"TRANSFORM"))
            throw vb::Error(NotSupportedNumber,
                            QStringLiteral("Crosstab queries (TRANSFORM ... PIVOT) are not "
                                           "supported by this database engine."),
                            msgSource());
        if (t.isKeyword(u"SELECT") || (t.isSymbol(u"(") && peek(1).isKeyword(u"SELECT"))) {
            st.query = query();
            st.kind = st.query->selects.front().intoTable.isEmpty() ? StatementKind::Select
                                                                    : StatementKind::Other;
        } else if (t.isKeyword(u"INSERT")) {
            insert(st);
        } else if (t.isKeyword(u"UPDATE")) {
            update(st);
        } else if (t.isKeyword(u"DELETE")) {
            remove(st);
        } else if (t.isKeyword(u"CREATE")) {
            create(st);
        } else if (t.isKeyword(u"ALTER")) {
            alter(st);
        } else if (t.isKeyword(u"DROP")) {
            drop(st);
        } else {
            fail(QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', "
                                "'PROCEDURE', 'SELECT', or 'UPDATE'."),
                 t.position);
        }
        acceptSymbol(u";");
        if (peek().kind != TokenKind::End) {
            if (peek().isKeyword(u"PIVOT"))
                throw vb::Error(NotSupportedNumber,
                                QStringLiteral("Crosstab queries (TRANSFORM ... PIVOT) are not "
                                               "supported by this database engine."),
                                msgSource());
            fail(QStringLiteral("Characters found after end of SQL statement."), peek().position);
        }
        return st;
    }

private:
    // --- tokens -------------------------------------------------------------------------

    const Token& peek(int ahead = 0) const
    {
        const qsizetype i = std::min<qsizetype>(m_index + ahead, m_tokens.size() - 1);
        return m_tokens.at(i);
    }

    const Token& next()
    {
        const Token& t = peek();
        if (m_index < m_tokens.size() - 1)
            ++m_index;
        return t;
    }

    bool acceptKeyword(QStringView keyword)
    {
        if (!peek().isKeyword(keyword))
            return false;
        next();
        return true;
    }

    bool acceptSymbol(QStringView symbol)
    {
        if (!peek().isSymbol(symbol))
            return false;
        next();
        return true;
    }

    void expectKeyword(QStringView keyword, const QString& error)
    {
        if (!acceptKeyword(keyword))
            fail(error, peek().position);
    }

    void expectSymbol(QStringView symbol, const QString& error)
    {
        if (!acceptSymbol(symbol))
            fail(error, peek().position);
    }

    [[noreturn]] void fail(const QString& description, int position) const
    {
        throw SqlSyntaxError(description, position);
    }

    QString expressionError(int start) const
    {
        const int end = peek().position + peek().length;
        return QStringLiteral("Syntax error (missing operator) in query expression '%1'.")
            .arg(m_text.mid(start, std::min(end - start, 80)).trimmed());
    }

    QString nameOrFail(const QString& error)
    {
        if (!isNameToken(peek()))
            fail(error, peek().position);
        return next().text;
    }

    // Guards recursion into parentheses and sub-queries.
    class Nesting
    {
    public:
        Nesting(Parser& parser, int position) : m_parser(parser)
        {
            if (++m_parser.m_nesting > MaxNesting)
                m_parser.fail(QStringLiteral("Query is too complex."), position);
        }
        ~Nesting() { --m_parser.m_nesting; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& m_parser;
    };

    // --- expressions --------------------------------------------------------------------

    ExprPtr make(Expr&& e) const
    {
        for (const ExprPtr& op : e.operands)
            e.depth = std::max(e.depth, op->depth + 1);
        if (e.depth > MaxDepth)
            fail(QStringLiteral("Query is too complex."), e.position);
        return std::make_shared<const Expr>(std::move(e));
    }

    ExprPtr binary(QString op, ExprPtr left, ExprPtr right, int position) const
    {
        Expr e;
        e.kind = Expr::Kind::Binary;
        e.text = std::move(op);
        e.position = position;
        e.operands = {std::move(left), std::move(right)};
        return make(std::move(e));
    }

    ExprPtr expression()
    {
        const int start = peek().position;
        const int saved = m_exprStart;
        m_exprStart = start;
        ExprPtr e = impExpr();
        m_exprStart = saved;
        return e;
    }

    template <typename Next>
    ExprPtr keywordChain(QStringView keyword, Next nextLevel)
    {
        ExprPtr left = (this->*nextLevel)();
        while (peek().isKeyword(keyword)) {
            const int pos = next().position;
            left = binary(keyword.toString().toUpper(), left, (this->*nextLevel)(), pos);
        }
        return left;
    }

    ExprPtr impExpr() { return keywordChain(u"IMP", &Parser::eqvExpr); }
    ExprPtr eqvExpr() { return keywordChain(u"EQV", &Parser::xorExpr); }
    ExprPtr xorExpr() { return keywordChain(u"XOR", &Parser::orExpr); }
    ExprPtr orExpr() { return keywordChain(u"OR", &Parser::andExpr); }
    ExprPtr andExpr() { return keywordChain(u"AND", &Parser::notExpr); }

    ExprPtr notExpr()
    {
        if (peek().isKeyword(u"NOT")) {
            const Nesting guard(*this, peek().position);
            Expr e;
            e.kind = Expr::Kind::Unary;
            e.text = QStringLiteral("NOT");
            e.position = next().position;
            e.operands = {notExpr()};
            return make(std::move(e));
        }
        return comparison();
    }

    ExprPtr comparison()
    {
        ExprPtr left = concatExpr();
        while (true) {
            const Token& t = peek();
            static const QString ops[] = {"=", "<>", "<", ">", "<=", ">="};
            if (t.kind == TokenKind::Symbol &&
                std::find(std::begin(ops), std::end(ops), t.text) != std::end(ops)) {
                const Token& op = next();
                left = binary(op.text, left, concatExpr(), op.position);
                continue;
            }
            const int pos = t.position;
            if (t.isKeyword(u"IS")) {
                next();
                Expr e;
                e.kind = Expr::Kind::IsNull;
                e.position = pos;
                e.negated = acceptKeyword(u"NOT");
                expectKeyword(u"NULL", expressionError(m_exprStart));
                e.operands = {left};
                left = make(std::move(e));
                continue;
            }
            bool negated = false;
            if (t.isKeyword(u"NOT") &&
                (peek(1).isKeyword(u"LIKE") || peek(1).isKeyword(u"BETWEEN") ||
                 peek(1).isKeyword(u"IN"))) {
                next();
                negated = true;
            }
            Expr e;
            e.position = pos;
            e.negated = negated;
            if (acceptKeyword(u"LIKE")) {
                e.kind = Expr::Kind::Like;
                e.operands = {left, concatExpr()};
            } else if (acceptKeyword(u"BETWEEN")) {
                e.kind = Expr::Kind::Between;
                ExprPtr low = concatExpr();
                expectKeyword(u"AND", expressionError(m_exprStart));
                e.operands = {left, low, concatExpr()};
            } else if (acceptKeyword(u"IN")) {
                inOperand(e, left);
            } else {
                return left;
            }
            left = make(std::move(e));
        }
    }

    void inOperand(Expr& e, const ExprPtr& left)
    {
        const Nesting guard(*this, peek().position);
        expectSymbol(u"(", expressionError(m_exprStart));
        e.operands = {left};
        if (peek().isKeyword(u"SELECT")) {
            e.kind = Expr::Kind::InQuery;
            e.query = query();
            acceptSymbol(u";");
        } else {
            e.kind = Expr::Kind::InList;
            do {
                e.operands.push_back(expression());
            } while (acceptSymbol(u","));
        }
        expectSymbol(u")", expressionError(m_exprStart));
    }

    ExprPtr concatExpr() { return symbolChain({u"&"}, &Parser::additive); }
    ExprPtr additive() { return symbolChain({u"+", u"-"}, &Parser::modExpr); }

    ExprPtr modExpr()
    {
        ExprPtr left = intDivExpr();
        while (peek().isKeyword(u"MOD")) {
            const int pos = next().position;
            left = binary(QStringLiteral("MOD"), left, intDivExpr(), pos);
        }
        return left;
    }

    ExprPtr intDivExpr() { return symbolChain({u"\\"}, &Parser::multiplicative); }
    ExprPtr multiplicative() { return symbolChain({u"*", u"/"}, &Parser::unary); }

    template <typename Next>
    ExprPtr symbolChain(std::initializer_list<QStringView> symbols, Next nextLevel)
    {
        ExprPtr left = (this->*nextLevel)();
        while (true) {
            const Token& t = peek();
            const auto match = std::find_if(symbols.begin(), symbols.end(),
                                            [&](QStringView s) { return t.isSymbol(s); });
            if (match == symbols.end())
                return left;
            const Token& op = next();
            left = binary(op.text, left, (this->*nextLevel)(), op.position);
        }
    }

    // Jet binds a sign tighter than ^ (-10^2 is 100, unlike VBA), and allows one on the
    // right of ^ too (2^-1).
    ExprPtr unary() { return power(); }

    ExprPtr power()
    {
        ExprPtr left = signedPrimary();
        while (peek().isSymbol(u"^")) {
            const int pos = next().position;
            left = binary(QStringLiteral("^"), left, signedPrimary(), pos);
        }
        return left;
    }

    ExprPtr signedPrimary()
    {
        if (!peek().isSymbol(u"-") && !peek().isSymbol(u"+"))
            return primary();
        const Nesting guard(*this, peek().position);
        const Token& op = next();
        Expr e;
        e.kind = Expr::Kind::Unary;
        e.text = op.text;
        e.position = op.position;
        e.operands = {signedPrimary()};
        return make(std::move(e));
    }

    ExprPtr primary()
    {
        const Token& t = peek();
        Expr e;
        e.position = t.position;
        switch (t.kind) {
        case TokenKind::Number:
            e.kind = Expr::Kind::Number;
            e.text = next().text;
            return make(std::move(e));
        case TokenKind::String:
            e.kind = Expr::Kind::String;
            e.text = next().text;
            return make(std::move(e));
        case TokenKind::Date: {
            const auto days = parseDateLiteral(t.text);
            if (!days || !vb::OleDate::isValid(*days))
                fail(QStringLiteral("Syntax error in date in query expression '#%1#'.").arg(t.text),
                     t.position);
            next();
            e.kind = Expr::Kind::Date;
            e.value = *days;
            return make(std::move(e));
        }
        case TokenKind::Bracket:
            return namePath();
        case TokenKind::Word:
            return wordPrimary();
        case TokenKind::Symbol:
            if (t.isSymbol(u"("))
                return parenthesized();
            break;
        case TokenKind::End:
            break;
        }
        fail(expressionError(m_exprStart), t.position);
    }

    ExprPtr parenthesized()
    {
        const Nesting guard(*this, peek().position);
        const int pos = next().position;
        if (peek().isKeyword(u"SELECT")) {
            Expr e;
            e.kind = Expr::Kind::Subquery;
            e.position = pos;
            e.query = query();
            acceptSymbol(u";"); // Jet accepts a sub-query's own terminator
            expectSymbol(u")", expressionError(m_exprStart));
            return make(std::move(e));
        }
        ExprPtr inner = expression();
        expectSymbol(u")", expressionError(m_exprStart));
        return inner;
    }

    ExprPtr wordPrimary()
    {
        const Token& t = peek();
        Expr e;
        e.position = t.position;
        if (t.isKeyword(u"NULL")) {
            next();
            e.kind = Expr::Kind::Null;
            return make(std::move(e));
        }
        if (t.isKeyword(u"TRUE") || t.isKeyword(u"YES") || t.isKeyword(u"FALSE") ||
            t.isKeyword(u"NO")) {
            const bool truth = t.isKeyword(u"TRUE") || t.isKeyword(u"YES");
            next();
            e.kind = Expr::Kind::Boolean;
            e.value = truth ? -1 : 0;
            return make(std::move(e));
        }
        if (t.isKeyword(u"EXISTS")) {
            next();
            const Nesting guard(*this, t.position);
            expectSymbol(u"(", expressionError(m_exprStart));
            if (!peek().isKeyword(u"SELECT"))
                fail(expressionError(m_exprStart), peek().position);
            e.kind = Expr::Kind::Exists;
            e.query = query();
            acceptSymbol(u";");
            expectSymbol(u")", expressionError(m_exprStart));
            return make(std::move(e));
        }
        // A reserved word that is also a function's name (Left, Right, Asc) is a call when
        // "(" follows.
        const bool callable = !isReserved(t) || vb::findBuiltin(t.text) != nullptr;
        if (callable && peek(1).isSymbol(u"("))
            return call();
        if (isReserved(t))
            fail(expressionError(m_exprStart), t.position);
        return namePath();
    }

    ExprPtr call()
    {
        const Nesting guard(*this, peek().position);
        Expr e;
        e.kind = Expr::Kind::Call;
        e.position = peek().position;
        e.text = next().text;
        next(); // (
        if (!acceptSymbol(u")")) {
            do {
                if (peek().isSymbol(u"*")) {
                    Expr star;
                    star.kind = Expr::Kind::Star;
                    star.position = next().position;
                    e.operands.push_back(make(std::move(star)));
                } else {
                    e.operands.push_back(expression());
                }
            } while (acceptSymbol(u","));
            expectSymbol(u")", expressionError(m_exprStart));
        }
        return make(std::move(e));
    }

    // Name, T.Name, [Forms]![F]![C], T.*
    ExprPtr namePath()
    {
        Expr e;
        e.kind = Expr::Kind::Name;
        e.position = peek().position;
        e.parts.append(next().text);
        while (peek().isSymbol(u".") || peek().isSymbol(u"!")) {
            const Token& after = peek(1);
            if (peek().isSymbol(u".") && after.isSymbol(u"*")) {
                next();
                next();
                e.kind = Expr::Kind::Star;
                return make(std::move(e));
            }
            if (after.kind != TokenKind::Word && after.kind != TokenKind::Bracket)
                fail(expressionError(m_exprStart), after.position);
            e.separators.append(next().text);
            e.parts.append(next().text);
        }
        return make(std::move(e));
    }

    // --- queries ------------------------------------------------------------------------

    QueryPtr query()
    {
        const Nesting guard(*this, peek().position);
        auto q = std::make_shared<Query>();
        q->selects.push_back(selectCore());
        while (acceptKeyword(u"UNION")) {
            q->unionAll.push_back(acceptKeyword(u"ALL"));
            q->selects.push_back(selectCore());
        }
        if (acceptKeyword(u"ORDER")) {
            expectKeyword(u"BY", QStringLiteral("Syntax error in ORDER BY clause."));
            do {
                OrderItem item;
                item.expr = expression();
                if (acceptKeyword(u"DESC"))
                    item.descending = true;
                else
                    acceptKeyword(u"ASC");
                q->orderBy.push_back(std::move(item));
            } while (acceptSymbol(u","));
        }
        if (acceptKeyword(u"WITH")) {
            // WITH OWNERACCESS OPTION: permissions are not modelled; accepted and ignored.
            if (!acceptKeyword(u"OWNERACCESS") || !acceptKeyword(u"OPTION"))
                fail(QStringLiteral("Syntax error in WITH OWNERACCESS OPTION declaration."),
                     peek().position);
        }
        return q;
    }

    Select selectCore()
    {
        const bool parenthesized = acceptSymbol(u"(");
        expectKeyword(u"SELECT", QStringLiteral("Syntax error in query. Incomplete query clause."));
        Select s;
        predicates(s);
        do {
            SelectItem item;
            if (peek().isSymbol(u"*")) {
                Expr star;
                star.kind = Expr::Kind::Star;
                star.position = next().position;
                item.expr = make(std::move(star));
            } else {
                item.expr = expression();
                if (acceptKeyword(u"AS"))
                    item.alias = nameOrFail(expressionError(m_exprStart));
            }
            s.items.push_back(std::move(item));
        } while (acceptSymbol(u","));
        if (acceptKeyword(u"INTO"))
            s.intoTable = nameOrFail(QStringLiteral("Syntax error in query. Incomplete query "
                                                    "clause."));
        if (acceptKeyword(u"FROM"))
            s.from = tableList();
        if (acceptKeyword(u"WHERE"))
            s.where = expression();
        if (acceptKeyword(u"GROUP")) {
            expectKeyword(u"BY", QStringLiteral("Syntax error in GROUP BY clause."));
            do {
                s.groupBy.push_back(expression());
            } while (acceptSymbol(u","));
        }
        if (acceptKeyword(u"HAVING"))
            s.having = expression();
        if (parenthesized)
            expectSymbol(u")", QStringLiteral("Syntax error in union query."));
        return s;
    }

    void predicates(Select& s)
    {
        while (true) {
            if (acceptKeyword(u"ALL"))
                continue;
            if (acceptKeyword(u"DISTINCT")) {
                s.distinct = true;
                continue;
            }
            if (acceptKeyword(u"DISTINCTROW")) {
                s.distinctRow = true;
                continue;
            }
            if (peek().isKeyword(u"TOP")) {
                next();
                if (peek().kind != TokenKind::Number)
                    fail(QStringLiteral("The SELECT statement includes a reserved word or an "
                                        "argument name that is misspelled or missing, or the "
                                        "punctuation is incorrect."),
                         peek().position);
                Expr n;
                n.kind = Expr::Kind::Number;
                n.position = peek().position;
                n.text = next().text;
                s.top = make(std::move(n));
                s.topPercent = acceptKeyword(u"PERCENT");
                continue;
            }
            return;
        }
    }

    std::vector<TableRefPtr> tableList()
    {
        std::vector<TableRefPtr> refs;
        do {
            refs.push_back(joinedTable());
        } while (acceptSymbol(u","));
        return refs;
    }

    std::optional<TableRef::JoinType> joinKeyword()
    {
        const Token& t = peek();
        TableRef::JoinType type;
        if (t.isKeyword(u"INNER"))
            type = TableRef::JoinType::Inner;
        else if (t.isKeyword(u"LEFT"))
            type = TableRef::JoinType::Left;
        else if (t.isKeyword(u"RIGHT"))
            type = TableRef::JoinType::Right;
        else
            return std::nullopt;
        next();
        if (type != TableRef::JoinType::Inner)
            acceptKeyword(u"OUTER");
        expectKeyword(u"JOIN", QStringLiteral("Syntax error in JOIN operation."));
        return type;
    }

    TableRefPtr joinedTable()
    {
        TableRefPtr left = tablePrimary();
        while (const auto type = joinKeyword()) {
            auto join = std::make_shared<TableRef>();
            join->kind = TableRef::Kind::Join;
            join->position = left->position;
            join->joinType = *type;
            join->left = left;
            join->right = tablePrimary();
            expectKeyword(u"ON", QStringLiteral("Syntax error in JOIN operation."));
            join->on = expression();
            join->depth = std::max(join->left->depth, join->right->depth) + 1;
            if (join->depth > MaxDepth)
                fail(QStringLiteral("Query is too complex."), join->position);
            left = join;
        }
        return left;
    }

    TableRefPtr tablePrimary()
    {
        auto ref = std::make_shared<TableRef>();
        ref->position = peek().position;
        if (peek().isSymbol(u"(")) {
            const Nesting guard(*this, peek().position);
            next();
            if (peek().isKeyword(u"SELECT")) {
                ref->kind = TableRef::Kind::Subquery;
                ref->query = query();
                acceptSymbol(u";");
                expectSymbol(u")", QStringLiteral("Syntax error in FROM clause."));
                ref->alias = tableAlias();
                return ref;
            }
            TableRefPtr inner = joinedTable();
            expectSymbol(u")", QStringLiteral("Syntax error in JOIN operation."));
            return inner;
        }
        ref->kind = TableRef::Kind::Table;
        ref->name = nameOrFail(QStringLiteral("Syntax error in FROM clause."));
        if (peek().isKeyword(u"IN"))
            throw vb::Error(NotSupportedNumber,
                            QStringLiteral("Tables of other database files (IN clause) are not "
                                           "supported by this database engine."),
                            msgSource());
        ref->alias = tableAlias();
        return ref;
    }

    QString tableAlias()
    {
        if (acceptKeyword(u"AS"))
            return nameOrFail(QStringLiteral("Syntax error in FROM clause."));
        if (isNameToken(peek()))
            return next().text;
        return {};
    }

    // --- PARAMETERS ---------------------------------------------------------------------

    std::vector<ParameterDecl> parameters()
    {
        const QString error = QStringLiteral("Syntax error in PARAMETER clause.");
        next();
        std::vector<ParameterDecl> decls;
        while (true) {
            // Collect the declaration's tokens; the last word (with an optional size) is the
            // type, everything before it the name, which may hold blanks without brackets.
            const qsizetype begin = m_index;
            while (!peek().isSymbol(u",") && !peek().isSymbol(u";") &&
                   peek().kind != TokenKind::End)
                next();
            qsizetype typeAt = m_index - 1;
            if (typeAt >= begin && m_tokens.at(typeAt).isSymbol(u")")) {
                while (typeAt > begin && !m_tokens.at(typeAt).isSymbol(u"("))
                    --typeAt;
                --typeAt;
            }
            if (typeAt <= begin || m_tokens.at(typeAt).kind != TokenKind::Word ||
                !jetTypeFromName(m_tokens.at(typeAt).text))
                fail(error, m_tokens.at(std::max(begin, typeAt)).position);
            ParameterDecl decl;
            decl.name = declaredName(begin, typeAt, error);
            const Token& first = m_tokens.at(typeAt);
            const Token& last = m_tokens.at(m_index - 1);
            decl.type = m_text.mid(first.position, last.position + last.length - first.position);
            decls.push_back(std::move(decl));
            if (acceptSymbol(u";"))
                return decls;
            expectSymbol(u",", error);
        }
    }

    QString declaredName(qsizetype begin, qsizetype end, const QString& error) const
    {
        QStringList parts{QString()};
        QString separators;
        for (qsizetype i = begin; i < end; ++i) {
            const Token& t = m_tokens.at(i);
            if (t.isSymbol(u".") || t.isSymbol(u"!")) {
                separators.append(t.text);
                parts.append(QString());
            } else if (t.kind == TokenKind::Word || t.kind == TokenKind::Bracket ||
                       t.kind == TokenKind::Number) {
                QString& part = parts.last();
                if (!part.isEmpty())
                    part.append(u' ');
                part.append(t.text);
            } else {
                fail(error, t.position);
            }
        }
        if (std::any_of(parts.begin(), parts.end(), [](const QString& p) { return p.isEmpty(); }))
            fail(error, m_tokens.at(begin).position);
        return joinNameParts(parts, separators);
    }

    // --- INSERT, UPDATE, DELETE ---------------------------------------------------------

    void insert(Statement& st)
    {
        const QString error = QStringLiteral("Syntax error in INSERT INTO statement.");
        next();
        expectKeyword(u"INTO", error);
        st.kind = StatementKind::Insert;
        st.table = nameOrFail(error);
        if (peek().isSymbol(u"(") && !peek(1).isKeyword(u"SELECT")) {
            next();
            do {
                const ExprPtr column = namePath();
                if (column->kind != Expr::Kind::Name)
                    fail(error, column->position);
                st.columns.append(column->parts.last());
            } while (acceptSymbol(u","));
            expectSymbol(u")", error);
        }
        if (acceptKeyword(u"VALUES")) {
            expectSymbol(u"(", error);
            do {
                st.values.push_back(expression());
            } while (acceptSymbol(u","));
            expectSymbol(u")", error);
            if (!st.columns.isEmpty() && st.columns.size() != qsizetype(st.values.size()))
                fail(QStringLiteral("Number of query values and destination fields are not "
                                    "the same."),
                     peek().position);
            return;
        }
        if (!peek().isKeyword(u"SELECT") && !peek().isSymbol(u"("))
            fail(error, peek().position);
        st.query = query();
    }

    void update(Statement& st)
    {
        const QString error = QStringLiteral("Syntax error in UPDATE statement.");
        next();
        st.kind = StatementKind::Update;
        st.from = tableList();
        expectKeyword(u"SET", error);
        do {
            Assignment a;
            if (!isNameToken(peek()))
                fail(error, peek().position);
            a.target = namePath();
            if (a.target->kind != Expr::Kind::Name)
                fail(error, a.target->position);
            expectSymbol(u"=", error);
            a.value = expression();
            st.assignments.push_back(std::move(a));
        } while (acceptSymbol(u","));
        if (acceptKeyword(u"WHERE"))
            st.where = expression();
    }

    void remove(Statement& st)
    {
        const QString error = QStringLiteral("Syntax error in DELETE statement.");
        next();
        st.kind = StatementKind::Delete;
        if (!peek().isKeyword(u"FROM")) {
            do {
                if (peek().isSymbol(u"*")) {
                    Expr star;
                    star.kind = Expr::Kind::Star;
                    star.position = next().position;
                    st.deleteTargets.push_back(make(std::move(star)));
                } else if (isNameToken(peek())) {
                    st.deleteTargets.push_back(namePath());
                } else {
                    fail(error, peek().position);
                }
            } while (acceptSymbol(u","));
        }
        expectKeyword(u"FROM", error);
        st.from = tableList();
        if (acceptKeyword(u"WHERE"))
            st.where = expression();
    }

    // --- schema statements --------------------------------------------------------------

    void create(Statement& st)
    {
        next();
        const bool unique = acceptKeyword(u"UNIQUE");
        if (acceptKeyword(u"INDEX")) {
            createIndex(st, unique);
            return;
        }
        if (unique || !acceptKeyword(u"TABLE"))
            fail(QStringLiteral("Syntax error in CREATE TABLE statement."), peek().position);
        const QString error = QStringLiteral("Syntax error in CREATE TABLE statement.");
        st.kind = StatementKind::CreateTable;
        st.ddl.action = DdlStatement::Action::CreateTable;
        st.ddl.table = nameOrFail(error);
        expectSymbol(u"(", error);
        do {
            if (peek().isKeyword(u"CONSTRAINT") || peek().isKeyword(u"PRIMARY") ||
                peek().isKeyword(u"UNIQUE") || peek().isKeyword(u"FOREIGN"))
                st.ddl.constraints.append(tableConstraint());
            else
                st.ddl.columns.append(columnDefinition());
        } while (acceptSymbol(u","));
        expectSymbol(u")", error);
    }

    void createIndex(Statement& st, bool unique)
    {
        const QString error = QStringLiteral("Syntax error in CREATE INDEX statement.");
        st.kind = StatementKind::CreateIndex;
        st.ddl.action = DdlStatement::Action::CreateIndex;
        IndexDef& index = st.ddl.index;
        index.unique = unique;
        index.name = nameOrFail(error);
        expectKeyword(u"ON", error);
        index.table = nameOrFail(error);
        st.ddl.table = index.table;
        expectSymbol(u"(", error);
        do {
            IndexColumn column;
            column.name = nameOrFail(error);
            if (acceptKeyword(u"DESC"))
                column.descending = true;
            else
                acceptKeyword(u"ASC");
            index.columns.append(column);
        } while (acceptSymbol(u","));
        expectSymbol(u")", error);
        if (acceptKeyword(u"WITH")) {
            do {
                if (acceptKeyword(u"PRIMARY")) {
                    index.primary = true;
                } else if (acceptKeyword(u"DISALLOW")) {
                    expectKeyword(u"NULL", error);
                    index.disallowNull = true;
                } else if (acceptKeyword(u"IGNORE")) {
                    expectKeyword(u"NULL", error);
                    index.ignoreNull = true;
                } else {
                    fail(error, peek().position);
                }
            } while (peek().isKeyword(u"PRIMARY") || peek().isKeyword(u"DISALLOW") ||
                     peek().isKeyword(u"IGNORE"));
        }
    }

    void alter(Statement& st)
    {
        const QString error = QStringLiteral("Syntax error in ALTER TABLE statement.");
        next();
        expectKeyword(u"TABLE", error);
        st.kind = StatementKind::AlterTable;
        st.ddl.table = nameOrFail(error);
        if (acceptKeyword(u"ADD")) {
            if (peek().isKeyword(u"CONSTRAINT") || peek().isKeyword(u"PRIMARY") ||
                peek().isKeyword(u"UNIQUE") || peek().isKeyword(u"FOREIGN")) {
                st.ddl.action = DdlStatement::Action::AddConstraint;
                st.ddl.constraints.append(tableConstraint());
                return;
            }
            st.ddl.action = DdlStatement::Action::AddColumn;
            acceptKeyword(u"COLUMN");
            do {
                st.ddl.columns.append(columnDefinition());
            } while (acceptSymbol(u","));
        } else if (acceptKeyword(u"ALTER")) {
            st.ddl.action = DdlStatement::Action::AlterColumn;
            acceptKeyword(u"COLUMN");
            st.ddl.columns.append(columnDefinition());
        } else if (acceptKeyword(u"DROP")) {
            if (acceptKeyword(u"CONSTRAINT")) {
                st.ddl.action = DdlStatement::Action::DropConstraint;
            } else {
                st.ddl.action = DdlStatement::Action::DropColumn;
                acceptKeyword(u"COLUMN");
            }
            st.ddl.name = nameOrFail(error);
        } else {
            fail(error, peek().position);
        }
    }

    void drop(Statement& st)
    {
        const QString error = QStringLiteral("Syntax error in DROP TABLE or DROP INDEX.");
        next();
        if (acceptKeyword(u"TABLE")) {
            st.kind = StatementKind::DropTable;
            st.ddl.action = DdlStatement::Action::DropTable;
            st.ddl.table = nameOrFail(error);
            return;
        }
        expectKeyword(u"INDEX", error);
        st.kind = StatementKind::DropIndex;
        st.ddl.action = DdlStatement::Action::DropIndex;
        st.ddl.name = nameOrFail(error);
        expectKeyword(u"ON", error);
        st.ddl.table = nameOrFail(error);
    }

    int integerOrFail(const QString& error)
    {
        if (peek().kind != TokenKind::Number)
            fail(error, peek().position);
        bool ok = false;
        const int value = next().text.toInt(&ok);
        if (!ok)
            fail(error, peek().position);
        return value;
    }

    ColumnDef columnDefinition()
    {
        const QString error = QStringLiteral("Syntax error in field definition.");
        ColumnDef column;
        column.name = nameOrFail(error);
        const Token& type = peek();
        const auto jetType =
            type.kind == TokenKind::Word ? jetTypeFromName(type.text) : std::nullopt;
        if (!jetType || *jetType == JetType::Value)
            fail(error, type.position);
        next();
        column.typeName = type.text;
        column.type = *jetType;
        if (acceptSymbol(u"(")) {
            const int first = integerOrFail(error);
            const int second = acceptSymbol(u",") ? integerOrFail(error) : -1;
            expectSymbol(u")", error);
            typeArguments(column, first, second, type.position);
        }
        columnOptions(column, error);
        return column;
    }

    void typeArguments(ColumnDef& column, int first, int second, int position) const
    {
        const QString error = QStringLiteral("Syntax error in field definition.");
        switch (column.type) {
        case JetType::Text:
        case JetType::Binary:
            if (second >= 0 || first < 1 || first > 255)
                fail(error, position);
            column.size = first;
            break;
        case JetType::Counter:
            column.firstValue = first;
            column.increment = second >= 0 ? second : 1;
            break;
        case JetType::Decimal:
            if (first < 1 || first > 28 || second > first)
                fail(error, position);
            column.precision = first;
            column.scale = std::max(second, 0);
            break;
        default:
            fail(error, position);
        }
    }

    void columnOptions(ColumnDef& column, const QString& error)
    {
        while (true) {
            if (peek().isKeyword(u"NOT") && peek(1).isKeyword(u"NULL")) {
                next();
                next();
                column.notNull = true;
            } else if (acceptKeyword(u"NULL")) {
                column.notNull = false;
            } else if (peek().isKeyword(u"WITH") &&
                       (peek(1).isKeyword(u"COMPRESSION") || peek(1).isKeyword(u"COMP"))) {
                next();
                next();
                column.compressed = true;
            } else if (acceptKeyword(u"DEFAULT")) {
                const int start = peek().position;
                expression();
                const Token& last = m_tokens.at(m_index - 1);
                column.defaultSql = m_text.mid(start, last.position + last.length - start);
            } else if (peek().isKeyword(u"CONSTRAINT") || peek().isKeyword(u"PRIMARY") ||
                       peek().isKeyword(u"UNIQUE") || peek().isKeyword(u"REFERENCES")) {
                ConstraintDef c = columnConstraint(error);
                c.columns = QStringList{column.name};
                if (c.kind == ConstraintDef::Kind::NotNull)
                    column.notNull = true;
                column.constraints.append(c);
            } else {
                return;
            }
        }
    }

    ConstraintDef columnConstraint(const QString& error)
    {
        ConstraintDef c;
        if (acceptKeyword(u"CONSTRAINT"))
            c.name = nameOrFail(error);
        if (acceptKeyword(u"PRIMARY")) {
            expectKeyword(u"KEY", error);
            c.kind = ConstraintDef::Kind::PrimaryKey;
        } else if (acceptKeyword(u"UNIQUE")) {
            c.kind = ConstraintDef::Kind::Unique;
        } else if (peek().isKeyword(u"NOT") && peek(1).isKeyword(u"NULL")) {
            next();
            next();
            c.kind = ConstraintDef::Kind::NotNull;
        } else if (peek().isKeyword(u"REFERENCES")) {
            c.kind = ConstraintDef::Kind::ForeignKey;
            references(c, error);
        } else {
            fail(QStringLiteral("Syntax error in CONSTRAINT clause."), peek().position);
        }
        return c;
    }

    ConstraintDef tableConstraint()
    {
        const QString error = QStringLiteral("Syntax error in CONSTRAINT clause.");
        ConstraintDef c;
        if (acceptKeyword(u"CONSTRAINT"))
            c.name = nameOrFail(error);
        if (acceptKeyword(u"PRIMARY")) {
            expectKeyword(u"KEY", error);
            c.kind = ConstraintDef::Kind::PrimaryKey;
        } else if (acceptKeyword(u"UNIQUE")) {
            c.kind = ConstraintDef::Kind::Unique;
        } else if (acceptKeyword(u"FOREIGN")) {
            expectKeyword(u"KEY", error);
            if (acceptKeyword(u"NO"))
                expectKeyword(u"INDEX", error);
            c.kind = ConstraintDef::Kind::ForeignKey;
        } else {
            fail(error, peek().position);
        }
        c.columns = nameList(error);
        if (c.kind == ConstraintDef::Kind::ForeignKey)
            references(c, error);
        return c;
    }

    QStringList nameList(const QString& error)
    {
        QStringList names;
        expectSymbol(u"(", error);
        do {
            names.append(nameOrFail(error));
        } while (acceptSymbol(u","));
        expectSymbol(u")", error);
        return names;
    }

    void references(ConstraintDef& c, const QString& error)
    {
        expectKeyword(u"REFERENCES", error);
        c.referencedTable = nameOrFail(error);
        if (peek().isSymbol(u"("))
            c.referencedColumns = nameList(error);
        while (peek().isKeyword(u"ON")) {
            next();
            ReferentialAction* target = nullptr;
            if (acceptKeyword(u"UPDATE"))
                target = &c.onUpdate;
            else if (acceptKeyword(u"DELETE"))
                target = &c.onDelete;
            else
                fail(error, peek().position);
            if (acceptKeyword(u"CASCADE")) {
                *target = ReferentialAction::Cascade;
            } else if (acceptKeyword(u"SET")) {
                expectKeyword(u"NULL", error);
                *target = ReferentialAction::SetNull;
            } else if (acceptKeyword(u"NO")) {
                expectKeyword(u"ACTION", error);
                *target = ReferentialAction::NoAction;
            } else {
                fail(error, peek().position);
            }
        }
    }

    const QString& m_text;
    QList<Token> m_tokens;
    qsizetype m_index = 0;
    int m_nesting = 0;
    int m_exprStart = 0;
};

} // namespace

QString joinNameParts(const QStringList& parts, const QString& separators)
{
    QString name = parts.value(0);
    for (qsizetype i = 1; i < parts.size(); ++i)
        name += separators.mid(i - 1, 1) + parts.at(i);
    return name;
}

Statement parseStatement(const QString& text)
{
    return Parser(text).statement();
}

} // namespace jet::sql
