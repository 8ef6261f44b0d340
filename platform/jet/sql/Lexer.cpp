#include "Lexer.h"

#include "JetSql.h"

#include <cstdint>

namespace jet::sql {
namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

class Lexer
{
public:
    explicit Lexer(const QString& text) : m_text(text) {}

    QList<Token> run()
    {
        QList<Token> tokens;
        while (true) {
            skipSpace();
            if (m_pos >= m_text.size()) {
                tokens.append(Token{TokenKind::End, {}, int(m_pos), 0});
                return tokens;
            }
            tokens.append(next());
        }
    }

private:
    QChar at(qsizetype i) const { return i < m_text.size() ? m_text.at(i) : QChar(); }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    Token make(TokenKind kind, QString text, qsizetype start) const
    {
        return Token{kind, std::move(text), int(start), int(m_pos - start)};
    }

    Token next()
    {
        const qsizetype start = m_pos;
        const QChar c = m_text.at(m_pos);
        if (c == u'[')
            return delimited(u']', TokenKind::Bracket,
                             "Invalid bracketing of name '" + m_text.mid(start, 40) + "'.");
        if (c == u'"' || c == u'\'')
            return quoted(c);
        if (c == u'#')
            return delimited(u'#', TokenKind::Date,
                             "Syntax error in date in query expression '" + m_text.mid(start, 40) +
                                 "'.");
        if (c.isDigit() || (c == u'.' && at(m_pos + 1).isDigit()))
            return number();
        if (c == u'&' && (at(m_pos + 1) == u'H' || at(m_pos + 1) == u'h' || at(m_pos + 1) == u'O' ||
                          at(m_pos + 1) == u'o'))
            if (auto radix = radixNumber(); radix.kind != TokenKind::End)
                return radix;
        if (isWordStart(c))
            return word();
        return symbol();
    }

    // [name] and #date#: everything up to the closing character, no escapes.
    Token delimited(QChar close, TokenKind kind, const QString& error)
    {
        const qsizetype start = m_pos;
        const qsizetype end = m_text.indexOf(close, start + 1);
        if (end < 0)
            throw SqlSyntaxError(error, int(start));
        m_pos = end + 1;
        return make(kind, m_text.mid(start + 1, end - start - 1), start);
    }

    Token quoted(QChar quote)
    {
        const qsizetype start = m_pos;
        QString value;
        ++m_pos;
        while (true) {
            if (m_pos >= m_text.size())
                throw SqlSyntaxError("Syntax error in string in query expression '" +
                                         m_text.mid(start, 40) + "'.",
                                     int(start));
            const QChar c = m_text.at(m_pos++);
            if (c == quote) {
                if (at(m_pos) != quote)
                    break;
                ++m_pos; // a doubled quote stands for one
            }
            value.append(c);
        }
        return make(TokenKind::String, value, start);
    }

    Token number()
    {
        const qsizetype start = m_pos;
        while (at(m_pos).isDigit())
            ++m_pos;
        if (at(m_pos) == u'.') {
            ++m_pos;
            while (at(m_pos).isDigit())
                ++m_pos;
        }
        if ((at(m_pos) == u'E' || at(m_pos) == u'e') &&
            (at(m_pos + 1).isDigit() ||
             ((at(m_pos + 1) == u'+' || at(m_pos + 1) == u'-') && at(m_pos + 2).isDigit()))) {
            m_pos += 2;
            while (at(m_pos).isDigit())
                ++m_pos;
        }
        if (isWordChar(at(m_pos)))
            throw SqlSyntaxError("Syntax error (missing operator) in query expression '" +
                                     m_text.mid(start, 40) + "'.",
                                 int(m_pos));
        return make(TokenKind::Number, m_text.mid(start, m_pos - start), start);
    }

    // &H1F, &O17: VB's hexadecimal and octal literals. Up to 4 hex (6 octal) digits they
    // are 16-bit, up to 8 (11) 32-bit, both signed (&HFFFF is -1); longer ones overflow.
    // Anything that is no such literal is the & operator.
    Token radixNumber()
    {
        const qsizetype start = m_pos;
        const bool hex = at(m_pos + 1).toUpper() == u'H';
        const int maxDigits = hex ? 8 : 11;
        qsizetype p = m_pos + 2;
        std::uint64_t value = 0;
        int digits = 0;
        while (p < m_text.size()) {
            const char16_t up = m_text.at(p).toUpper().unicode();
            int digit = -1;
            if (up >= u'0' && up <= u'9')
                digit = up - u'0';
            else if (hex && up >= u'A' && up <= u'F')
                digit = 10 + (up - u'A');
            if (digit < 0 || (!hex && digit > 7))
                break;
            if (++digits > maxDigits)
                throw SqlSyntaxError(QStringLiteral("Overflow in the number '%1'.")
                                         .arg(m_text.mid(start, p - start + 1)),
                                     int(start));
            value = value * (hex ? 16 : 8) + std::uint64_t(digit);
            ++p;
        }
        if (digits == 0 || isWordChar(at(p)))
            return Token{};
        m_pos = p;
        const bool shortForm = digits <= (hex ? 4 : 6) && value <= 0xFFFF;
        if (!shortForm && value > 0xFFFFFFFFu)
            throw SqlSyntaxError(
                QStringLiteral("Overflow in the number '%1'.").arg(m_text.mid(start, p - start)),
                int(start));
        const qint64 signedValue = shortForm ? qint64(std::int16_t(std::uint16_t(value)))
                                             : qint64(std::int32_t(std::uint32_t(value)));
        return make(TokenKind::Number, QString::number(signedValue), start);
    }

    Token word()
    {
        const qsizetype start = m_pos;
        while (isWordChar(at(m_pos)))
            ++m_pos;
        if (at(m_pos) == u'$')
            ++m_pos; // Left$, Chr$: the string-typed forms of the functions
        return make(TokenKind::Word, m_text.mid(start, m_pos - start), start);
    }

    Token symbol()
    {
        const qsizetype start = m_pos;
        const QChar c = m_text.at(m_pos);
        static const QString twoChar[] = {QStringLiteral("<>"), QStringLiteral("<="),
                                          QStringLiteral(">=")};
        for (const QString& s : twoChar) {
            if (QStringView(m_text).mid(m_pos, 2) == s) {
                m_pos += 2;
                return make(TokenKind::Symbol, s, start);
            }
        }
        static const QString singles = QStringLiteral("(),.!;*+-/\\^&=<>?");
        if (!singles.contains(c))
            throw SqlSyntaxError(QString("Invalid character '%1' in query expression.").arg(c),
                                 int(start));
        ++m_pos;
        return make(TokenKind::Symbol, QString(c), start);
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

QList<Token> tokenize(const QString& text)
{
    return Lexer(text).run();
}

} // namespace jet::sql
