// The preview's cache of rendered pages.
#include "platform/reportengine/preview/RenderCache.h"

#include "platform/reportengine/render/PageRenderer.h"

#include <algorithm>

namespace report {

namespace {

bool showsPageCount(const Page& page)
{
    return std::any_of(page.items.begin(), page.items.end(), [](const DisplayItem& item) {
        const auto* text = std::get_if<TextItem>(&item);
        return text != nullptr && text->field == PageField::PageCount;
    });
}

std::int64_t imageBytes(const QImage& image)
{
    return image.sizeInBytes();
}

} // namespace

RenderCache::RenderCache(std::int64_t budgetBytes) : m_budget(budgetBytes) {}

RenderCache::Rendered RenderCache::page(const PageDocument& pages, int index, int widthPx)
{
    if (const auto found = m_byIndex.find(index); found != m_byIndex.end()) {
        if (found->second->width == widthPx) {
            m_entries.splice(m_entries.begin(), m_entries, found->second);
            return m_entries.front().rendered;
        }
        remove(found->second);
    }
    const Page page = pages.page(index);
    Entry entry;
    entry.index = index;
    entry.width = widthPx;
    entry.showsPageCount = showsPageCount(page);
    entry.rendered.paper = QSize(page.paperWidth, page.paperHeight);
    if (page.paperWidth > 0) {
        const double dpi = widthPx * double(kTwipsPerInch) / page.paperWidth;
        entry.rendered.image = renderPageImage(page, pages.images(), dpi);
    }
    ++m_renders;
    m_bytes += imageBytes(entry.rendered.image);
    m_entries.push_front(std::move(entry));
    m_byIndex[index] = m_entries.begin();
    trim();
    return m_entries.front().rendered;
}

bool RenderCache::holds(int index, int widthPx) const
{
    const auto found = m_byIndex.find(index);
    return found != m_byIndex.end() && found->second->width == widthPx;
}

void RenderCache::clear()
{
    m_entries.clear();
    m_byIndex.clear();
    m_bytes = 0;
}

void RenderCache::dropCountDependent()
{
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const auto next = std::next(it);
        if (it->showsPageCount)
            remove(it);
        it = next;
    }
}

void RenderCache::remove(Entries::iterator entry)
{
    m_bytes -= imageBytes(entry->rendered.image);
    m_byIndex.erase(entry->index);
    m_entries.erase(entry);
}

void RenderCache::trim()
{
    // The page just rendered stays, however large: it is about to be painted.
    while (m_bytes > m_budget && m_entries.size() > 1)
        remove(std::prev(m_entries.end()));
}

} // namespace report
