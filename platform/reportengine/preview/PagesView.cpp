// The preview's scroll area of pages.
#include "platform/reportengine/preview/PagesView.h"

#include "platform/vb/Error.h"

#include <algorithm>
#include <cmath>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QColor kBackground(96, 99, 104);
const QColor kPageBorder(60, 60, 60);
const QColor kShadow(0, 0, 0, 70);
const QColor kHitFill(255, 190, 0, 110);
const QColor kHitOutline(230, 120, 0);
constexpr int kShadowOffset = 3;
constexpr int kWheelStep = 120; // one notch of a mouse wheel
constexpr int kLineStep = 40;   // pixels per arrow key

} // namespace

PagesView::PagesView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(u"pagesView"_s);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(kLineStep);
    horizontalScrollBar()->setSingleStep(kLineStep);
    m_prefetch.setSingleShot(true);
    m_prefetch.setInterval(0);
    connect(&m_prefetch, &QTimer::timeout, this, &PagesView::prefetch);
}

void PagesView::setDocument(const PageDocument* pages)
{
    m_pages = pages;
    m_cache.clear();
    m_hit = {};
    m_layout.setPageCount(0);
    m_current = -1;
    pagesChanged();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void PagesView::pagesChanged()
{
    const int count = m_pages != nullptr ? m_pages->count() : 0;
    const int known = m_layout.pageCount();
    if (count < known) {
        // A new run of the same report: none of the old pages holds any more.
        m_cache.clear();
        m_hit = {};
    }
    m_layout.setPageCount(count);
    // Pages added one at a time are read for their paper (the newest pages are in memory);
    // of a document shown whole, only the first: the others are learnt when they are painted.
    if (count > known && (count - known == 1 || known == 0)) {
        const int index = count - known == 1 ? count - 1 : 0;
        try {
            const Page page = m_pages->page(index);
            m_layout.setPaperSize(index, QSize(page.paperWidth, page.paperHeight));
        } catch (const vb::Error&) {
            // An unreadable page keeps the first page's size; painting says what is wrong.
        }
    }
    updateScale();
    updateScrollBars();
    if (count == 0)
        setCurrent(-1);
    else if (m_current < 0 || m_current >= count)
        setCurrent(std::clamp(m_current, 0, count - 1));
    viewport()->update();
}

void PagesView::pageCountTextChanged()
{
    m_cache.dropCountDependent();
    viewport()->update();
}

void PagesView::setMessage(const QString& message)
{
    m_message = message;
    viewport()->update();
}

void PagesView::setZoom(const Zoom& zoom)
{
    const Anchor anchor = anchorAt(viewport()->rect().center());
    m_zoom = zoom;
    applyZoom(anchor);
    emit zoomChanged();
}

double PagesView::zoomPercent() const
{
    return percentOfScale(m_layout.scale(), logicalDpiX());
}

void PagesView::zoomStep(int direction)
{
    setZoom(Zoom::percentOf(nextZoomStep(zoomPercent(), direction)));
}

void PagesView::setMode(PageViewMode mode)
{
    if (mode == m_layout.mode())
        return;
    const int page = std::max(0, m_current);
    m_layout.setMode(mode);
    m_layout.setSinglePage(page);
    setVerticalScrollBarPolicy(mode == PageViewMode::Continuous ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAsNeeded);
    m_layout.setViewportWidth(viewport()->width());
    updateScale();
    updateScrollBars();
    goToPage(page);
}

void PagesView::goToPage(int index)
{
    if (m_layout.pageCount() == 0)
        return;
    index = std::clamp(index, 0, m_layout.pageCount() - 1);
    m_scrollingToPage = true;
    if (m_layout.mode() == PageViewMode::SinglePage) {
        m_layout.setSinglePage(index);
        updateScale(); // a fit follows the page's own paper
        updateScrollBars();
        verticalScrollBar()->setValue(0);
    } else {
        verticalScrollBar()->setValue(m_layout.pageRect(index).top() - PageLayout::kMargin);
    }
    m_scrollingToPage = false;
    setCurrent(index);
    viewport()->update();
}

void PagesView::showHit(const FindHit& hit)
{
    m_hit = hit;
    m_hitTwips = {};
    if (!hit.isValid() || m_pages == nullptr || hit.page >= m_layout.pageCount()) {
        m_hit = {};
        viewport()->update();
        return;
    }
    m_hitTwips = hitRect(m_pages->page(hit.page), hit);
    if (m_layout.mode() == PageViewMode::SinglePage && m_layout.singlePage() != hit.page)
        goToPage(hit.page);
    // Scrolled into view, a third down the window, unless it is in view already.
    const QRect onScreen = hitViewportRect();
    if (!viewport()->rect().contains(onScreen)) {
        m_scrollingToPage = true;
        const QPoint inContent = onScreen.topLeft() + scrollOffset();
        verticalScrollBar()->setValue(inContent.y() - viewport()->height() / 3);
        if (onScreen.left() < 0 || onScreen.right() > viewport()->width())
            horizontalScrollBar()->setValue(inContent.x() - viewport()->width() / 3);
        m_scrollingToPage = false;
    }
    setCurrent(hit.page);
    viewport()->update();
}

QRect PagesView::hitViewportRect() const
{
    if (!m_hit.isValid())
        return {};
    const QRect page = m_layout.pageRect(m_hit.page);
    const QSize paper = m_layout.paperSize(m_hit.page);
    if (page.isEmpty() || paper.width() <= 0)
        return {};
    const double scale = double(page.width()) / paper.width();
    const QRectF scaled(m_hitTwips.left() * scale, m_hitTwips.top() * scale,
                        m_hitTwips.width() * scale, m_hitTwips.height() * scale);
    return scaled.translated(page.topLeft() - scrollOffset()).toAlignedRect();
}

PagesView::Anchor PagesView::anchorAt(const QPoint& viewportPoint) const
{
    Anchor anchor;
    anchor.inViewport = viewportPoint;
    const QPoint content = viewportPoint + scrollOffset();
    anchor.page = m_layout.pageAt(content.y());
    const QRect rect = m_layout.pageRect(anchor.page);
    if (rect.isEmpty())
        return anchor;
    anchor.fraction = QPointF(double(content.x() - rect.left()) / rect.width(),
                              double(content.y() - rect.top()) / rect.height());
    return anchor;
}

void PagesView::restoreAnchor(const Anchor& anchor)
{
    const QRect rect = m_layout.pageRect(anchor.page);
    if (rect.isEmpty())
        return;
    const QPointF content(rect.left() + anchor.fraction.x() * rect.width(),
                          rect.top() + anchor.fraction.y() * rect.height());
    m_scrollingToPage = true;
    horizontalScrollBar()->setValue(qRound(content.x()) - anchor.inViewport.x());
    verticalScrollBar()->setValue(qRound(content.y()) - anchor.inViewport.y());
    m_scrollingToPage = false;
}

void PagesView::applyZoom(const Anchor& anchor)
{
    updateScale();
    updateScrollBars();
    restoreAnchor(anchor);
    viewport()->update();
}

void PagesView::updateScale()
{
    const QSize paper = m_zoom.mode == ZoomMode::FitPage
                            ? m_layout.paperSize(std::max(0, m_current))
                            : m_layout.largestPaper();
    m_layout.setScale(
        pixelsPerTwip(m_zoom, logicalDpiX(), paper, viewport()->size(), PageLayout::kMargin));
}

void PagesView::updateScrollBars()
{
    const QSize content = m_layout.contentSize();
    const QSize view = viewport()->size();
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
}

QPoint PagesView::scrollOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRect PagesView::visibleContent() const
{
    return QRect(scrollOffset(), viewport()->size());
}

void PagesView::setCurrent(int index)
{
    if (index != m_current) {
        m_current = index;
        emit currentPageChanged(index);
    }
}

void PagesView::updateCurrentFromScroll()
{
    if (m_layout.mode() == PageViewMode::SinglePage)
        return;
    // The page that takes most of the window; of equals, the first.
    const QRect visible = visibleContent();
    const auto [first, last] = m_layout.pagesIn(visible);
    int best = -1;
    int bestHeight = -1;
    for (int i = first; i <= last; ++i) {
        const int height = m_layout.pageRect(i).intersected(visible).height();
        if (height > bestHeight) {
            best = i;
            bestHeight = height;
        }
    }
    if (best >= 0)
        setCurrent(best);
}

void PagesView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const Anchor anchor = anchorAt(QPoint(viewport()->width() / 2, 0));
    m_layout.setViewportWidth(viewport()->width());
    applyZoom(anchor);
}

