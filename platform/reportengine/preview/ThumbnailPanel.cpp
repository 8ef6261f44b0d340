// The preview's thumbnails: a list model that renders a page only when the list shows it.
#include "platform/reportengine/preview/ThumbnailPanel.h"

#include "platform/vb/Error.h"

#include <QAbstractListModel>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace report {

class ThumbnailModel : public QAbstractListModel
{
public:
    explicit ThumbnailModel(QObject* parent) : QAbstractListModel(parent), m_cache(kBudget) {}

    void setDocument(const PageDocument* pages)
    {
        beginResetModel();
        m_pages = pages;
        m_count = pages != nullptr ? pages->count() : 0;
        m_cache.clear();
        endResetModel();
    }

    void pagesChanged()
    {
        const int count = m_pages != nullptr ? m_pages->count() : 0;
        if (count < m_count) {
            setDocument(m_pages);
        } else if (count > m_count) {
            beginInsertRows({}, m_count, count - 1);
            m_count = count;
            endInsertRows();
        }
    }

    void pageCountTextChanged()
    {
        m_cache.dropCountDependent();
        if (m_count > 0)
            emit dataChanged(index(0), index(m_count - 1), {Qt::DecorationRole});
    }

    int rendered() const { return m_cache.renders(); }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_count;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_count)
            return {};
        if (role == Qt::DisplayRole)
            return QString::number(index.row() + 1);
        if (role == Qt::DecorationRole)
            return thumbnail(index.row());
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignHCenter | Qt::AlignTop);
        return {};
    }

private:
    static constexpr std::int64_t kBudget = 16ll * 1024 * 1024;

    QPixmap thumbnail(int row) const
    {
        QImage image;
        try {
            image = m_cache.page(*m_pages, row, ThumbnailPanel::kThumbnailWidth).image;
        } catch (const vb::Error&) {
            image = QImage(ThumbnailPanel::kThumbnailWidth,
                           ThumbnailPanel::kThumbnailWidth * 11 / 8, QImage::Format_RGB32);
            image.fill(Qt::white);
        }
        QPixmap framed = QPixmap::fromImage(image);
        QPainter painter(&framed);
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(framed.rect().adjusted(0, 0, -1, -1));
        return framed;
    }

    const PageDocument* m_pages = nullptr;
    int m_count = 0;
    mutable RenderCache m_cache;
};

ThumbnailPanel::ThumbnailPanel(QWidget* parent)
    : QListView(parent), m_model(new ThumbnailModel(this))
{
    setObjectName(u"thumbnailPanel"_s);
    setModel(m_model);
    setViewMode(QListView::IconMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true); // the list then asks only the rows in view for their picture
    setSpacing(6);
    setIconSize(QSize(kThumbnailWidth, kThumbnailWidth * 3 / 2));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedWidth(kThumbnailWidth + 48);
    connect(this, &QListView::clicked, this,
            [this](const QModelIndex& index) { emit pageClicked(index.row()); });
    connect(this, &QListView::activated, this,
            [this](const QModelIndex& index) { emit pageClicked(index.row()); });
}

ThumbnailPanel::~ThumbnailPanel() = default;

void ThumbnailPanel::setDocument(const PageDocument* pages)
{
    m_model->setDocument(pages);
}

void ThumbnailPanel::pagesChanged()
{
    m_model->pagesChanged();
}

void ThumbnailPanel::pageCountTextChanged()
{
    m_model->pageCountTextChanged();
}

void ThumbnailPanel::setCurrentPage(int index)
{
    if (index < 0 || index >= m_model->rowCount({}))
        return;
    const QModelIndex row = m_model->index(index);
    if (currentIndex() != row)
        setCurrentIndex(row);
    scrollTo(row);
}

int ThumbnailPanel::rendered() const
{
    return m_model->rendered();
}

} // namespace report
