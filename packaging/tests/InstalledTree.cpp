// Installing the build tree into a scratch root and running programs from it.

#include "packaging/tests/InstalledTree.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace install::test {

InstalledTree::InstalledTree()
{
    if (!m_root.isValid()) {
        m_problem = u"no temporary folder: "_s + m_root.errorString();
        return;
    }
    const QString cmake = QStandardPaths::findExecutable(u"cmake"_s);
    if (cmake.isEmpty()) {
        m_problem = u"cmake is not on the PATH"_s;
        return;
    }
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DESTDIR"_s, m_root.filePath(u"root"_s));
    install.setProcessEnvironment(environment);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(cmake, {u"--install"_s, QStringLiteral(QV_BUILD_TREE)});
    const ProgramRun done = shell::testing::finishProgram(install, 600000);
    if (!done.finished || done.exitCode != 0) {
        m_problem = u"cmake --install failed: "_s + done.out + done.err;
        return;
    }
    for (const QString& folder : {u"home"_s, u"data"_s, u"config"_s, u"out"_s})
        QDir().mkpath(scratch(folder));
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.remove(u"LD_LIBRARY_PATH"_s);
    m_environment.remove(u"QT_PLUGIN_PATH"_s);
    m_environment.insert(u"HOME"_s, scratch(u"home"_s));
    m_environment.insert(u"XDG_DATA_HOME"_s, scratch(u"data"_s));
    m_environment.insert(u"XDG_CONFIG_HOME"_s, scratch(u"config"_s));
    m_environment.insert(u"QUORVEX_REGISTRY"_s, scratch(u"config/registry.db"_s));
    m_environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
}

QString InstalledTree::path(const QString& relative) const
{
    return m_root.filePath(u"root"_s) + QStringLiteral(QV_INSTALL_PREFIX) + u'/' + relative;
}

QString InstalledTree::programPath(const Program& program) const
{
    return path(program.folder + u'/' + program.name);
}

QString InstalledTree::scratch(const QString& relative) const
{
    return m_root.filePath(u"scratch/"_s + relative);
}

ProgramRun InstalledTree::run(const QString& program, const QStringList& arguments,
                              int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(scratch(u"home"_s));
    process.start(program, arguments);
    return shell::testing::finishProgram(process, timeoutMs);
}

QList<Program> InstalledTree::programs()
{
    QList<Program> programs;
    for (const QString& entry :
         QStringLiteral(QV_INSTALLED_PROGRAMS).split(u',', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(u':');
        programs.append({entry.left(colon), entry.mid(colon + 1)});
    }
    return programs;
}

QStringList InstalledTree::desktopIds()
{
    return QStringLiteral(QV_DESKTOP_IDS).split(u',', Qt::SkipEmptyParts);
}

ProgramRun runTool(const QString& program, const QStringList& arguments)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return {};
    return shell::testing::runProgram(found, arguments);
}

} // namespace install::test
