#pragma once

// The preview's toolbar as widgets: one button per tool of the toolbar model, the zoom box
// and the page box, rebuilt when tools are added or renumbered. A click reports the tool's
// identifier as it is at the time of the click.

#include "platform/reportengine/preview/ToolBarModel.h"
#include "platform/reportengine/preview/Zoom.h"

#include <QToolBar>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace report {

class PreviewToolBar : public QToolBar
{
    Q_OBJECT

public:
    PreviewToolBar(ToolBarModel& model, QWidget* parent = nullptr);

    // The action of the tool at `position` (null for separators and boxes).
    QAction* actionAt(int position) const;
    // The button that shows the tool at `position` (what a user clicks), or null.
    QWidget* buttonAt(int position) const;
    QComboBox* zoomBox() const { return m_zoomBox; }
    QLineEdit* pageBox() const { return m_pageBox; }

    void setZoomText(const QString& text);
    // "3" in the page box and "/ 12" beside it; an empty box without pages.
    void setPageInfo(int pageNumber, int pageCount);

signals:
    void toolClicked(int id);
    void zoomEntered(const report::Zoom& zoom);
    void pageEntered(int pageNumber);

private:
    void rebuild();
    void refresh(int position);
    void addZoomBox();
    void addPageBox();
    void enterZoom(const QString& text);

    ToolBarModel& m_model;
    std::vector<QAction*> m_actions; // by position; null where a tool has no action
    QComboBox* m_zoomBox = nullptr;
    QLineEdit* m_pageBox = nullptr;
    QLabel* m_pageCount = nullptr;
    QString m_zoomText;
    int m_pageNumber = 0;
    int m_pages = 0;
};

} // namespace report
