#pragma once

// A file being written beside the name it will have: exports write here and rename when
// complete, so the chosen name holds either the previous file or the whole new one. Until then
// the partial file is listed for removeUnfinishedFiles(), which a SIGINT/SIGTERM handler of the
// batch output may call (it only unlinks, so it is safe in a signal handler).

#include "platform/vb/Error.h"

#include <QString>

namespace report {

class PartialFile
{
public:
    // Creates the partial file beside `target` (checking on the way that the folder exists and
    // is writable). `source` names the filter in the errors raised.
    PartialFile(const QString& target, const QString& source);
    // Removes the partial file unless it was committed.
    ~PartialFile();
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    const QString& path() const noexcept { return m_path; }
    const QString& target() const noexcept { return m_target; }

    // Replaces the target with the partial file.
    void commit();

    // The error for a file that cannot be written, naming the target; `reason` says why.
    vb::Error writeError(const QString& reason) const;
    vb::Error writeError(const QString& reason, int errnoValue) const;

    // Removes every partial file not yet committed or discarded. Async-signal-safe.
    static void removeUnfinishedFiles() noexcept;

private:
    QString m_target;
    QString m_source;
    QString m_path;
    int m_slot = -1;
    bool m_committed = false;
};

} // namespace report
