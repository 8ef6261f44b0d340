#include "SortOrder.h"

#include "jet/Error.h"

#include <QStringList>

namespace jet::detail {

namespace {

Error badSort(const QString& text, const QString& what)
{
    return Error::invalidArgument(QStringLiteral("Sort \"%1\": %2").arg(text, what),
                                  recordsetSource);
}

SortKey parseKey(const QString& text, QString part)
{
    part = part.trimmed();
    SortKey key;
    const auto endsWithWord = [&part](QLatin1String word) {
        return part.size() > word.size() && part.endsWith(word, Qt::CaseInsensitive) &&
               part.at(part.size() - word.size() - 1).isSpace();
    };
    if (endsWithWord(QLatin1String("DESC"))) {
        key.descending = true;
        part.chop(4);
    } else if (endsWithWord(QLatin1String("ASC"))) {
        part.chop(3);
    }
    part = part.trimmed();
    if (part.startsWith(u'[') && part.endsWith(u']') && part.size() >= 2) {
        part = part.mid(1, part.size() - 2);
    }
    if (part.isEmpty() || part.contains(u'[') || part.contains(u']')) {
        throw badSort(text, QStringLiteral("a field name is missing or malformed"));
    }
    key.field = part;
    return key;
}

} // namespace

QList<SortKey> parseSortOrder(const QString& text)
{
    QList<SortKey> keys;
    if (text.trimmed().isEmpty()) {
        return keys;
    }
    for (const QString& part : text.split(u',')) {
        keys.append(parseKey(text, part));
    }
    return keys;
}

} // namespace jet::detail
