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
// suite's library folder as seen from the program (../lib/<triplet>/quorvex from bin/, so
// that an installation below any prefix or root finds its own). Only the folders that exist,
// each once; with a test's folder set, that folder alone. A program in a build folder finds
// nothing of an installed suite.
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
