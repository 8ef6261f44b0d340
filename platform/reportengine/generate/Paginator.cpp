// Pagination: page opening and closing, fitting, cutting, keeping together, repeating.
#include "platform/reportengine/generate/Paginator.h"

#include "platform/reportengine/model/Section.h"

#include <algorithm>

namespace report {

Paginator::Paginator(const PageGeometry& geometry, PageDocument& pages, PageHooks hooks)
    : m_geometry(geometry), m_pages(pages), m_hooks(std::move(hooks))
{
}

int Paginator::bodyHeight() const noexcept
{
    return m_geometry.paperHeight - m_geometry.bottomMargin - m_geometry.footerHeight - m_bodyTop;
}

int Paginator::bodyHeightOfEmptyPage() const noexcept
{
    return m_geometry.paperHeight - m_geometry.bottomMargin - m_geometry.footerHeight -
           m_geometry.topMargin;
}

void Paginator::openPage(std::optional<Band> reportHeader)
{
    m_page = Page{};
    m_page.paperWidth = m_geometry.paperWidth;
    m_page.paperHeight = m_geometry.paperHeight;
    m_open = true;
    m_hasContent = false;
    m_cursor = m_geometry.topMargin;
    std::optional<Band> header = m_hooks.startPage();
    // The report header opens the report: on the first page it stands above the page header.
    if (reportHeader) {
        put(std::move(*reportHeader));
        m_hasContent = true;
    }
    if (header) {
        header->toc.clear();
        const int height = header->height;
        header->translate(0, m_cursor);
        std::move(header->items.begin(), header->items.end(), std::back_inserter(m_page.items));
        m_cursor += height;
    }
    m_bodyTop = m_cursor;
    putRepeatedHeaders();
}

void Paginator::putRepeatedHeaders()
{
    for (const auto& header : m_repeat) {
        if (!header)
            continue;
        Band copy = *header;
        if (copy.height > bodyHeight() - (m_cursor - m_bodyTop))
            break; // no room left for the rows themselves
        put(std::move(copy));
    }
}

void Paginator::closePage()
{
    if (std::optional<Band> footer = m_hooks.footer()) {
        footer->toc.clear();
        const int top = m_geometry.paperHeight - m_geometry.bottomMargin -
                        std::max(footer->height, m_geometry.footerHeight);
        footer->translate(0, top);
        std::move(footer->items.begin(), footer->items.end(), std::back_inserter(m_page.items));
    }
    m_open = false;
    m_pages.append(std::move(m_page));
    m_page = Page{};
    m_hooks.pageDone(m_pages.count());
}

void Paginator::put(Band band)
{
    const int height = band.height;
    band.translate(0, m_cursor);
    std::move(band.items.begin(), band.items.end(), std::back_inserter(m_page.items));
    m_page.toc.insert(m_page.toc.end(), band.toc.begin(), band.toc.end());
    m_cursor += height;
}

void Paginator::place(Band band, const Section& section, int groupLevel)
{
    const bool isHeader = section.kind() == SectionKind::GroupHeader && groupLevel >= 0;
    const bool isFooter = section.kind() == SectionKind::GroupFooter && groupLevel >= 0;
    if (isHeader && static_cast<int>(m_repeat.size()) > groupLevel)
        m_repeat.resize(groupLevel); // a new group at this level: nothing below repeats
    std::optional<Band> repeatCopy;
    if (isHeader && section.repeatStyle() == RepeatStyle::OnPage) {
        repeatCopy = band;
        repeatCopy->toc.clear(); // the contents point at the first appearance only
    }

    if (section.kind() == SectionKind::ReportHeader && !m_open && m_pages.count() == 0 &&
        band.height <= bodyHeightOfEmptyPage() / 2) {
        openPage(std::move(band));
        if (section.newPage() == NewPage::After || section.newPage() == NewPage::BeforeAfter)
            m_breakPending = true;
        return;
    }

    const bool breakBefore = section.newPage() == NewPage::Before ||
                             section.newPage() == NewPage::BeforeAfter || m_breakPending;
    if (breakBefore && m_open && m_hasContent)
        closePage();
    m_breakPending = false;

    for (;;) {
        if (!m_open)
            openPage();
        const int room =
            m_cursor <= m_bodyTop + bodyHeight() ? m_bodyTop + bodyHeight() - m_cursor : 0;
        if (band.height <= room) {
            put(std::move(band));
            m_hasContent = true;
            break;
        }
        if (m_hasContent && section.keepTogether() && band.height <= bodyHeight()) {
            closePage();
            continue;
        }
        int cut = findCut(band, room);
        if (cut <= 0) {
            if (m_hasContent) {
                closePage();
                continue;
            }
            // Taller than an empty page and nothing divides it: it takes the whole page and
            // what stands out below is cut off there, as little as possible.
            cut = std::max(room, 1);
        }
        auto [head, tail] = cutBand(std::move(band), cut);
        put(std::move(head));
        m_hasContent = true;
        closePage();
        if (tail.isEmpty())
            break;
        band = std::move(tail);
    }

    if (repeatCopy) {
        m_repeat.resize(std::max<std::size_t>(m_repeat.size(), groupLevel + 1));
        m_repeat[groupLevel] = std::move(repeatCopy);
    }
    if (isFooter && static_cast<int>(m_repeat.size()) > groupLevel)
        m_repeat.resize(groupLevel);
    if (section.newPage() == NewPage::After || section.newPage() == NewPage::BeforeAfter)
        m_breakPending = true;
}

void Paginator::finish()
{
    if (m_open)
        closePage();
}

} // namespace report
