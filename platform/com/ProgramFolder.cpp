// The program folder and its override.

#include "platform/com/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace com {

namespace {

QString& overrideFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

QStringList componentFolders()
{
    if (!overrideFolder().isEmpty())
        return {overrideFolder()};
    QStringList folders;
    const QString program = programFolder();
    for (const QString& folder :
         {program, QDir(program).filePath(QStringLiteral(QV_COMPONENT_FOLDER_FROM_PROGRAMS))}) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty() && QFileInfo(canonical).isDir() && !folders.contains(canonical))
            folders << canonical;
    }
    if (folders.isEmpty())
        folders << program;
    return folders;
}

ScopedProgramFolder::ScopedProgramFolder(const QString& folder) : m_previous(overrideFolder())
{
    overrideFolder() = folder;
}

ScopedProgramFolder::~ScopedProgramFolder()
{
    overrideFolder() = m_previous;
}

} // namespace com
