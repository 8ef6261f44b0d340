#pragma once

// The preview control: the viewer of a report's pages. It shows the pages while the report is
// still being generated (the first page at once, the page count growing), zooms (fit width,
// fit page, percentages, Ctrl+wheel), shows the pages one below the other or one at a time,
// with page thumbnails, goes to a page, finds text across the pages with the hit highlighted,
// and pages with the keys. Its toolbar's tools carry numeric identifiers: every click is
// reported by toolClicked(id), and the control acts itself on the identifiers of its own tools
// (ToolBarModel.h), so a program can add tools and take over one of the control's own by giving
// it another identifier. generationFinished() marks the end of the report's generation.
//
// Pages are painted through the report engine's renderer, from a cache of rendered pages.
//
//     PreviewControl preview;
//     preview.setReport(&report);   // runs the report from the event loop if it has not run
//     connect(&preview, &PreviewControl::toolClicked, ...);

#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/preview/PageLayout.h"
#include "platform/reportengine/preview/TextFinder.h"
#include "platform/reportengine/preview/ToolBarModel.h"
#include "platform/reportengine/preview/Zoom.h"
#include "platform/reportengine/print/Printer.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace report {

class FindBar;
class PagesView;
class PreviewToolBar;
class ThumbnailPanel;

class PreviewControl : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewControl(QWidget* parent = nullptr);
    ~PreviewControl() override;

    // The report shown (the caller's; null shows none). A report that has not been generated
    // yet is run as soon as the event loop runs, so that its pages show as they are made.
    void setReport(Report* report);
    Report* report() const { return m_report; }
    // The printer the preview prints on: the report's while there is one, else its own.
    Printer& printer();

    ToolBarModel& toolBar() noexcept { return m_tools; }
    PreviewToolBar& toolBarWidget() const noexcept { return *m_toolBar; }
    PagesView& pagesView() const noexcept { return *m_pages; }
    ThumbnailPanel& thumbnails() const noexcept { return *m_thumbnails; }
    FindBar& findBar() const noexcept { return *m_findBar; }

    int pageCount() const;
    // 1-based; 0 without pages.
    int currentPageNumber() const;
    void goToPage(int pageNumber);

    void setZoom(const Zoom& zoom);
    Zoom zoom() const;
    // The percentage of real size shown now.
    double zoomPercent() const;

    void setViewMode(PageViewMode mode);
    PageViewMode viewMode() const;
    void setThumbnailsVisible(bool visible);
    bool thumbnailsVisible() const;

    // Finds the next (previous) place of `text` after the last hit, or from the current page
    // for a new text, shows it highlighted and returns true; false when it is nowhere.
    bool find(const QString& text, const FindOptions& options = {});
    const FindHit& lastHit() const noexcept { return m_lastHit; }
    void showFindBar();

    // The control's own print tool: the report's print with the print dialog.
    void print();

signals:
    void toolClicked(int id);
    void pageCountChanged(int count);
    void currentPageChanged(int pageNumber);
    void generationFinished();
    void zoomChanged();

private:
    void onToolClicked(int id);
    void runReport();
    void onPageAdded();
    void onGenerationFinished();
    void onCurrentPageChanged(int index);
    void refreshPageCountText();
    void detachReport();
    void syncTools();
    void setToolChecked(int id, bool checked);
    void findFromBar(bool backwards);
    void updateFindStatus(bool found);

    ToolBarModel m_tools;
    PreviewToolBar* m_toolBar;
    PagesView* m_pages;
    ThumbnailPanel* m_thumbnails;
    FindBar* m_findBar;
    QPointer<Report> m_report;
    Printer m_ownPrinter;
    FindHit m_lastHit;
    QTimer m_runSoon;
    QTimer m_countRefresh;
};

} // namespace report
