#include "FileTreeSection.h"

#include "CFileInfo.h"
#include "CFileVersionInfo.h"
#include "DatabaseVersion.h"
#include "NativePath.h"
#include "ReportFile.h"

#include <fcntl.h>
#include <QScopeGuard>
#include <unistd.h>

namespace analyser {

namespace {

bool isHidden(const QByteArray& name)
{
    return name.startsWith('.');
}

} // namespace

FileTreeSection::FileTreeSection(ReportFile& report, const clsADOHelper& helper,
                                 FolderReader reader)
    : m_report(report), m_helper(helper), m_reader(std::move(reader))
{
}

bool FileTreeSection::write(const QByteArray& programFolder)
{
    m_root = programFolder;
    return writeFolder(programFolder);
}

QString FileTreeSection::relativeText(const QByteArray& path) const
{
    // Cut by bytes before upper-casing: upper case may change a name's length ("ß" -> "SS").
    return reportText(QByteArrayView(path).sliced(m_root.size()), true);
}

QString FileTreeSection::fileLine(const QByteArray& path) const
{
    const qsizetype slash = path.lastIndexOf('/');
    return fileLine(AT_FDCWD, path.first(slash + 1), path.sliced(slash + 1));
}

QString FileTreeSection::fileLine(int folderFd, const QByteArray& folder,
                                  const QByteArray& name) const
{
    // Each file is opened once, by its name in the open folder, and both its facts and its
    // version come from that; a link (or a file that cannot be read) is described by name.
    const QByteArray path = folder + name;
    CFileInfo info;
    CFileVersionInfo version;
    const int fd = folderFd == AT_FDCWD
                       ? -1
                       : openat(folderFd, name.constData(),
                                O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    if (fd >= 0) {
        info.setOpenFile(fd, path);
        version.setOpenFile(fd, path);
        close(fd);
    } else if (folderFd != AT_FDCWD) {
        info.setNativePathAt(folderFd, folder, name);
        version.setNativePathAt(folderFd, folder, name);
    } else {
        info.setNativePath(path);
        version.setNativePath(path);
    }
    const QString relative = relativeText(path);
    QString line = relative;
    line += QLatin1Char(';') + CFileInfo::FormatFileSize(info.FileSize());
    line += QLatin1Char(';') + CFileInfo::FormatFileDate(info.CreationTime());
    line += QLatin1Char(';') + CFileInfo::FormatFileDate(info.ModifyTime());
    line += info.attrArchive() ? QLatin1String(";1") : QLatin1String(";0");

    if (version.Available())
        line += QLatin1Char(';') + version.FileVersion();

    // The endings are checked on the relative path: the program folder ends with "/", so a
    // name's ending never reaches into it.
    if (isDatabaseFile(relative))
        line += QLatin1Char(';') + databaseVersionText(pathText(path), m_helper);
    return line;
}

bool FileTreeSection::writeLine(const QString& line)
{
    m_report.writeLine(line);
    return !(m_stopRequested && m_stopRequested());
}

bool FileTreeSection::writeFiles(const QByteArray& folder, const FolderListing& listing,
                                 std::vector<const FolderEntry*>& subFolders)
{
    // The folder stays open while its files are described, so each is found by its name alone.
    const int folderFd = open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const auto closeFolder = qScopeGuard([folderFd] {
        if (folderFd >= 0)
            close(folderFd);
    });
    for (const FolderEntry& entry : listing.entries) {
        if (isHidden(entry.name) || entry.kind == FolderEntry::Kind::Other)
            continue;
        if (entry.kind != FolderEntry::Kind::File) {
            subFolders.push_back(&entry);
            continue;
        }
        const QString line =
            folderFd >= 0 ? fileLine(folderFd, folder, entry.name) : fileLine(folder + entry.name);
        if (!writeLine(line))
            return false;
    }
    return true;
}

bool FileTreeSection::writeFolder(const QByteArray& folder)
{
    const FolderListing listing = m_reader(folder);
    if (!listing.error.isEmpty() &&
        !writeLine(relativeText(folder) + QLatin1Char(';') + kCannotReadFolder + listing.error))
        return false;

    std::vector<const FolderEntry*> subFolders;
    if (!writeFiles(folder, listing, subFolders))
        return false;
    for (const FolderEntry* entry : subFolders) {
        const QByteArray path = folder + entry->name;
        if (entry->kind == FolderEntry::Kind::LinkToFolder) {
            if (!writeLine(relativeText(path) + QLatin1Char(';') + kLinkNotFollowed))
                return false;
            continue;
        }
        if (!writeFolder(path + '/'))
            return false;
    }
    return true;
}

} // namespace analyser
