// The program folder and its override.

#include "platform/com/ProgramFolder.h"

#include <QCoreApplication>

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

ScopedProgramFolder::ScopedProgramFolder(const QString& folder) : m_previous(overrideFolder())
{
    overrideFolder() = folder;
}

ScopedProgramFolder::~ScopedProgramFolder()
{
    overrideFolder() = m_previous;
}

} // namespace com
