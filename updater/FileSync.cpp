#include "FileSync.h"

#include "platform/vb/Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>
#include <utility>

namespace updater {

namespace {

[[noreturn]] void fileError(const QString& what, const QString& path, int error)
{
    throw vb::Error(
        vb::ErrorNumber::PathFileAccessError,
        QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error))),
        QStringLiteral("Travone"));
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const noexcept { return m_fd; }
    int release() noexcept { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

void syncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0)
        fileError(QStringLiteral("Cannot sync the folder of"), path, errno);
}

void writeAll(int fd, const QByteArray& content, const QString& path)
{
    qsizetype written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + written,
                                  static_cast<size_t>(content.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fileError(QStringLiteral("Cannot write"), path, errno);
        written += n;
    }
}

} // namespace

void writeFileDurably(const QString& path, const QByteArray& content)
{
    const QString temporary = path + QStringLiteral(".new");
    const QByteArray temporaryName = QFile::encodeName(temporary);
    Descriptor fd(
        ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0)
        fileError(QStringLiteral("Cannot create"), temporary, errno);
    try {
        writeAll(fd.get(), content, temporary);
        if (::fsync(fd.get()) != 0)
            fileError(QStringLiteral("Cannot sync"), temporary, errno);
        if (::close(fd.release()) != 0)
            fileError(QStringLiteral("Cannot close"), temporary, errno);
        if (std::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0)
            fileError(QStringLiteral("Cannot rename the new file to"), path, errno);
    } catch (...) {
        ::unlink(temporaryName.constData());
        throw;
    }
    syncFolderOf(path);
}

void removeFileDurably(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        fileError(QStringLiteral("Cannot remove"), path, errno);
    syncFolderOf(path);
}

} // namespace updater
