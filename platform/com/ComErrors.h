#pragma once

// The errors of creating objects and registering libraries. Creation fails with VB's 429
// ("can't create object") and 430 (the object lacks the interface asked for); the texts name the
// ProgID and, where there is one, the library file, and say what to do.

#include "platform/vb/Error.h"

#include <QString>

namespace com {

inline constexpr int kCannotCreateObject = 429;
inline constexpr int kInterfaceNotSupported = 430;
// A library that cannot be registered or unregistered (not a component library, registry
// store not writable): the registration's HRESULT, REGDB_E_WRITEREGDB.
inline constexpr int kRegistrationFailed = static_cast<int>(0x80040151u);

inline const QString kErrorSource = QStringLiteral("com");

[[noreturn]] void raiseNoServer(const QString& progId, const QString& searchedFolder);
[[noreturn]] void raiseLoadFailure(const QString& progId, const QString& file,
                                   const QString& reason);
[[noreturn]] void raiseNotServed(const QString& progId, const QString& file);
[[noreturn]] void raiseNoInterface(const QString& progId, const char* interfaceId);

} // namespace com
