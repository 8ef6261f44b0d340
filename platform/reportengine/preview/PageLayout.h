#pragma once

// Where the pages of a preview lie in its scroll area, in pixels: one column of pages, each
// centred, with a margin around and a gap between them (continuous mode), or the current page
// alone (single-page mode). Pure geometry, so the widget only asks questions of it.
//
// Page sizes are learnt as pages are met: a page whose size is not known yet is taken to be
// as large as the first page (reports rarely change paper), and corrected when its real size
// comes in.

#include <QRect>
#include <QSize>
#include <utility>
#include <vector>

namespace report {

enum class PageViewMode
{
    Continuous,
    SinglePage,
};

class PageLayout
{
public:
    static constexpr int kMargin = 12; // pixels around the pages
    static constexpr int kGap = 12;    // pixels between pages

    int pageCount() const noexcept { return static_cast<int>(m_paper.size()); }
    // More or fewer pages; new pages take the size of the first.
    void setPageCount(int count);
    // The paper of page `index` in twips (as oriented); false when it was known already.
    bool setPaperSize(int index, const QSize& twips);
    QSize paperSize(int index) const;
    // The largest paper of the pages (what the fits are measured on).
    QSize largestPaper() const;

    void setScale(double pixelsPerTwip);
    double scale() const noexcept { return m_scale; }
    void setMode(PageViewMode mode);
    PageViewMode mode() const noexcept { return m_mode; }
    // The page single-page mode shows (0-based).
    void setSinglePage(int index);
    int singlePage() const noexcept { return m_singlePage; }
    void setViewportWidth(int pixels);

    // The whole scrollable area.
    QSize contentSize() const;
    // Page `index` in content coordinates; empty for a page single-page mode does not show.
    QRect pageRect(int index) const;
    // The first and last page meeting `area` (content coordinates); first > last when none.
    std::pair<int, int> pagesIn(const QRect& area) const;
    // The page at content height `y` (the page above when `y` falls in a gap, the first above
    // the first page);
    // -1 without pages.
    int pageAt(int y) const;

private:
    QSize pixels(int index) const;
    void relayout();

    std::vector<QSize> m_paper; // twips; empty size: not known yet
    QSize m_defaultPaper{12240, 15840};
    double m_scale = 96.0 / 1440.0;
    PageViewMode m_mode = PageViewMode::Continuous;
    int m_singlePage = 0;
    int m_viewportWidth = 0;
    std::vector<int> m_tops; // continuous mode: each page's top
    QSize m_content;
};

} // namespace report
