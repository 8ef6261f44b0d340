#include "ConnectionString.h"

#include "Error.h"

namespace jet {

namespace {

bool sameKeyword(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Reads a quoted value starting at text[pos] (the quote); leaves pos after the closing quote.
QString readQuoted(const QString& text, qsizetype& pos)
{
    const QChar quote = text.at(pos);
    QString value;
    ++pos;
    while (pos < text.size()) {
        const QChar c = text.at(pos);
        if (c == quote) {
            if (pos + 1 < text.size() && text.at(pos + 1) == quote) {
                value += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return value;
        }
        value += c;
        ++pos;
    }
    throw Error::invalidArgument(
        QStringLiteral("The connection string has an unterminated quoted value."));
}

bool needsQuotes(const QString& value)
{
    return value.contains(QLatin1Char(';')) || value.startsWith(QLatin1Char('"')) ||
           value.startsWith(QLatin1Char('\'')) || value != value.trimmed();
}

} // namespace

ConnectionString ConnectionString::parse(const QString& text)
{
    ConnectionString result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype equals = text.indexOf(QLatin1Char('='), pos);
        const qsizetype semicolon = text.indexOf(QLatin1Char(';'), pos);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            const qsizetype end = semicolon < 0 ? text.size() : semicolon;
            if (!text.mid(pos, end - pos).trimmed().isEmpty()) {
                throw Error::invalidArgument(
                    QStringLiteral("The connection string part '%1' has no '='.")
                        .arg(text.mid(pos, end - pos).trimmed()));
            }
            pos = end + 1;
            continue;
        }
        const QString keyword = text.mid(pos, equals - pos).trimmed();
        pos = equals + 1;
        while (pos < text.size() && text.at(pos).isSpace()) {
            ++pos;
        }
        QString value;
        if (pos < text.size() &&
            (text.at(pos) == QLatin1Char('"') || text.at(pos) == QLatin1Char('\''))) {
            value = readQuoted(text, pos);
            while (pos < text.size() && text.at(pos).isSpace()) {
                ++pos;
            }
            if (pos < text.size() && text.at(pos) != QLatin1Char(';')) {
                throw Error::invalidArgument(
                    QStringLiteral("The connection string has text after the quoted value of '%1'.")
                        .arg(keyword));
            }
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), pos);
            value = text.mid(pos, (end < 0 ? text.size() : end) - pos).trimmed();
            pos = end < 0 ? text.size() : end;
        }
        ++pos; // the ';'
        if (keyword.isEmpty()) {
            throw Error::invalidArgument(
                QStringLiteral("The connection string has a value without a keyword."));
        }
        result.setValue(keyword, value);
    }
    return result;
}

QString ConnectionString::value(const QString& keyword) const
{
    for (const auto& [key, value] : m_entries) {
        if (sameKeyword(key, keyword)) {
            return value;
        }
    }
    return {};
}

bool ConnectionString::has(const QString& keyword) const
{
    for (const auto& entry : m_entries) {
        if (sameKeyword(entry.first, keyword)) {
            return true;
        }
    }
    return false;
}

void ConnectionString::setValue(const QString& keyword, const QString& value)
{
    for (auto& entry : m_entries) {
        if (sameKeyword(entry.first, keyword)) {
            entry.second = value;
            return;
        }
    }
    m_entries.append({keyword, value});
}

bool ConnectionString::isJetProvider() const
{
    return provider().compare(jetProvider, Qt::CaseInsensitive) == 0;
}

QString ConnectionString::toString() const
{
    QString text;
    for (const auto& [key, value] : m_entries) {
        if (!text.isEmpty()) {
            text += QLatin1Char(';');
        }
        text += key + QLatin1Char('=');
        if (needsQuotes(value)) {
            QString quoted = value;
            quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            text += QLatin1Char('"') + quoted + QLatin1Char('"');
        } else {
            text += value;
        }
    }
    return text;
}

} // namespace jet
