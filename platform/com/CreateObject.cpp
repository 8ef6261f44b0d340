// CreateObject: the process's own classes, then the user's registrations, then the program
// folder and the suite's library folder.

#include "platform/com/CreateObject.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/LibraryMetadata.h"
#include "platform/com/ProgramFolder.h"
#include "platform/com/ServerRegistration.h"

#include <QDir>
#include <QLibrary>
#include <QPluginLoader>

namespace com {

namespace {

std::unique_ptr<QObject> createFromLibrary(const QString& progId, const QString& file)
{
    QPluginLoader loader(file);
    QObject* root = loader.instance();
    if (!root)
        raiseLoadFailure(progId, file, loader.errorString());
    ClassFactory* factory = qobject_cast<ClassFactory*>(root);
    if (!factory || !listsProgId(factory->progIds(), progId))
        raiseNotServed(progId, file);
    std::unique_ptr<QObject> object = factory->create(progId);
    if (!object)
        raiseNotServed(progId, file);
    return object;
}

QString programFolderServer(const QString& progId, const QString& folder)
{
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!QLibrary::isLibrary(file.fileName()))
            continue;
        const LibraryMetadata metadata = readLibraryMetadata(file.absoluteFilePath());
        if (metadata.isComponent && listsProgId(metadata.progIds, progId))
            return file.absoluteFilePath();
    }
    return {};
}

} // namespace

std::unique_ptr<QObject> createObject(const QString& progId)
{
    if (const ObjectMaker maker = registeredClassObject(progId)) {
        if (std::unique_ptr<QObject> object = maker())
            return object;
        raiseNotServed(progId, QStringLiteral("(the running program)"));
    }
    const QString registered = registeredServer(progId);
    if (!registered.isEmpty())
        return createFromLibrary(progId, registered);
    const QStringList folders = componentFolders();
    for (const QString& folder : folders) {
        const QString found = programFolderServer(progId, folder);
        if (!found.isEmpty())
            return createFromLibrary(progId, found);
    }
    raiseNoServer(progId, folders.join(QStringLiteral(", ")));
}

} // namespace com
