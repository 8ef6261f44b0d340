#pragma once

// The program folder, where libraries are looked for after the per-user registrations: the
// folder of the running program, unless a test has set another for its scope.

#include <QString>

namespace com {

QString programFolder();

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
