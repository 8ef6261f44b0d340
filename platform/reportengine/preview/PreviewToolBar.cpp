// The preview's toolbar widgets, made from the toolbar model.
#include "platform/reportengine/preview/PreviewToolBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace report {

PreviewToolBar::PreviewToolBar(ToolBarModel& model, QWidget* parent)
    : QToolBar(parent), m_model(model)
{
    setObjectName(u"previewToolBar"_s);
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(&m_model, &ToolBarModel::toolsChanged, this, &PreviewToolBar::rebuild);
    connect(&m_model, &ToolBarModel::toolChanged, this, &PreviewToolBar::refresh);
    rebuild();
}

QAction* PreviewToolBar::actionAt(int position) const
{
    if (position < 0 || position >= static_cast<int>(m_actions.size()))
        return nullptr;
    const ToolKind kind = m_model.tool(position).kind;
    if (kind != ToolKind::Button && kind != ToolKind::Toggle)
        return nullptr;
    return m_actions[position];
}

QWidget* PreviewToolBar::buttonAt(int position) const
{
    QAction* action = actionAt(position);
    return action != nullptr ? widgetForAction(action) : nullptr;
}

void PreviewToolBar::rebuild()
{
    // Later, not now: a tool's own click may be what renumbered the tools.
    const QList<QAction*> old = actions();
    clear();
    for (QAction* action : old)
        action->deleteLater();
    m_actions.clear();
    m_zoomBox = nullptr;
    m_pageBox = nullptr;
    m_pageCount = nullptr;
    for (int position = 0; position < m_model.count(); ++position) {
        const PreviewTool& tool = m_model.tool(position);
        switch (tool.kind) {
        case ToolKind::Separator:
            m_actions.push_back(addSeparator());
            break;
        case ToolKind::ZoomBox:
            addZoomBox();
            break;
        case ToolKind::PageBox:
            addPageBox();
            break;
        case ToolKind::Button:
        case ToolKind::Toggle: {
            QAction* action = addAction(tool.icon, tool.caption);
            action->setCheckable(tool.kind == ToolKind::Toggle);
            // The identifier is looked up at the click: it may have changed since.
            connect(action, &QAction::triggered, this,
                    [this, position] { emit toolClicked(m_model.tool(position).id); });
            m_actions.push_back(action);
            if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
                button->setObjectName(u"tool%1"_s.arg(position));
                if (tool.icon.isNull())
                    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            }
            break;
        }
        }
        refresh(position);
    }
    setZoomText(m_zoomText);
    setPageInfo(m_pageNumber, m_pages);
}

void PreviewToolBar::refresh(int position)
{
    if (position < 0 || position >= static_cast<int>(m_actions.size()))
        return;
    const PreviewTool& tool = m_model.tool(position);
    QAction* action = m_actions[position];
    if (action == nullptr)
        return;
    action->setVisible(tool.visible);
    action->setEnabled(tool.enabled);
    if (tool.kind == ToolKind::Button || tool.kind == ToolKind::Toggle) {
        action->setText(tool.caption);
        action->setToolTip(tool.toolTip.isEmpty() ? tool.caption : tool.toolTip);
        action->setChecked(tool.checked);
    }
}

void PreviewToolBar::addZoomBox()
{
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(u"zoomBox"_s);
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->setToolTip(u"Zoom"_s);
    for (const int step : zoomSteps())
        m_zoomBox->addItem(zoomText(Zoom::percentOf(step)));
    m_zoomBox->addItem(zoomText(Zoom::fitWidth()));
    m_zoomBox->addItem(zoomText(Zoom::fitPage()));
    m_zoomBox->setMinimumContentsLength(8);
    // A zoom picked from the list, or typed ("200") and confirmed with Enter.
    connect(m_zoomBox, &QComboBox::textActivated, this, &PreviewToolBar::enterZoom);
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { enterZoom(m_zoomBox->lineEdit()->text()); });
    m_actions.push_back(addWidget(m_zoomBox));
}

void PreviewToolBar::addPageBox()
{
    auto* box = new QWidget(this);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);
    m_pageBox = new QLineEdit(box);
    m_pageBox->setObjectName(u"pageBox"_s);
    m_pageBox->setToolTip(u"Go to page"_s);
    m_pageBox->setAlignment(Qt::AlignRight);
    m_pageBox->setValidator(new QIntValidator(1, 999999, m_pageBox));
    m_pageBox->setFixedWidth(m_pageBox->fontMetrics().horizontalAdvance(u"00000"_s) + 12);
    m_pageCount = new QLabel(box);
    m_pageCount->setObjectName(u"pageCount"_s);
    row->addWidget(m_pageBox);
    row->addWidget(m_pageCount);
    connect(m_pageBox, &QLineEdit::returnPressed, this,
            [this] { emit pageEntered(m_pageBox->text().toInt()); });
    m_actions.push_back(addWidget(box));
}

void PreviewToolBar::enterZoom(const QString& text)
{
    if (const std::optional<Zoom> zoom = parseZoom(text))
        emit zoomEntered(*zoom);
    else
        setZoomText(m_zoomText); // not a zoom: the box shows the zoom again
}

void PreviewToolBar::setZoomText(const QString& text)
{
    m_zoomText = text;
    if (m_zoomBox != nullptr)
        m_zoomBox->setEditText(text);
}

void PreviewToolBar::setPageInfo(int pageNumber, int pageCount)
{
    m_pageNumber = pageNumber;
    m_pages = pageCount;
    if (m_pageBox == nullptr)
        return;
    if (!m_pageBox->hasFocus())
        m_pageBox->setText(pageCount > 0 ? QString::number(pageNumber) : QString());
    m_pageCount->setText(u"/ %1"_s.arg(pageCount));
}

} // namespace report
