#include "StatementSplitter.h"

namespace jet {

void StatementSplitter::add(const QString& text)
{
    for (const QChar c : text) {
        if (m_inComment) {
            if (c == u'\n') {
                m_inComment = false;
            }
            continue;
        }
        if (!m_quote.isNull()) {
            m_current += c;
            const QChar closing = m_quote == u'[' ? QChar(u']') : m_quote;
            if (c == closing) {
                m_quote = QChar();
            }
            continue;
        }
        if (c == u'-' && m_current.trimmed() == QLatin1String("-")) {
            m_current.clear();
            m_inComment = true;
            continue;
        }
        if (c == u';' && m_depth == 0) {
            if (!m_current.trimmed().isEmpty()) {
                m_statements.append(m_current.trimmed());
            }
            m_current.clear();
            continue;
        }
        if (c == u'"' || c == u'\'' || c == u'[' || c == u'#') {
            m_quote = c;
        } else if (c == u'(') {
            ++m_depth;
        } else if (c == u')' && m_depth > 0) {
            --m_depth;
        }
        m_current += c;
    }
}

QStringList StatementSplitter::takeStatements()
{
    return std::exchange(m_statements, {});
}

QStringList StatementSplitter::split(const QString& script)
{
    StatementSplitter splitter;
    splitter.add(script);
    QStringList statements = splitter.takeStatements();
    if (!splitter.pending().isEmpty()) {
        statements.append(splitter.pending());
    }
    return statements;
}

} // namespace jet
