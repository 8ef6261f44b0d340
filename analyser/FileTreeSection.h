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
#include <vector>

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
    // The same for the file `name` of the folder open as `folderFd`.
    QString fileLine(int folderFd, const QByteArray& folder, const QByteArray& name) const;

private:
    bool writeFolder(const QByteArray& folder);
    // The folder's file lines; its folders are collected in `subFolders` for afterwards.
    bool writeFiles(const QByteArray& folder, const FolderListing& listing,
                    std::vector<const FolderEntry*>& subFolders);
    bool writeLine(const QString& line);
    QString relativeText(const QByteArray& path) const;

    ReportFile& m_report;
    const clsADOHelper& m_helper;
    FolderReader m_reader;
    std::function<bool()> m_stopRequested;
    QByteArray m_root;
};

} // namespace analyser
