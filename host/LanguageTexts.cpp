// Reading tblLanguage and translating caption keys.

#include "host/LanguageTexts.h"

#include "common/DatabaseConnection.h"
#include "platform/jet/Connection.h"

using namespace Qt::StringLiterals;

namespace host {

namespace {

const QString kKeyPrefix = u"d_"_s;

QString entryName(const QString& section, const QString& key)
{
    return section + u'\n' + key;
}

} // namespace

LanguageTexts::LanguageTexts(const QString& languageDatabase)
{
    jet::Connection connection;
    connection.open(DatabaseHelpers::ProgramConnectionString(languageDatabase));
    jet::ResultSet rows =
        connection.execute(u"SELECT Section, TextKey, LanguageText FROM tblLanguage"_s);
    for (; !rows.eof(); rows.moveNext()) {
        if (rows.value(2).isNull())
            continue;
        m_texts.insert(entryName(rows.value(0).toString(), rows.value(1).toString()),
                       rows.value(2).toString());
    }
    rows.close();
    connection.close();
}

QString LanguageTexts::lookUp(const QString& section, const QString& key) const
{
    return m_texts.value(entryName(section, key));
}

QString LanguageTexts::translate(const QString& section, const QString& caption,
                                 const QString& separator) const
{
    if (!caption.startsWith(kKeyPrefix))
        return caption;
    if (const QString text = lookUp(section, caption); !text.isEmpty())
        return text;
    if (!separator.isEmpty() && caption.endsWith(separator)) {
        const QString bare = caption.chopped(separator.size());
        if (const QString text = lookUp(section, bare); !text.isEmpty())
            return text + separator;
    }
    return caption.mid(kKeyPrefix.size());
}

} // namespace host
