#include "PromptMatcher.h"

#include <stdexcept>

namespace shell {

PromptMatcher::PromptMatcher(Kind kind, const QString& text) : m_kind(kind), m_text(text) {}

PromptMatcher PromptMatcher::exactly(const QString& prompt)
{
    return PromptMatcher(Kind::Exact, prompt);
}

PromptMatcher PromptMatcher::containing(const QString& part)
{
    return PromptMatcher(Kind::Contains, part);
}

PromptMatcher PromptMatcher::matching(const QString& pattern)
{
    PromptMatcher matcher(Kind::Regex, pattern);
    matcher.m_regex.setPattern(pattern);
    if (!matcher.m_regex.isValid())
        throw std::invalid_argument(QStringLiteral("invalid prompt pattern \"%1\": %2")
                                        .arg(pattern, matcher.m_regex.errorString())
                                        .toStdString());
    return matcher;
}

bool PromptMatcher::matches(const QString& prompt) const
{
    switch (m_kind) {
    case Kind::Exact:
        return prompt == m_text;
    case Kind::Contains:
        return prompt.contains(m_text);
    case Kind::Regex:
        return m_regex.match(prompt).hasMatch();
    }
    return false;
}

QString PromptMatcher::describe() const
{
    switch (m_kind) {
    case Kind::Exact:
        return QStringLiteral("exactly \"%1\"").arg(m_text);
    case Kind::Contains:
        return QStringLiteral("containing \"%1\"").arg(m_text);
    case Kind::Regex:
        return QStringLiteral("matching /%1/").arg(m_text);
    }
    return QString();
}

} // namespace shell
