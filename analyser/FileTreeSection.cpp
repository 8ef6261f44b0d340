#include "FileTreeSection.h"

#include "CFileInfo.h"
#include "CFileVersionInfo.h"
#include "DatabaseVersion.h"
#include "NativePath.h"
#include "ReportFile.h"

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
    return pathText(QByteArrayView(path).sliced(m_root.size()), true);
}

QString FileTreeSection::fileLine(const QByteArray& path) const
{
    CFileInfo info;
    info.setNativePath(path);
    QString line = relativeText(path);
    line += QLatin1Char(';') + CFileInfo::FormatFileSize(info.FileSize());
    line += QLatin1Char(';') + CFileInfo::FormatFileDate(info.CreationTime());
    line += QLatin1Char(';') + CFileInfo::FormatFileDate(info.ModifyTime());
    line += info.attrArchive() ? QLatin1String(";1") : QLatin1String(";0");

    CFileVersionInfo version;
    version.setNativePath(path);
    if (version.Available())
        line += QLatin1Char(';') + version.FileVersion();

    if (isDatabaseFile(pathText(path, true)))
        line += QLatin1Char(';') + databaseVersionText(pathText(path), m_helper);
    return line;
}

bool FileTreeSection::writeLine(const QString& line)
{
    m_report.writeLine(line);
    return !(m_stopRequested && m_stopRequested());
}

bool FileTreeSection::writeFolder(const QByteArray& folder)
{
    const FolderListing listing = m_reader(folder);
    if (!listing.error.isEmpty() &&
        !writeLine(relativeText(folder) + QLatin1Char(';') + kCannotReadFolder + listing.error))
        return false;

    std::vector<const FolderEntry*> subFolders;
    for (const FolderEntry& entry : listing.entries) {
        if (isHidden(entry.name) || entry.kind == FolderEntry::Kind::Other)
            continue;
        if (entry.kind != FolderEntry::Kind::File) {
            subFolders.push_back(&entry);
            continue;
        }
        if (!writeLine(fileLine(folder + entry.name)))
            return false;
    }
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
