// The preview toolbar's tools: the preview's own set and the changes a program makes to it.
#include "platform/reportengine/preview/ToolBarModel.h"

#include "platform/reportengine/preview/ToolIcons.h"
#include "platform/vb/Error.h"

using namespace Qt::StringLiterals;

namespace report {

namespace {

PreviewTool button(int id, const QString& caption, const QString& toolTip, ToolIcon icon,
                   ToolKind kind = ToolKind::Button)
{
    PreviewTool tool;
    tool.id = id;
    tool.kind = kind;
    tool.caption = caption;
    tool.toolTip = toolTip;
    tool.icon = toolIcon(icon);
    return tool;
}

PreviewTool separator()
{
    PreviewTool tool;
    tool.kind = ToolKind::Separator;
    return tool;
}

PreviewTool box(int id, ToolKind kind, const QString& caption)
{
    PreviewTool tool;
    tool.id = id;
    tool.kind = kind;
    tool.caption = caption;
    tool.toolTip = caption;
    return tool;
}

std::vector<PreviewTool> ownTools()
{
    return {
        button(kToolThumbnails, u"Thumbnails"_s, u"Show page thumbnails"_s, ToolIcon::Thumbnails,
               ToolKind::Toggle),
        separator(),
        button(kToolPrint, u"Print"_s, u"Print the report"_s, ToolIcon::Print),
        separator(),
        button(kToolFind, u"Find"_s, u"Find text (Ctrl+F)"_s, ToolIcon::Find),
        separator(),
        button(kToolSinglePage, u"Single page"_s, u"One page at a time"_s, ToolIcon::SinglePage,
               ToolKind::Toggle),
        button(kToolContinuous, u"Continuous"_s, u"Pages one below the other"_s,
               ToolIcon::Continuous, ToolKind::Toggle),
        separator(),
        button(kToolZoomOut, u"Zoom out"_s, u"Zoom out (Ctrl+-)"_s, ToolIcon::ZoomOut),
        button(kToolZoomIn, u"Zoom in"_s, u"Zoom in (Ctrl++)"_s, ToolIcon::ZoomIn),
        box(kToolZoomBox, ToolKind::ZoomBox, u"Zoom"_s),
        button(kToolFitWidth, u"Fit width"_s, u"Page width in the window"_s, ToolIcon::FitWidth,
               ToolKind::Toggle),
        button(kToolFitPage, u"Fit page"_s, u"Whole page in the window"_s, ToolIcon::FitPage,
               ToolKind::Toggle),
        separator(),
        button(kToolFirstPage, u"First page"_s, u"First page (Home)"_s, ToolIcon::FirstPage),
        button(kToolPreviousPage, u"Previous page"_s, u"Previous page"_s, ToolIcon::PreviousPage),
        box(kToolPageBox, ToolKind::PageBox, u"Page"_s),
        button(kToolNextPage, u"Next page"_s, u"Next page"_s, ToolIcon::NextPage),
        button(kToolLastPage, u"Last page"_s, u"Last page (End)"_s, ToolIcon::LastPage),
        separator(),
    };
}

} // namespace

ToolBarModel::ToolBarModel(QObject* parent) : QObject(parent), m_tools(ownTools()) {}

const PreviewTool& ToolBarModel::tool(int position) const
{
    checkPosition(position);
    return m_tools[position];
}

PreviewTool& ToolBarModel::at(int position)
{
    checkPosition(position);
    return m_tools[position];
}

void ToolBarModel::checkPosition(int position, bool forInsert) const
{
    const int last = forInsert ? count() : count() - 1;
    if (position < 0 || position > last)
        throw vb::Error(
            vb::ErrorNumber::SubscriptOutOfRange,
            u"There is no toolbar tool at position %1 (the toolbar has %2)"_s.arg(position).arg(
                count()),
            u"Toolbar"_s);
}

int ToolBarModel::positionOf(int id) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_tools[i].kind != ToolKind::Separator && m_tools[i].id == id)
            return i;
    }
    return -1;
}

int ToolBarModel::add(const PreviewTool& tool)
{
    m_tools.push_back(tool);
    emit toolsChanged();
    return count() - 1;
}

void ToolBarModel::insert(int position, const PreviewTool& tool)
{
    checkPosition(position, true);
    m_tools.insert(m_tools.begin() + position, tool);
    emit toolsChanged();
}

void ToolBarModel::remove(int position)
{
    checkPosition(position);
    m_tools.erase(m_tools.begin() + position);
    emit toolsChanged();
}

void ToolBarModel::setId(int position, int id)
{
    at(position).id = id;
    emit toolsChanged();
}

void ToolBarModel::setCaption(int position, const QString& caption)
{
    at(position).caption = caption;
    emit toolChanged(position);
}

void ToolBarModel::setEnabled(int position, bool enabled)
{
    setFlag(position, &PreviewTool::enabled, enabled);
}

void ToolBarModel::setVisible(int position, bool visible)
{
    setFlag(position, &PreviewTool::visible, visible);
}

void ToolBarModel::setChecked(int position, bool checked)
{
    setFlag(position, &PreviewTool::checked, checked);
}

void ToolBarModel::setFlag(int position, bool PreviewTool::*flag, bool value)
{
    PreviewTool& tool = at(position);
    if (tool.*flag != value) {
        tool.*flag = value;
        emit toolChanged(position);
    }
}

} // namespace report
