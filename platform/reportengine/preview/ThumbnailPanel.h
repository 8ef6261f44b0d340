#pragma once

// The preview's side panel of page thumbnails. A thumbnail is rendered only when the panel
// shows it (the list asks for the pictures of the rows in view), and kept in a cache of its
// own; a click goes to the page.

#include "platform/reportengine/preview/RenderCache.h"

#include <QListView>

namespace report {

class ThumbnailModel;

class ThumbnailPanel : public QListView
{
    Q_OBJECT

public:
    static constexpr int kThumbnailWidth = 110; // pixels

    explicit ThumbnailPanel(QWidget* parent = nullptr);
    ~ThumbnailPanel() override;

    // The document shown (not owned; null for none).
    void setDocument(const PageDocument* pages);
    void pagesChanged();
    // Pages showing the page count are drawn again.
    void pageCountTextChanged();
    // Marks page `index` as the current one and keeps it in view.
    void setCurrentPage(int index);

    // Thumbnails rendered so far (they are made only for rows in view).
    int rendered() const;

signals:
    void pageClicked(int index);

private:
    ThumbnailModel* m_model;
};

} // namespace report