void PagesView::scrollContentsBy(int, int)
{
    viewport()->update();
    if (!m_scrollingToPage)
        updateCurrentFromScroll();
}

void PagesView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        m_wheelDelta += delta;
        const int steps = m_wheelDelta / kWheelStep;
        if (steps != 0) {
            m_wheelDelta -= steps * kWheelStep;
            const Anchor anchor = anchorAt(event->position().toPoint());
            double percent = zoomPercent();
            for (int i = 0; i < std::abs(steps); ++i)
                percent = nextZoomStep(percent, steps);
            m_zoom = Zoom::percentOf(percent);
            applyZoom(anchor);
            emit zoomChanged();
        }
        event->accept();
        return;
    }
    if (m_layout.mode() == PageViewMode::SinglePage && delta != 0) {
        // At the end of the page the wheel turns to the next one.
        QScrollBar* bar = verticalScrollBar();
        if (delta < 0 && bar->value() == bar->maximum() && m_current + 1 < m_layout.pageCount()) {
            goToPage(m_current + 1);
            event->accept();
            return;
        }
        if (delta > 0 && bar->value() == bar->minimum() && m_current > 0) {
            goToPage(m_current - 1);
            bar->setValue(bar->maximum());
            event->accept();
            return;
        }
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PagesView::scrollPage(int direction)
{
    QScrollBar* bar = verticalScrollBar();
    if (m_layout.mode() == PageViewMode::SinglePage) {
        if (direction > 0 && bar->value() == bar->maximum()) {
            goToPage(m_current + 1);
            return;
        }
        if (direction < 0 && bar->value() == bar->minimum()) {
            if (m_current > 0) {
                goToPage(m_current - 1);
                bar->setValue(bar->maximum());
            }
            return;
        }
    }
    bar->triggerAction(direction > 0 ? QAbstractSlider::SliderPageStepAdd
                                     : QAbstractSlider::SliderPageStepSub);
}

void PagesView::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool wide = horizontalScrollBar()->maximum() > 0;
    switch (event->key()) {
    case Qt::Key_PageDown:
        scrollPage(1);
        break;
    case Qt::Key_PageUp:
        scrollPage(-1);
        break;
    case Qt::Key_Home:
        goToPage(0);
        break;
    case Qt::Key_End:
        goToPage(m_layout.pageCount() - 1);
        break;
    case Qt::Key_Down:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Up:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        if (wide)
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else
            goToPage(m_current + 1);
        break;
    case Qt::Key_Left:
        if (wide)
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else
            goToPage(std::max(0, m_current - 1));
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (!control)
            return QAbstractScrollArea::keyPressEvent(event);
        zoomStep(1);
        break;
    case Qt::Key_Minus:
        if (!control)
            return QAbstractScrollArea::keyPressEvent(event);
        zoomStep(-1);
        break;
    default:
        return QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

void PagesView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackground);
    if (m_pages == nullptr || m_layout.pageCount() == 0) {
        painter.setPen(QColor(235, 235, 235));
        painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, m_message);
        return;
    }
    const QRect visible = visibleContent();
    const auto [first, last] = m_layout.pagesIn(visible);
    for (int i = first; i <= last; ++i)
        paintPage(painter, i, m_layout.pageRect(i).translated(-visible.topLeft()));
    m_prefetch.start();
}

