// Per-user class registrations in the registry store, and the ProgIDs of a library's metadata.

#include "platform/com/ServerRegistration.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ComErrors.h"
#include "platform/com/LibraryMetadata.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace com {

namespace {

const QString kClassesKey = u"Software\\Classes"_s;
const QString kServerSubKey = u"InprocServer32"_s;

[[noreturn]] void raiseRegistryFailure(const QString& what, const QString& file,
                                       const QString& progId)
{
    throw vb::Error(kRegistrationFailed,
                    u"%1 %2 for %3 failed: %4"_s.arg(what, progId, QDir::toNativeSeparators(file),
                                                     reg::lastErrorText()),
                    kErrorSource);
}

void writeServer(const QString& progId, const QString& file)
{
    reg::Hkey key = 0;
    if (reg::createKeyEx(reg::HKEY_CURRENT_USER, serverKeyPath(progId), reg::KEY_ALL_ACCESS,
                         &key) != reg::ERROR_SUCCESS)
        raiseRegistryFailure(u"Registering"_s, file, progId);
    QByteArray data = file.toUtf8();
    data.append('\0');
    const reg::Status status = reg::setValueEx(
        key, QString(), reg::REG_SZ, reinterpret_cast<const std::uint8_t*>(data.constData()),
        static_cast<std::uint32_t>(data.size()));
    reg::closeKey(key);
    if (status != reg::ERROR_SUCCESS)
        raiseRegistryFailure(u"Registering"_s, file, progId);
}

bool sameFile(const QString& a, const QString& b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

QString serverKeyPath(const QString& progId)
{
    return kClassesKey + u'\\' + progId + u'\\' + kServerSubKey;
}

QString registeredServer(const QString& progId)
{
    reg::Hkey key = 0;
    if (reg::openKeyEx(reg::HKEY_CURRENT_USER, serverKeyPath(progId), reg::KEY_QUERY_VALUE, &key) !=
        reg::ERROR_SUCCESS)
        return {};
    reg::ValueType type = reg::REG_NONE;
    std::uint32_t size = 0;
    QByteArray data;
    if (reg::queryValueEx(key, QString(), &type, nullptr, &size) == reg::ERROR_SUCCESS &&
        (type == reg::REG_SZ || type == reg::REG_EXPAND_SZ)) {
        data.resize(size);
        if (reg::queryValueEx(key, QString(), &type, reinterpret_cast<std::uint8_t*>(data.data()),
                              &size) != reg::ERROR_SUCCESS)
            data.clear();
    }
    reg::closeKey(key);
    QString file = QString::fromUtf8(data.constData(), qstrnlen(data.constData(), data.size()));
    return type == reg::REG_EXPAND_SZ ? reg::expandEnvironmentStrings(file) : file;
}

QStringList libraryProgIds(const QString& libraryFile)
{
    const LibraryMetadata metadata = readLibraryMetadata(libraryFile);
    if (!metadata.isComponent)
        throw vb::Error(kRegistrationFailed,
                        u"%1 is not a component library: %2"_s.arg(
                            QDir::toNativeSeparators(libraryFile), metadata.problem),
                        kErrorSource);
    return metadata.progIds;
}

QStringList registerServer(const QString& libraryFile)
{
    const QString file = QFileInfo(libraryFile).absoluteFilePath();
    const QStringList progIds = libraryProgIds(file);
    for (const QString& progId : progIds)
        writeServer(progId, file);
    return progIds;
}

QStringList unregisterServer(const QString& libraryFile)
{
    const QString file = QFileInfo(libraryFile).absoluteFilePath();
    QStringList removed;
    for (const QString& progId : libraryProgIds(file)) {
        if (!sameFile(registeredServer(progId), file))
            continue;
        if (reg::deleteTree(reg::HKEY_CURRENT_USER, kClassesKey + u'\\' + progId) !=
            reg::ERROR_SUCCESS)
            raiseRegistryFailure(u"Unregistering"_s, file, progId);
        removed << progId;
    }
    return removed;
}

} // namespace com
