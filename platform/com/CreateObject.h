#pragma once

// Creating an object by ProgID, as VB's CreateObject does. The class is looked for in order:
//   1. classes the running program registered for its own run (ClassObjects.h);
//   2. the user's class registrations (ServerRegistration.h): the library registered for the
//      ProgID, which must load and offer it;
//   3. the libraries in the program folder (ProgramFolder.h) whose metadata lists the ProgID.
// Failures raise vb::Error 429 whose text names the ProgID and the library file: no library
// serves the class, the library does not load (with the loader's reason), or the library does
// not offer the class. Loaded libraries stay loaded for the rest of the process.
//
// The object belongs to the caller. Its members are reached through the interfaces it
// implements (interfaceOf).

#include "platform/com/ComErrors.h"

#include <memory>
#include <QObject>
#include <QString>

namespace com {

std::unique_ptr<QObject> createObject(const QString& progId);

// The interface `Interface` (declared with Q_DECLARE_INTERFACE) of an object created for
// `progId`; raises vb::Error 430 naming the ProgID when the object does not implement it.
template <typename Interface>
Interface& interfaceOf(QObject& object, const QString& progId)
{
    Interface* found = qobject_cast<Interface*>(&object);
    if (!found)
        raiseNoInterface(progId, qobject_interface_iid<Interface*>());
    return *found;
}

} // namespace com