void PagesView::paintPage(QPainter& painter, int index, const QRect& rect)
{
    painter.fillRect(rect.translated(kShadowOffset, kShadowOffset), kShadow);
    const int widthPx = qRound(rect.width() * devicePixelRatioF());
    try {
        const RenderCache::Rendered rendered = m_cache.page(*m_pages, index, widthPx);
        if (m_layout.setPaperSize(index, rendered.paper)) {
            // Another paper than supposed: lay the pages out again and paint once more.
            updateScale();
            updateScrollBars();
            viewport()->update();
        }
        painter.drawImage(rect, rendered.image);
    } catch (const vb::Error& error) {
        painter.fillRect(rect, Qt::white);
        painter.setPen(Qt::darkRed);
        painter.drawText(rect.adjusted(12, 12, -12, -12), Qt::TextWordWrap, error.description());
    }
    painter.setPen(kPageBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    if (m_hit.page == index)
        paintHit(painter);
}

void PagesView::paintHit(QPainter& painter)
{
    const QRect hit = hitViewportRect().adjusted(-2, -1, 2, 1);
    if (hit.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kHitOutline, 1.5));
    painter.setBrush(kHitFill);
    painter.drawRoundedRect(hit, 2, 2);
    painter.restore();
}

void PagesView::prefetch()
{
    // The page just below (and above) what shows, rendered while nothing else is to be done,
    // so that scrolling on paints from the cache.
    if (m_pages == nullptr || m_layout.mode() == PageViewMode::SinglePage)
        return;
    const auto [first, last] = m_layout.pagesIn(visibleContent());
    for (const int index : {last + 1, first - 1}) {
        if (index < 0 || index >= m_layout.pageCount())
            continue;
        const int widthPx = qRound(m_layout.pageRect(index).width() * devicePixelRatioF());
        if (m_cache.holds(index, widthPx))
            continue;
        try {
            m_cache.page(*m_pages, index, widthPx);
        } catch (const vb::Error&) {
            // Painting the page will show the error.
        }
        return;
    }
}

} // namespace report
