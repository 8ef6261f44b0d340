// PartialFile: a temporary file beside the export target, renamed over it when complete.

#include "platform/reportengine/export/PartialFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// The partial files alive, in fixed storage a signal handler can read without allocating.
constexpr int kSlots = 32;
constexpr std::size_t kPathBytes = 4096;

enum SlotState : int
{
    kFree = 0,
    kFilling = 1, // claimed, path being copied in
    kLive = 2,
};

struct Slot
{
    std::atomic<int> state{kFree};
    char path[kPathBytes] = {};
};

std::array<Slot, kSlots>& partialFiles()
{
    static std::array<Slot, kSlots> table;
    return table;
}

int claimSlot(const QByteArray& path)
{
    if (path.size() >= static_cast<qsizetype>(kPathBytes))
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = partialFiles()[i];
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slot.path, path.constData(), path.size() + 1);
            slot.state.store(kLive);
            return i;
        }
    }
    return -1;
}

void releaseSlot(int index)
{
    if (index >= 0)
        partialFiles()[index].state.store(kFree);
}

int errorNumberFor(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
        return vb::ErrorNumber::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return vb::ErrorNumber::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return vb::ErrorNumber::DiskFull;
    default:
        return vb::ErrorNumber::PathFileAccessError;
    }
}

} // namespace

PartialFile::PartialFile(const QString& target, const QString& source)
    : m_target(QFileInfo(target).absoluteFilePath()), m_source(source)
{
    const QFileInfo info(m_target);
    // Hidden, and named after the target, so a left-over file says where it came from.
    for (int attempt = 0; attempt < 16 && m_path.isEmpty(); ++attempt) {
        const QString candidate = info.absolutePath() + u"/."_s + info.fileName() + u"."_s +
                                  QString::number(QRandomGenerator::global()->generate(), 36) +
                                  u".part"_s;
        const QByteArray encoded = QFile::encodeName(candidate);
        const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            throw writeError(QString::fromLocal8Bit(std::strerror(errno)), errno);
        }
        ::close(fd);
        m_path = candidate;
        m_slot = claimSlot(encoded);
    }
    if (m_path.isEmpty())
        throw writeError(u"no temporary file could be made beside it"_s);
}

PartialFile::~PartialFile()
{
    releaseSlot(m_slot);
    if (!m_committed && !m_path.isEmpty())
        ::unlink(QFile::encodeName(m_path).constData());
}

void PartialFile::commit()
{
    if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_target).constData()) !=
        0)
        throw writeError(QString::fromLocal8Bit(std::strerror(errno)), errno);
    m_committed = true;
    releaseSlot(m_slot);
    m_slot = -1;
}

vb::Error PartialFile::writeError(const QString& reason) const
{
    return writeError(reason, 0);
}

vb::Error PartialFile::writeError(const QString& reason, int errnoValue) const
{
    return vb::Error(
        errorNumberFor(errnoValue),
        u"The file %1 cannot be written: %2."_s.arg(QDir::toNativeSeparators(m_target), reason),
        m_source);
}

void PartialFile::removeUnfinishedFiles() noexcept
{
    for (Slot& slot : partialFiles())
        if (slot.state.load() == kLive)
            ::unlink(slot.path);
}

} // namespace report
