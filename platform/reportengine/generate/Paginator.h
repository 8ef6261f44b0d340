#pragma once

// Puts bands on pages. A page opens when the first band is ready for it (so the page header
// formats after the section that starts the page, and sees its values), gets its page header
// and the repeated group headers, then takes bands until one does not fit: a KeepTogether band
// that fits a page moves whole to the next one; any other band is cut at the last line that
// fits and goes on on the next page. A page closes with its page footer at the bottom margin.

#include "platform/reportengine/generate/Band.h"
#include "platform/reportengine/page/PageDocument.h"

#include <functional>
#include <optional>
#include <vector>

namespace report {

class Section;

struct PageGeometry
{
    int paperWidth = 0;
    int paperHeight = 0;
    int topMargin = 0;
    int bottomMargin = 0;
    int footerHeight = 0; // room kept for the page footer
};

struct PageHooks
{
    // Raises PageStart and lays out the page header (null when it is hidden).
    std::function<std::optional<Band>()> startPage;
    // Lays out the page footer (null when it is hidden).
    std::function<std::optional<Band>()> footer;
    // Called with the 1-based number after a page went into the collection.
    std::function<void(int pageNumber)> pageDone;
};

class Paginator
{
public:
    Paginator(const PageGeometry& geometry, PageDocument& pages, PageHooks hooks);

    // Places the band of `section`; groupLevel as RowLoop gives it (-1 when not a group band).
    void place(Band band, const Section& section, int groupLevel);
    // Closes the open page, if any.
    void finish();
    bool hasOpenPage() const noexcept { return m_open; }

private:
    // A report header that fits is put above the page header of the first page.
    void openPage(std::optional<Band> reportHeader = std::nullopt);
    void closePage();
    void put(Band band);
    void putRepeatedHeaders();
    int bodyHeight() const noexcept;
    int bodyHeightOfEmptyPage() const noexcept;

    PageGeometry m_geometry;
    PageDocument& m_pages;
    PageHooks m_hooks;
    Page m_page;
    bool m_open = false;
    bool m_hasContent = false; // more than the page header and repeated headers
    bool m_breakPending = false;
    int m_cursor = 0;
    int m_bodyTop = 0;
    std::vector<std::optional<Band>> m_repeat; // per group level: the header to repeat
};

} // namespace report
