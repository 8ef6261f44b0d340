// The process's own class registrations, newest first.

#include "platform/com/ClassObjects.h"

#include <algorithm>
#include <vector>

namespace com {

namespace {

struct Entry
{
    quint64 cookie;
    QString progId;
    ObjectMaker maker;
};

std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}

quint64 nextCookie()
{
    static quint64 cookie = 0;
    return ++cookie;
}

} // namespace

ClassObjectRegistration::ClassObjectRegistration(QString progId, ObjectMaker maker)
    : m_cookie(nextCookie())
{
    entries().push_back({m_cookie, std::move(progId), std::move(maker)});
}

ClassObjectRegistration::~ClassObjectRegistration()
{
    std::erase_if(entries(), [this](const Entry& entry) { return entry.cookie == m_cookie; });
}

ObjectMaker registeredClassObject(const QString& progId)
{
    const std::vector<Entry>& list = entries();
    const auto found = std::find_if(list.rbegin(), list.rend(), [&progId](const Entry& entry) {
        return entry.progId.compare(progId, Qt::CaseInsensitive) == 0;
    });
    return found == list.rend() ? ObjectMaker() : found->maker;
}

} // namespace com
