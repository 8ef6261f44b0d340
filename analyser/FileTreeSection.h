#pragma once

// The file tree section of the report: one line per file of the program folder tree,
// "relative path;size;created;modified;archive[;file version][;database version]", files of a
// folder before its sub-folders. Names beginning with "." are skipped, as are devices, pipes
// and sockets. Links to folders are listed but not followed; a folder that cannot be read is
// reported and the walk goes on.

#include "FolderListing.h"

#include <functional>
#include <QByteArray>
#include <QString>

class clsADOHelper;

namespace analyser {

class ReportFile;

inline const QString kLinkNotFollowed = QStringLiteral("Link to a folder, not followed");
inline const QString kCannotReadFolder = QStringLiteral("Cannot read folder: ");

class FileTreeSection
{
public:
    FileTreeSection(ReportFile& report, const clsADOHelper& helper,
                    FolderReader reader = readFolder);

    // Asked after every line; true ends the walk early.
    void setStopCheck(std::function<bool()> stopRequested)
    {
        m_stopRequested = std::move(stopRequested);
    }

    // Writes the lines for everything below `programFolder` (native, ending with "/"). False
    // when the walk was stopped.
    bool write(const QByteArray& programFolder);

    // The line for one file (a native path below the program folder).
    QString fileLine(const QByteArray& path) const;

private:
    bool writeFolder(const QByteArray& folder);
    bool writeLine(const QString& line);
    QString relativeText(const QByteArray& path) const;

    ReportFile& m_report;
    const clsADOHelper& m_helper;
    FolderReader m_reader;
    std::function<bool()> m_stopRequested;
    QByteArray m_root;
};

} // namespace analyser
