#pragma once

// What a library file says about itself before it is loaded: whether it is a component library
// (a Qt plugin with the class factory's IID) and the ProgIDs its metadata lists.

#include <QString>
#include <QStringList>

namespace com {

struct LibraryMetadata
{
    bool isComponent = false;
    QStringList progIds;
    QString problem; // why it is not a component library
};

LibraryMetadata readLibraryMetadata(const QString& libraryFile);

// True when `progIds` holds `progId`, compared without regard to case.
bool listsProgId(const QStringList& progIds, const QString& progId);

} // namespace com
