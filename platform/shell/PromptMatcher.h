#pragma once

// How a scripted answer recognises its message box: by the whole prompt, a part of it, or a
// regular expression searched in it.

#include <QRegularExpression>
#include <QString>

namespace shell {

class PromptMatcher
{
public:
    static PromptMatcher exactly(const QString& prompt);
    static PromptMatcher containing(const QString& part);
    // Throws std::invalid_argument for a pattern that does not compile, so a mistyped script
    // fails where it is written.
    static PromptMatcher matching(const QString& pattern);

    bool matches(const QString& prompt) const;
    // For failure reports: `containing "cancel the backup"`.
    QString describe() const;

private:
    enum class Kind
    {
        Exact,
        Contains,
        Regex
    };
    PromptMatcher(Kind kind, const QString& text);

    Kind m_kind;
    QString m_text;
    QRegularExpression m_regex;
};

} // namespace shell
