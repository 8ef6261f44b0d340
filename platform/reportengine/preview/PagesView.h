#pragma once

// The preview's scroll area: the pages of a page document painted at the zoom, one below the
// other or one at a time, from a cache of rendered pages; Ctrl+wheel zooms about the pointer,
// the keys page and scroll (PgUp/PgDn, Home/End, arrows), and a find hit is highlighted.

#include "platform/reportengine/preview/PageLayout.h"
#include "platform/reportengine/preview/RenderCache.h"
#include "platform/reportengine/preview/TextFinder.h"
#include "platform/reportengine/preview/Zoom.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>

namespace report {

class PagesView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PagesView(QWidget* parent = nullptr);

    // The document shown (not owned; null for none). Forgets what was shown before.
    void setDocument(const PageDocument* pages);
    // The document gained (or, restarted, lost) pages.
    void pagesChanged();
    // The page count some pages show changed: those pages are rendered again.
    void pageCountTextChanged();
    // Shown instead of pages while there are none ("Generating...", an error).
    void setMessage(const QString& message);
    const QString& message() const noexcept { return m_message; }

    const PageLayout& layout() const noexcept { return m_layout; }
    const RenderCache& cache() const noexcept { return m_cache; }

    void setZoom(const Zoom& zoom);
    Zoom zoom() const noexcept { return m_zoom; }
    // The percentage shown now (what a fit amounts to).
    double zoomPercent() const;
    // One step in (direction > 0) or out, about the viewport's centre.
    void zoomStep(int direction);

    void setMode(PageViewMode mode);
    PageViewMode mode() const noexcept { return m_layout.mode(); }

    // 0-based; -1 without pages.
    int currentPage() const noexcept { return m_current; }
    // Shows page `index` from its top.
    void goToPage(int index);

    // Highlights `hit` and scrolls it into view (an invalid hit removes the highlight).
    void showHit(const FindHit& hit);
    const FindHit& hit() const noexcept { return m_hit; }

    // Screen rectangle (viewport coordinates) of the highlighted hit, empty without one.
    QRect hitViewportRect() const;

signals:
    void currentPageChanged(int index);
    // The zoom changed from within the view (Ctrl+wheel, keys).
    void zoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A point of a page that stays where it is on screen while the zoom changes.
    struct Anchor
    {
        int page = -1;
        QPointF fraction;  // of the page's size
        QPoint inViewport; // where it was on screen
    };

    Anchor anchorAt(const QPoint& viewportPoint) const;
    void restoreAnchor(const Anchor& anchor);
    void applyZoom(const Anchor& anchor);
    void updateScale();
    void updateScrollBars();
    QPoint scrollOffset() const;
    QRect visibleContent() const;
    void setCurrent(int index);
    void updateCurrentFromScroll();
    void paintPage(QPainter& painter, int index, const QRect& rect);
    void paintHit(QPainter& painter);
    void scrollPage(int direction);
    void prefetch();

    const PageDocument* m_pages = nullptr;
    PageLayout m_layout;
    RenderCache m_cache;
    Zoom m_zoom;
    int m_current = -1;
    bool m_scrollingToPage = false;
    FindHit m_hit;
    QRectF m_hitTwips;
    QString m_message;
    int m_wheelDelta = 0; // Ctrl+wheel eighths of a degree not yet turned into zoom steps
    QTimer m_prefetch;
};

} // namespace report
