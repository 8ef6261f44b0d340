#pragma once

// The pages a page document keeps on disk: written once in page order to a temporary file
// that is removed with the cache, read back on demand (the last few pages read are kept).

#include "platform/reportengine/page/Page.h"

#include <list>
#include <memory>
#include <mutex>
#include <QTemporaryFile>
#include <utility>
#include <vector>

namespace report {

class PageDiskCache
{
public:
    static constexpr int kPagesReadKept = 4;

    // Appends `page` as page count(). Raises vb::Error when the temporary file cannot be
    // created (75) or written (61).
    void write(const Page& page);
    // Page `index` < count(). Raises vb::Error 75 when it cannot be read back.
    Page read(int index) const;
    int count() const noexcept { return static_cast<int>(m_slots.size()); }
    void clear();

private:
    struct Slot
    {
        qint64 offset = 0;
        qint64 size = 0;
    };

    void openFile();

    std::unique_ptr<QTemporaryFile> m_file;
    std::vector<Slot> m_slots;
    qint64 m_end = 0;
    mutable std::mutex m_mutex; // readers share the file position and the kept pages
    mutable std::list<std::pair<int, Page>> m_recent; // most recently read first
};

} // namespace report
