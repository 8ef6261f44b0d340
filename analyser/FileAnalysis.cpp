#include "FileAnalysis.h"

#include "clsADOHelper.h"
#include "common/cRegistry.h"
#include "FileTreeSection.h"
#include "platform/shell/MsgBox.h"
#include "RegistryExport.h"
#include "ReportFile.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace analyser {

namespace {

constexpr int kExitFailure = 1;

void printError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

FileAnalysis::FileAnalysis(AnalyserOptions options) : m_options(std::move(options))
{
    if (m_options.ownFolder.isEmpty() && QCoreApplication::instance() != nullptr)
        m_options.ownFolder = QCoreApplication::applicationDirPath();
    findProgramFolder();
}

QString FileAnalysis::reportPath() const
{
    return m_programFolder + QLatin1String("Tools/FileAnalysis.txt");
}

QString FileAnalysis::exportPath() const
{
    return m_programFolder + QLatin1String("Tools/QuorvexRegExport.reg");
}

QString FileAnalysis::markerPath() const
{
    return m_programFolder + QLatin1String("Tools/waiting.txt");
}

QString FileAnalysis::olderExportNote(const QDateTime& written)
{
    return QStringLiteral("(The registry editor did not finish this run's export in time; the "
                          "entries below are an older export, written %1.)")
        .arg(written.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

QString FileAnalysis::engineMissingMessage()
{
    return QStringLiteral("You don't have the Microsoft JET Database Engine installed.\r\n"
                          "Please download and install it from\r\n"
                          "https://www.sqlite.org/download.html\r\n\r\n"
                          "Quorvex will now terminate.");
}

void FileAnalysis::findProgramFolder()
{
    cRegistry registry;
    QString folder =
        registry.GetPrivateRegistryString(reg::HKEY_CURRENT_USER, QStringLiteral("Application"),
                                          QStringLiteral("FullPath"), kRegistryNotFound);
    m_fromRegistry = folder != kRegistryNotFound;
    if (!m_fromRegistry)
        folder = QDir::cleanPath(m_options.ownFolder + QLatin1String("/.."));
    // One separator at the end, however the value was written.
    while (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    m_programFolder = folder + QLatin1Char('/');
}

void FileAnalysis::writeRegistrySection(ReportFile& report)
{
    const QString exportFile = exportPath();
    const FileStamp before = FileStamp::of(exportFile);
    const QString editor =
        findRegistryEditor(m_programFolder + QLatin1String("Tools"), m_options.ownFolder);
    const bool exportedNow = startRegistryExport(editor, exportFile) &&
                             waitForNewExport(exportFile, before, m_options.exportWait);

    report.writeLine(QString());
    report.writeLine(kStars);
    report.writeLine(kRegistryTitle);
    report.writeLine(kStars);

    QFile file(exportFile);
    if (!file.open(QIODevice::ReadOnly)) {
        report.writeLine(kCouldNotExport);
        return;
    }
    // What is there was not written by this run: say so, so that support does not take an
    // older state of the registry for the current one.
    if (!exportedNow)
        report.writeLine(olderExportNote(QFileInfo(exportFile).lastModified()));
    for (const QString& line : exportLines(file.readAll()))
        report.writeLine(withPasswordsHidden(line));
}

FileAnalysis::Result FileAnalysis::run()
{
    m_stopRequested = false;
    m_failure.clear();
    ReportFile report;
    if (!report.open(reportPath())) {
        m_failure = QStringLiteral("The report file %1 could not be written: %2. Check that the "
                                   "Quorvex program folder (registry value Application\\FullPath) "
                                   "has a Tools folder you may write to.")
                        .arg(QDir::toNativeSeparators(reportPath()), report.error());
        return Result::ReportNotWritten;
    }
    report.setLineHook(m_options.afterLine);
    if (!m_fromRegistry)
        report.writeLine(kAppPathNotFound);
    report.writeLine(QLatin1String("Using \"") + m_programFolder + QLatin1String("\" as AppPath"));
    writeRegistrySection(report);
    report.writeLine(QString());
    report.writeLine(kStars);
    report.writeLine(kFileTreeTitle);
    report.writeLine(kStars);

    const clsADOHelper helper(m_options.provider);
    FileTreeSection tree(report, helper, m_options.folderReader);
    tree.setStopCheck([this] { return m_stopRequested; });
    Result result = Result::Done;
    try {
        if (!tree.write(QFile::encodeName(m_programFolder)))
            result = Result::Stopped;
    } catch (const DatabaseEngineMissing&) {
        result = Result::EngineMissing;
    }
    if (!report.close() && result == Result::Done) {
        m_failure = QStringLiteral("The report file %1 could not be written completely: %2. "
                                   "Free some disk space and run the analysis again.")
                        .arg(QDir::toNativeSeparators(reportPath()), report.error());
        result = Result::ReportNotWritten;
    }
    if (result == Result::EngineMissing && !m_options.silent)
        shell::msgBox(engineMissingMessage(), shell::vbCritical, kCaption);
    return result;
}

int runSilent(AnalyserOptions options)
{
    options.silent = true;
    FileAnalysis analysis(std::move(options));
    const FileAnalysis::Result result = analysis.run();
    // The report is closed by now: the caller may read it as soon as the marker is gone.
    QFile::remove(analysis.markerPath());
    switch (result) {
    case FileAnalysis::Result::Done:
        return 0;
    case FileAnalysis::Result::EngineMissing:
        printError(FileAnalysis::engineMissingMessage());
        return kExitFailure;
    case FileAnalysis::Result::ReportNotWritten:
        printError(analysis.failure());
        return kExitFailure;
    case FileAnalysis::Result::Stopped:
        break;
    }
    return kExitFailure;
}

} // namespace analyser
