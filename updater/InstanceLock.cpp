#include "InstanceLock.h"

#include "platform/vb/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <sys/file.h>
#include <unistd.h>

namespace updater {

InstanceLock::~InstanceLock()
{
    release();
}

bool InstanceLock::tryAcquire(const QString& toolsFolder)
{
    release();
    const QString path = QDir(toolsFolder).filePath(fileName);
    // Not inherited by the programs the run starts: the compaction program must not hold it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("Cannot create the lock file %1: %2. Check that the tools "
                                       "folder exists and can be written to.")
                            .arg(path, QString::fromLocal8Bit(std::strerror(errno))),
                        QStringLiteral("Travone"));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void InstanceLock::release() noexcept
{
    if (m_fd < 0)
        return;
    ::close(m_fd); // closing the descriptor releases the lock
    m_fd = -1;
}

} // namespace updater
