// PageDiskCache: pages serialized to a temporary file and read back on demand.

#include "platform/reportengine/page/PageDiskCache.h"

#include "platform/reportengine/page/PageSerializer.h"
#include "platform/vb/Error.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QString kSource = u"report"_s;

QString tempFolder()
{
    return QDir::toNativeSeparators(QDir::tempPath());
}

} // namespace

void PageDiskCache::openFile()
{
    auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + u"/qv-pages-XXXXXX.cache"_s);
    if (!file->open())
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        u"The page cache of the report cannot be created in %1: %2. Check that "
                        "the temporary folder exists and can be written to."_s.arg(
                            tempFolder(), file->errorString()),
                        kSource);
    m_file = std::move(file);
    m_end = 0;
}

void PageDiskCache::write(const Page& page)
{
    const QByteArray bytes = serializePage(page);
    const std::lock_guard lock(m_mutex);
    if (!m_file)
        openFile();
    if (!m_file->seek(m_end) || m_file->write(bytes) != bytes.size())
        throw vb::Error(
            vb::ErrorNumber::DiskFull,
            u"The page cache of the report in %1 cannot be written: %2. Check the "
            "free space of the temporary folder."_s.arg(tempFolder(), m_file->errorString()),
            kSource);
    m_slots.push_back({m_end, bytes.size()});
    m_end += bytes.size();
}

Page PageDiskCache::read(int index) const
{
    const std::lock_guard lock(m_mutex);
    for (auto it = m_recent.begin(); it != m_recent.end(); ++it) {
        if (it->first == index) {
            m_recent.splice(m_recent.begin(), m_recent, it);
            return it->second;
        }
    }
    const Slot& slot = m_slots.at(static_cast<std::size_t>(index));
    QByteArray bytes;
    if (m_file->seek(slot.offset))
        bytes = m_file->read(slot.size);
    if (bytes.size() != slot.size)
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        u"Page %1 of the report cannot be read back from its cache in %2: %3. "
                        "Check that the temporary folder is not cleaned while the report is "
                        "open."_s.arg(index + 1)
                            .arg(tempFolder(), m_file->errorString()),
                        kSource);
    Page page = deserializePage(bytes);
    m_recent.emplace_front(index, page);
    if (m_recent.size() > kPagesReadKept)
        m_recent.pop_back();
    return page;
}

void PageDiskCache::clear()
{
    const std::lock_guard lock(m_mutex);
    m_recent.clear();
    m_slots.clear();
    m_file.reset();
    m_end = 0;
}

} // namespace report
