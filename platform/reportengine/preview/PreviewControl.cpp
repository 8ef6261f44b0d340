// The preview control: toolbar, thumbnails, pages and find bar around one report.
#include "platform/reportengine/preview/PreviewControl.h"

#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/preview/FindBar.h"
#include "platform/reportengine/preview/PagesView.h"
#include "platform/reportengine/preview/PreviewToolBar.h"
#include "platform/reportengine/preview/ThumbnailPanel.h"
#include "platform/shell/MsgBox.h"
#include "platform/vb/Error.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kCountRefreshMs = 300; // how often a growing page count is painted anew

} // namespace

PreviewControl::PreviewControl(QWidget* parent)
    : QWidget(parent), m_toolBar(new PreviewToolBar(m_tools, this)), m_pages(new PagesView(this)),
      m_thumbnails(new ThumbnailPanel(this)), m_findBar(new FindBar(this))
{
    setObjectName(u"previewControl"_s);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_toolBar);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(m_thumbnails);
    row->addWidget(m_pages, 1);
    column->addLayout(row, 1);
    column->addWidget(m_findBar);
    m_thumbnails->hide();
    m_findBar->hide();
    setFocusProxy(m_pages);

    m_runSoon.setSingleShot(true);
    m_runSoon.setInterval(0);
    connect(&m_runSoon, &QTimer::timeout, this, &PreviewControl::runReport);
    m_countRefresh.setSingleShot(true);
    m_countRefresh.setInterval(kCountRefreshMs);
    connect(&m_countRefresh, &QTimer::timeout, this, &PreviewControl::refreshPageCountText);

    connect(m_toolBar, &PreviewToolBar::toolClicked, this, &PreviewControl::onToolClicked);
    connect(m_toolBar, &PreviewToolBar::zoomEntered, this, &PreviewControl::setZoom);
    connect(m_toolBar, &PreviewToolBar::pageEntered, this, &PreviewControl::goToPage);
    connect(&m_tools, &ToolBarModel::toolsChanged, this, &PreviewControl::syncTools);
    connect(m_pages, &PagesView::currentPageChanged, this, &PreviewControl::onCurrentPageChanged);
    connect(m_pages, &PagesView::zoomChanged, this, [this] {
        syncTools();
        emit zoomChanged();
    });
    connect(m_thumbnails, &ThumbnailPanel::pageClicked, this,
            [this](int index) { m_pages->goToPage(index); });
    connect(m_findBar, &FindBar::findRequested, this, &PreviewControl::findFromBar);
    connect(m_findBar, &FindBar::textEdited, this, [this] { m_lastHit = {}; });
    connect(m_findBar, &FindBar::closed, this, [this] {
        m_pages->showHit({});
        m_pages->setFocus();
    });

    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    findShortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(findShortcut, &QShortcut::activated, this, &PreviewControl::showFindBar);
    auto* findNextShortcut = new QShortcut(QKeySequence::FindNext, this);
    findNextShortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(findNextShortcut, &QShortcut::activated, this, [this] { findFromBar(false); });

    syncTools();
}

PreviewControl::~PreviewControl()
{
    // A generation still running (this control's window closed during it) ends at its next row.
    if (m_report && m_report->isRunning())
        m_report->stop();
    // Children still send signals while they are destroyed (the zoom box's editor loses the
    // focus and reports its text); none of them may reach this control any more.
    for (QObject* child : children())
        child->disconnect(this);
}

void PreviewControl::setReport(Report* report)
{
    detachReport();
    m_report = report;
    m_lastHit = {};
    const PageDocument* pages = report != nullptr ? &report->pages() : nullptr;
    m_pages->setDocument(pages);
    m_thumbnails->setDocument(pages);
    if (report != nullptr) {
        connect(report, &Report::pageAdded, this, &PreviewControl::onPageAdded);
        connect(report, &Report::generationFinished, this, &PreviewControl::onGenerationFinished);
        connect(report, &QObject::destroyed, this, [this] {
            m_pages->setDocument(nullptr);
            m_thumbnails->setDocument(nullptr);
        });
        if (report->pages().state() == GenerationState::Empty && !report->isRunning())
            m_runSoon.start();
    }
    onGenerationFinished(); // the message for the state the pages are in
    emit pageCountChanged(pageCount());
}

void PreviewControl::detachReport()
{
    m_runSoon.stop();
    if (m_report)
        disconnect(m_report, nullptr, this, nullptr);
    m_report = nullptr;
}

Printer& PreviewControl::printer()
{
    return m_report ? m_report->printer() : m_ownPrinter;
}

void PreviewControl::runReport()
{
    if (!m_report || m_report->isRunning() || m_report->pages().state() != GenerationState::Empty)
        return;
    m_pages->setMessage(u"Generating the report\u2026"_s);
    const QPointer<Report> report = m_report;
    try {
        report->run();
    } catch (const vb::Error&) {
        // The page document keeps the error; generationFinished shows it.
    } catch (const std::exception&) {
        // Nothing else is known about it; the pages made so far stay.
    }
}

void PreviewControl::onPageAdded()
{
    m_pages->pagesChanged();
    m_thumbnails->pagesChanged();
    if (!m_countRefresh.isActive())
        m_countRefresh.start();
    m_toolBar->setPageInfo(currentPageNumber(), pageCount());
    emit pageCountChanged(pageCount());
}

