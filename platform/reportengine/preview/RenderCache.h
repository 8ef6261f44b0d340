#pragma once

// Pages rendered for the screen, kept so that scrolling back and forth over a long report paints
// from memory instead of rendering (and reading from the page document's disk cache) again.
// Least recently used pages go first once the cache holds more than its budget of pixels.
//
// A page is rendered at one width at a time: asked for at another width (the zoom changed) it
// is rendered anew. Pages that show the page count ("Page 3 of 12") are dropped while the count
// is still growing, so they never keep an old count.

#include "platform/reportengine/page/PageDocument.h"

#include <cstdint>
#include <list>
#include <QImage>
#include <unordered_map>

namespace report {

class RenderCache
{
public:
    static constexpr std::int64_t kDefaultBudget = 128ll * 1024 * 1024; // bytes

    explicit RenderCache(std::int64_t budgetBytes = kDefaultBudget);

    struct Rendered
    {
        QImage image;
        QSize paper; // twips, as oriented
    };

    // Page `index` of `pages` painted `widthPx` pixels wide (device pixels), from the cache
    // when it holds it at that width (images are shared, not copied). Raises what reading the
    // page raises.
    Rendered page(const PageDocument& pages, int index, int widthPx);
    // Whether page `index` is held at `widthPx` (no rendering).
    bool holds(int index, int widthPx) const;

    void clear();
    // Forgets the pages that show the page count (a page was added).
    void dropCountDependent();

    std::int64_t bytes() const noexcept { return m_bytes; }
    int size() const noexcept { return static_cast<int>(m_entries.size()); }
    int renders() const noexcept { return m_renders; }

private:
    struct Entry
    {
        int index = 0;
        int width = 0;
        bool showsPageCount = false;
        Rendered rendered;
    };
    using Entries = std::list<Entry>; // most recently used first

    void remove(Entries::iterator entry);
    void trim();

    std::int64_t m_budget;
    std::int64_t m_bytes = 0;
    int m_renders = 0;
    Entries m_entries;
    std::unordered_map<int, Entries::iterator> m_byIndex;
};

} // namespace report
