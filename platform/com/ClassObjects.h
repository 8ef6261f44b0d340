#pragma once

// Classes a running program serves itself, for its own run only (Windows' CoRegisterClassObject):
// while a registration lives, creating its ProgID in this process gives the program's object,
// ahead of the per-user registrations and the program folder. Nothing is written to the
// registry, so a run that ends, however it ends, leaves the user's registrations as they were.

#include <functional>
#include <memory>
#include <QObject>
#include <QString>

namespace com {

using ObjectMaker = std::function<std::unique_ptr<QObject>()>;

class ClassObjectRegistration
{
public:
    ClassObjectRegistration(QString progId, ObjectMaker maker);
    // Revokes it; an earlier registration of the same ProgID applies again.
    ~ClassObjectRegistration();
    ClassObjectRegistration(const ClassObjectRegistration&) = delete;
    ClassObjectRegistration& operator=(const ClassObjectRegistration&) = delete;

private:
    quint64 m_cookie = 0;
};

// The newest registration's maker for `progId` (case-insensitive), or an empty function.
ObjectMaker registeredClassObject(const QString& progId);

} // namespace com