void PreviewControl::onGenerationFinished()
{
    m_countRefresh.stop();
    m_pages->pagesChanged();
    m_thumbnails->pagesChanged();
    refreshPageCountText();
    QString message;
    if (!m_report) {
        message = QString();
    } else {
        const PageDocument& pages = m_report->pages();
        switch (pages.state()) {
        case GenerationState::Empty:
        case GenerationState::Running:
            message = u"Generating the report\u2026"_s;
            break;
        case GenerationState::Failed:
            message = u"The report could not be made:\n%1"_s.arg(pages.errorDescription());
            break;
        case GenerationState::Finished:
        case GenerationState::Stopped:
            message = u"The report has no pages."_s;
            break;
        }
    }
    m_pages->setMessage(message);
    m_toolBar->setPageInfo(currentPageNumber(), pageCount());
    if (m_report && !m_report->isRunning() && m_report->pages().state() != GenerationState::Empty)
        emit generationFinished();
}

void PreviewControl::refreshPageCountText()
{
    m_pages->pageCountTextChanged();
    m_thumbnails->pageCountTextChanged();
}

void PreviewControl::onCurrentPageChanged(int index)
{
    m_toolBar->setPageInfo(index + 1, pageCount());
    if (m_thumbnails->isVisible())
        m_thumbnails->setCurrentPage(index);
    emit currentPageChanged(index + 1);
}

int PreviewControl::pageCount() const
{
    return m_pages->layout().pageCount();
}

int PreviewControl::currentPageNumber() const
{
    return m_pages->currentPage() + 1;
}

void PreviewControl::goToPage(int pageNumber)
{
    m_pages->goToPage(pageNumber - 1);
    m_toolBar->setPageInfo(currentPageNumber(), pageCount());
}

void PreviewControl::setZoom(const Zoom& zoom)
{
    m_pages->setZoom(zoom);
}

Zoom PreviewControl::zoom() const
{
    return m_pages->zoom();
}

double PreviewControl::zoomPercent() const
{
    return m_pages->zoomPercent();
}

void PreviewControl::setViewMode(PageViewMode mode)
{
    m_pages->setMode(mode);
    syncTools();
}

PageViewMode PreviewControl::viewMode() const
{
    return m_pages->mode();
}

void PreviewControl::setThumbnailsVisible(bool visible)
{
    m_thumbnails->setVisible(visible);
    if (visible)
        m_thumbnails->setCurrentPage(m_pages->currentPage());
    syncTools();
}

bool PreviewControl::thumbnailsVisible() const
{
    return !m_thumbnails->isHidden();
}

bool PreviewControl::find(const QString& text, const FindOptions& options)
{
    if (!m_report || text.isEmpty())
        return false;
    const FindHit from =
        m_lastHit.isValid() ? m_lastHit : FindHit{std::max(0, m_pages->currentPage())};
    std::optional<FindHit> hit;
    try {
        hit = findText(m_report->pages(), text, from, options);
    } catch (const vb::Error&) {
        // A page that cannot be read is not searched further.
    }
    m_lastHit = hit.value_or(FindHit{});
    m_pages->showHit(m_lastHit);
    updateFindStatus(hit.has_value());
    return hit.has_value();
}

void PreviewControl::showFindBar()
{
    m_findBar->activate();
}

void PreviewControl::findFromBar(bool backwards)
{
    if (m_findBar->isHidden()) {
        showFindBar();
        return;
    }
    find(m_findBar->text(), m_findBar->options(backwards));
}

void PreviewControl::updateFindStatus(bool found)
{
    m_findBar->setStatus(found ? u"Page %1"_s.arg(m_lastHit.page + 1) : u"Not found"_s);
}

void PreviewControl::print()
{
    if (!m_report)
        return;
    try {
        m_report->printReport(true);
    } catch (const vb::Error& error) {
        shell::msgBox(error.description(), shell::vbExclamation, window()->windowTitle());
    }
}

void PreviewControl::onToolClicked(int id)
{
    emit toolClicked(id);
    switch (id) {
    case kToolThumbnails:
        setThumbnailsVisible(!thumbnailsVisible());
        break;
    case kToolPrint:
        print();
        break;
    case kToolFind:
        showFindBar();
        break;
    case kToolSinglePage:
        setViewMode(PageViewMode::SinglePage);
        break;
    case kToolContinuous:
        setViewMode(PageViewMode::Continuous);
        break;
    case kToolZoomOut:
        m_pages->zoomStep(-1);
        break;
    case kToolZoomIn:
        m_pages->zoomStep(1);
        break;
    case kToolFitWidth:
        setZoom(Zoom::fitWidth());
        break;
    case kToolFitPage:
        setZoom(Zoom::fitPage());
        break;
    case kToolFirstPage:
        goToPage(1);
        break;
    case kToolPreviousPage:
        goToPage(std::max(1, currentPageNumber() - 1));
        break;
    case kToolNextPage:
        goToPage(currentPageNumber() + 1);
        break;
    case kToolLastPage:
        goToPage(pageCount());
        break;
    default:
        break; // a tool of the program's own
    }
    syncTools();
}

void PreviewControl::setToolChecked(int id, bool checked)
{
    const int position = m_tools.positionOf(id);
    if (position >= 0)
        m_tools.setChecked(position, checked);
}

void PreviewControl::syncTools()
{
    setToolChecked(kToolThumbnails, thumbnailsVisible());
    setToolChecked(kToolSinglePage, viewMode() == PageViewMode::SinglePage);
    setToolChecked(kToolContinuous, viewMode() == PageViewMode::Continuous);
    setToolChecked(kToolFitWidth, zoom().mode == ZoomMode::FitWidth);
    setToolChecked(kToolFitPage, zoom().mode == ZoomMode::FitPage);
    m_toolBar->setZoomText(zoomText(zoom()));
}

} // namespace report
