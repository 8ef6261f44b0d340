#pragma once

// Per-user class registrations, kept where Windows keeps them:
//   HKEY_CURRENT_USER\Software\Classes\<ProgID>\InprocServer32, default value (REG_SZ) = the
//   library file's full path.
// Registering a library writes that key for every ProgID its metadata lists; unregistering
// removes the <ProgID> key of each ProgID that is registered to that very file (a ProgID since
// taken over by another library is left alone).

#include <QString>
#include <QStringList>

namespace com {

// "Software\Classes\<progId>\InprocServer32"
QString serverKeyPath(const QString& progId);

// The library registered for `progId`, or an empty text.
QString registeredServer(const QString& progId);

// The ProgIDs a library's metadata lists, read without loading it. Raises vb::Error
// (kRegistrationFailed) naming the file when it is not a component library.
QStringList libraryProgIds(const QString& libraryFile);

// Raise vb::Error (kRegistrationFailed) naming the file, the ProgID and the registry's reason
// when a key cannot be written or removed. Return the ProgIDs registered or removed.
QStringList registerServer(const QString& libraryFile);
QStringList unregisterServer(const QString& libraryFile);

} // namespace com
