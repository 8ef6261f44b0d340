// The user's name from the preferences.

#include "host/UserTexts.h"

#include "platform/jet/Connection.h"
#include "platform/vb/Error.h"

using namespace Qt::StringLiterals;

namespace host {

UserTexts::UserTexts(jet::Connection& settingsDatabase, QObject* parent)
    : QObject(parent), m_settings(settingsDatabase)
{
    setObjectName(u"userTexts"_s);
}

QString UserTexts::Item(qint16 index) const
{
    if (index != kUserName)
        throw vb::Error(vb::ErrorNumber::SubscriptOutOfRange,
                        u"There is no host text number %1"_s.arg(index), u"userTexts"_s);
    jet::ResultSet rows = m_settings.execute(u"SELECT UserName FROM tblPreferences"_s);
    const QString name =
        rows.eof() || rows.value(0).isNull() ? QString() : rows.value(0).toString();
    rows.close();
    return name;
}

} // namespace host
