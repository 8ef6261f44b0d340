#pragma once

// The program folder, where libraries are looked for after the per-user registrations: the
// folder of the running program, unless a test has set another for its scope. An installed
// suite keeps its libraries in a private folder beside the programs' (lib/<triplet>/quorvex
// below the prefix), which is searched next.

#include <QString>
#include <QStringList>

namespace com {

QString programFolder();

// The folders searched for component libraries, in order: the program folder, then the
// suite's library folder as seen from the program (a relocated installation), then where the
// package puts it (a program copied into an installation's Tools folder). Only the folders
// that exist, each once; with a test's folder set, that folder alone.
QStringList componentFolders();

// Makes `folder` the program folder for its lifetime (tests); nests.
class ScopedProgramFolder
{
public:
    explicit ScopedProgramFolder(const QString& folder);
    ~ScopedProgramFolder();
    ScopedProgramFolder(const ScopedProgramFolder&) = delete;
    ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

private:
    QString m_previous;
};

} // namespace com
