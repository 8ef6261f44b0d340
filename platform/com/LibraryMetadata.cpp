// Reading a plugin's metadata without loading it.

#include "platform/com/LibraryMetadata.h"

#include "platform/com/ClassFactory.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

using namespace Qt::StringLiterals;

namespace com {

LibraryMetadata readLibraryMetadata(const QString& libraryFile)
{
    LibraryMetadata result;
    QPluginLoader loader(libraryFile);
    const QJsonObject metadata = loader.metaData();
    if (metadata.isEmpty()) {
        result.problem = loader.errorString();
        return result;
    }
    if (metadata.value(u"IID"_s).toString() != QLatin1String(QV_COM_CLASS_FACTORY_IID)) {
        result.problem = u"its plugin interface is %1, not %2"_s.arg(
            metadata.value(u"IID"_s).toString(), QLatin1String(QV_COM_CLASS_FACTORY_IID));
        return result;
    }
    const QJsonArray progIds =
        metadata.value(u"MetaData"_s).toObject().value(u"ProgIDs"_s).toArray();
    for (const QJsonValue& progId : progIds)
        if (!progId.toString().isEmpty())
            result.progIds << progId.toString();
    if (result.progIds.isEmpty()) {
        result.problem = u"its metadata lists no ProgIDs"_s;
        return result;
    }
    result.isComponent = true;
    return result;
}

bool listsProgId(const QStringList& progIds, const QString& progId)
{
    return progIds.contains(progId, Qt::CaseInsensitive);
}

} // namespace com
