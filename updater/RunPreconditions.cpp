#include "RunPreconditions.h"

#include "platform/vb/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

const QString source = u"Travone"_s;
constexpr qint64 kMarginBytes = 8 * 1024 * 1024;

// Empty when this process may write `path` (checked against its effective user, so the
// super-user passes unless the file is immutable or the file system read-only).
QString writeProblem(const QString& path, int mode)
{
    if (::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void cannotBeWritten(const QString& what, const QString& reason)
{
    throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                    u"%1 cannot be written (%2). The update needs to write it; "
                    "make it writable for you (it may be read-only or belong to "
                    "another user) and run the update again. Nothing has been "
                    "changed."_s.arg(what, reason),
                    source);
}

// A database's size with its write-ahead log, which a copy takes in.
qint64 sizeOnDisk(const QString& path)
{
    return QFileInfo(path).size() + QFileInfo(path + u"-wal"_s).size();
}

qint64 deviceOf(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? qint64(info.st_dev) : -1;
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + 1024 * 1024 - 1) / (1024 * 1024));
}

struct Need
{
    QString where; // a folder on that file system, for the message and the free-space query
    qint64 bytes = 0;
    qint64 largestFile = 0;
};

} // namespace

qint64 freeBytes(const QString& path)
{
    return QStorageInfo(path).bytesAvailable();
}

void checkCanBeWritten(const std::vector<FileToChange>& files, const QString& backupFolder)
{
    for (const FileToChange& file : files) {
        const QFileInfo info(file.path);
        if (!info.exists())
            continue;
        if (const QString reason = writeProblem(file.path, W_OK); !reason.isEmpty())
            cannotBeWritten(
                u"The %1 %2"_s.arg(file.description, QDir::toNativeSeparators(file.path)), reason);
        if (const QString reason = writeProblem(info.absolutePath(), W_OK | X_OK);
            !reason.isEmpty())
            cannotBeWritten(u"The folder %1 of the %2"_s.arg(
                                QDir::toNativeSeparators(info.absolutePath()), file.description),
                            reason);
    }
    if (const QString reason = writeProblem(backupFolder, W_OK | X_OK); !reason.isEmpty())
        cannotBeWritten(u"The backup folder %1"_s.arg(QDir::toNativeSeparators(backupFolder)),
                        reason);
}

void checkFreeSpace(const std::vector<FileToChange>& files, const QString& backupFolder,
                    const FreeSpace& freeSpace)
{
    std::map<qint64, Need> needs;
    const auto needOn = [&needs](const QString& folder) -> Need& {
        Need& need = needs[deviceOf(folder)];
        if (need.where.isEmpty())
            need.where = folder;
        return need;
    };
    for (const FileToChange& file : files) {
        if (!QFileInfo::exists(file.path))
            continue;
        const qint64 size = sizeOnDisk(file.path);
        needOn(backupFolder).bytes += size;
        Need& own = needOn(QFileInfo(file.path).absolutePath());
        own.bytes += size;
        own.largestFile = std::max(own.largestFile, size);
    }
    for (const auto& [device, need] : needs) {
        const qint64 bytes = need.bytes + need.largestFile;
        const qint64 required = bytes + bytes / 10 + kMarginBytes;
        const qint64 available = freeSpace(need.where);
        if (available >= required)
            continue;
        throw vb::Error(vb::ErrorNumber::DiskFull,
                        u"There is not enough free space on the disk of %1 for the update: it "
                        "needs about %2 MB (for the backups, for the databases to grow and a "
                        "margin) and %3 MB are free. Free some space and run the update "
                        "again. Nothing has been changed."_s.arg(
                            QDir::toNativeSeparators(need.where), megabytes(required),
                            QString::number(std::max<qint64>(available, 0) / (1024 * 1024))),
                        source);
    }
}

} // namespace updater
