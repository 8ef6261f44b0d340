#pragma once

// One run of the analyser: finds the program folder, writes Tools/FileAnalysis.txt (the
// registry export, then the file tree) and, in silent mode, removes the marker file the
// caller waits on. The window (frmMain) and the silent program both drive this class.

#include "FolderListing.h"
#include "jet/ConnectionString.h"

#include <chrono>
#include <functional>
#include <QDateTime>
#include <QString>

namespace analyser {

inline const QString kCaption = QStringLiteral("Quorvex Kestrune");
inline const QString kRegistryNotFound = QStringLiteral("NOT FOUND");
inline const QString kAppPathNotFound = QStringLiteral("AppPath not found in registry");
inline const QString kCouldNotExport =
    QStringLiteral("Could not export the Quorvex registry entries");
inline const QString kStars = QStringLiteral("********************************");
inline const QString kRegistryTitle = QStringLiteral("*** QUORVEX REGISTRY ENTRIES ***");
inline const QString kFileTreeTitle = QStringLiteral("***    QUORVEX FILE TREE     ***");

struct AnalyserOptions
{
    bool silent = false;
    // The folder of the analyser program; its parent is the program folder when the registry
    // does not name one. Empty: the running program's folder.
    QString ownFolder;
    // How long the run waits for the registry editor to finish its export before it reports
    // what is there (an older export, marked as such, or none).
    std::chrono::milliseconds exportWait{3000};
    FolderReader folderReader = readFolder;
    // Only tests name another provider, to see the run without a database engine.
    QString provider = jet::ConnectionString::jetProvider;
    // Called after every report line (the window lets pending events run).
    std::function<void()> afterLine;
};

class FileAnalysis
{
public:
    enum class Result
    {
        Done,
        Stopped,         // stopped from outside (the window was closed)
        EngineMissing,   // the database engine is missing: the program ends at once
        ReportNotWritten // the report file could not be created or written
    };

    explicit FileAnalysis(AnalyserOptions options);

    // Writes the report; the report file is closed when this returns.
    Result run();
    // Asks a running run() to end after its current line.
    void requestStop() { m_stopRequested = true; }

    // "/inst/" : always ends with "/".
    QString programFolder() const { return m_programFolder; }
    QString reportPath() const;
    QString exportPath() const;
    QString markerPath() const;
    // What went wrong when run() gave ReportNotWritten.
    QString failure() const { return m_failure; }

    // The message for a missing database engine, as the user sees it.
    static QString engineMissingMessage();
    // The line before an export this run did not write (the editor did not finish in time).
    static QString olderExportNote(const QDateTime& written);

private:
    void findProgramFolder();
    void writeRegistrySection(class ReportFile& report);

    AnalyserOptions m_options;
    QString m_programFolder;
    bool m_fromRegistry = false;
    bool m_stopRequested = false;
    QString m_failure;
};

// The silent run: the report, then the marker file removed once the report is closed - also
// when the run failed, so a caller waiting on the marker is never left waiting. Shows nothing
// and never touches the clipboard. Returns the process exit status (0 when done).
int runSilent(AnalyserOptions options);

} // namespace analyser
