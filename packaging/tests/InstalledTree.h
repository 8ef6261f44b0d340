#pragma once

// A scratch root holding the suite as `cmake --install` lays it out (DESTDIR), made once per
// test program, and the programs run from it with an environment of their own.

#include "platform/shell/tests/ProgramRun.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace install::test {

struct Program
{
    QString name;
    QString folder; // below the prefix: "bin" or the private folder
};

using ProgramRun = shell::testing::ProgramRun;

class InstalledTree
{
public:
    // Installs the build tree; `problem` says why it could not.
    InstalledTree();

    bool ready() const { return m_problem.isEmpty(); }
    const QString& problem() const { return m_problem; }

    // <root><prefix>/`relative`
    QString path(const QString& relative) const;
    QString programPath(const Program& program) const;
    // A folder of the scratch space for the test's own files (home, registry, output).
    QString scratch(const QString& relative) const;

    // Runs an installed program without any library path from the environment, a home,
    // data and configuration folders and a registry store inside the scratch space.
    ProgramRun run(const QString& program, const QStringList& arguments,
                   int timeoutMs = 120000) const;

    static QList<Program> programs();
    static QStringList desktopIds();

private:
    QTemporaryDir m_root;
    QString m_problem;
    QProcessEnvironment m_environment;
};

// Runs a tool of the machine (lint programs, readers); `finished` false when it is missing.
ProgramRun runTool(const QString& program, const QStringList& arguments);

} // namespace install::test
