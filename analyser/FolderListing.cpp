#include "FolderListing.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace analyser {

namespace {

struct DirCloser
{
    void operator()(DIR* dir) const noexcept { closedir(dir); }
};

QString systemError(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

FolderEntry::Kind kindOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return FolderEntry::Kind::Folder;
    if (S_ISREG(mode))
        return FolderEntry::Kind::File;
    return FolderEntry::Kind::Other;
}

// The kind when the directory entry does not tell it (or it is a link).
FolderEntry::Kind kindByStat(int folderFd, const char* name)
{
    struct stat facts = {};
    if (fstatat(folderFd, name, &facts, AT_SYMLINK_NOFOLLOW) != 0)
        return FolderEntry::Kind::File;
    if (!S_ISLNK(facts.st_mode))
        return kindOfMode(facts.st_mode);
    if (fstatat(folderFd, name, &facts, 0) != 0)
        return FolderEntry::Kind::File; // a dangling link is described by itself
    const FolderEntry::Kind target = kindOfMode(facts.st_mode);
    return target == FolderEntry::Kind::Folder ? FolderEntry::Kind::LinkToFolder : target;
}

} // namespace

FolderListing readFolder(const QByteArray& folder)
{
    FolderListing listing;
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.constData()));
    if (!dir) {
        listing.error = systemError(errno);
        return listing;
    }
    const int folderFd = dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                listing.error = systemError(errno);
            break;
        }
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        FolderEntry::Kind kind = FolderEntry::Kind::File;
        switch (entry->d_type) {
        case DT_REG:
            kind = FolderEntry::Kind::File;
            break;
        case DT_DIR:
            kind = FolderEntry::Kind::Folder;
            break;
        case DT_CHR:
        case DT_BLK:
        case DT_FIFO:
        case DT_SOCK:
            kind = FolderEntry::Kind::Other;
            break;
        default: // links, and file systems that do not fill in the type
            kind = kindByStat(folderFd, name);
            break;
        }
        listing.entries.push_back(FolderEntry{QByteArray(name), kind});
    }
    return listing;
}

} // namespace analyser
