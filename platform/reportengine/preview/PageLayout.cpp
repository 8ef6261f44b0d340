// The geometry of the preview's pages in its scroll area.
#include "platform/reportengine/preview/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace report {

void PageLayout::setPageCount(int count)
{
    m_paper.resize(std::max(0, count));
    m_singlePage = std::clamp(m_singlePage, 0, std::max(0, count - 1));
    relayout();
}

bool PageLayout::setPaperSize(int index, const QSize& twips)
{
    if (index < 0 || index >= pageCount() || twips.isEmpty() || m_paper[index] == twips)
        return false;
    m_paper[index] = twips;
    if (index == 0)
        m_defaultPaper = twips;
    relayout();
    return true;
}

QSize PageLayout::paperSize(int index) const
{
    if (index < 0 || index >= pageCount() || m_paper[index].isEmpty())
        return m_defaultPaper;
    return m_paper[index];
}

QSize PageLayout::largestPaper() const
{
    QSize largest = m_defaultPaper;
    for (const QSize& paper : m_paper)
        largest = largest.expandedTo(paper);
    return largest;
}

void PageLayout::setScale(double pixelsPerTwip)
{
    if (pixelsPerTwip > 0 && pixelsPerTwip != m_scale) {
        m_scale = pixelsPerTwip;
        relayout();
    }
}

void PageLayout::setMode(PageViewMode mode)
{
    if (mode != m_mode) {
        m_mode = mode;
        relayout();
    }
}

void PageLayout::setSinglePage(int index)
{
    const int clamped = std::clamp(index, 0, std::max(0, pageCount() - 1));
    if (clamped != m_singlePage) {
        m_singlePage = clamped;
        relayout();
    }
}

void PageLayout::setViewportWidth(int pixels)
{
    if (pixels != m_viewportWidth) {
        m_viewportWidth = pixels;
        relayout();
    }
}

QSize PageLayout::pixels(int index) const
{
    const QSize paper = paperSize(index);
    return QSize(std::max(1, static_cast<int>(std::lround(paper.width() * m_scale))),
                 std::max(1, static_cast<int>(std::lround(paper.height() * m_scale))));
}

void PageLayout::relayout()
{
    m_tops.assign(m_paper.size(), 0);
    int widest = 0;
    int y = kMargin;
    if (m_mode == PageViewMode::SinglePage) {
        if (pageCount() > 0) {
            const QSize page = pixels(m_singlePage);
            widest = page.width();
            y += page.height();
        }
    } else {
        for (int i = 0; i < pageCount(); ++i) {
            const QSize page = pixels(i);
            m_tops[i] = y;
            y += page.height() + (i + 1 < pageCount() ? kGap : 0);
            widest = std::max(widest, page.width());
        }
    }
    m_content = QSize(std::max(m_viewportWidth, widest + 2 * kMargin), y + kMargin);
}

QSize PageLayout::contentSize() const
{
    return m_content;
}

QRect PageLayout::pageRect(int index) const
{
    if (index < 0 || index >= pageCount())
        return {};
    if (m_mode == PageViewMode::SinglePage && index != m_singlePage)
        return {};
    const QSize size = pixels(index);
    const int top = m_mode == PageViewMode::SinglePage ? kMargin : m_tops[index];
    return QRect(QPoint((m_content.width() - size.width()) / 2, top), size);
}

std::pair<int, int> PageLayout::pagesIn(const QRect& area) const
{
    if (pageCount() == 0)
        return {0, -1};
    if (m_mode == PageViewMode::SinglePage) {
        if (pageRect(m_singlePage).intersects(area))
            return {m_singlePage, m_singlePage};
        return {0, -1};
    }
    int first = pageAt(area.top());
    if (pageRect(first).bottom() < area.top())
        ++first;
    int last = pageAt(area.bottom());
    if (last >= 0 && pageRect(last).top() > area.bottom())
        --last;
    return {first, last};
}

int PageLayout::pageAt(int y) const
{
    if (pageCount() == 0)
        return -1;
    if (m_mode == PageViewMode::SinglePage)
        return m_singlePage;
    // The last page whose top is at or above y; a gap belongs to the page above it.
    const auto next = std::upper_bound(m_tops.begin(), m_tops.end(), y);
    if (next == m_tops.begin())
        return 0;
    return static_cast<int>(next - m_tops.begin()) - 1;
}

} // namespace report
