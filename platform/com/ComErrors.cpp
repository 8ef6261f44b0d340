// The texts of the creation errors.

#include "platform/com/ComErrors.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace com {

void raiseNoServer(const QString& progId, const QString& searchedFolder)
{
    throw vb::Error(kCannotCreateObject,
                    u"Cannot create object \"%1\": no library serves this class. It is not "
                    u"registered for the user (HKEY_CURRENT_USER\\Software\\Classes\\%1) and no "
                    u"library in %2 lists it. Install or register the library (comreg)."_s.arg(
                        progId, QDir::toNativeSeparators(searchedFolder)),
                    kErrorSource);
}

void raiseLoadFailure(const QString& progId, const QString& file, const QString& reason)
{
    throw vb::Error(kCannotCreateObject,
                    u"Cannot create object \"%1\": the library %2 could not be loaded (%3)."_s.arg(
                        progId, QDir::toNativeSeparators(file), reason),
                    kErrorSource);
}

void raiseNotServed(const QString& progId, const QString& file)
{
    throw vb::Error(kCannotCreateObject,
                    u"Cannot create object \"%1\": the library %2 does not offer this class. "
                    u"Register the library that serves it (comreg)."_s.arg(
                        progId, QDir::toNativeSeparators(file)),
                    kErrorSource);
}

void raiseNoInterface(const QString& progId, const char* interfaceId)
{
    throw vb::Error(kInterfaceNotSupported,
                    u"The object \"%1\" does not support the interface %2."_s.arg(
                        progId, QString::fromLatin1(interfaceId)),
                    kErrorSource);
}

} // namespace com
