#pragma once

// The tools of the preview's toolbar, by position: what each is (button, on/off button,
// separator, the zoom box, the page box), its numeric identifier, caption, icon and state.
// A click on a tool is reported with the tool's identifier; the preview itself acts only on
// the identifiers of its own tools (kTool...), so a program that gives one of them another
// identifier takes that tool over, and tools it adds are its own.
//
// Positions count from 0. A position out of range raises vb::Error 9.

#include <QIcon>
#include <QObject>
#include <QString>
#include <vector>

namespace report {

enum class ToolKind
{
    Button,
    Toggle, // on/off button
    Separator,
    ZoomBox,
    PageBox,
};

// Identifiers of the preview's own tools.
inline constexpr int kToolThumbnails = 1;
inline constexpr int kToolPrint = 2;
inline constexpr int kToolFind = 3;
inline constexpr int kToolSinglePage = 4;
inline constexpr int kToolContinuous = 5;
inline constexpr int kToolZoomOut = 6;
inline constexpr int kToolZoomIn = 7;
inline constexpr int kToolZoomBox = 8;
inline constexpr int kToolFitWidth = 9;
inline constexpr int kToolFitPage = 10;
inline constexpr int kToolFirstPage = 11;
inline constexpr int kToolPreviousPage = 12;
inline constexpr int kToolPageBox = 13;
inline constexpr int kToolNextPage = 14;
inline constexpr int kToolLastPage = 15;

struct PreviewTool
{
    int id = 0; // 0 for separators
    ToolKind kind = ToolKind::Button;
    QString caption;
    QString toolTip;
    QIcon icon; // a button without an icon shows its caption
    bool enabled = true;
    bool visible = true;
    bool checked = false; // on/off buttons
};

class ToolBarModel : public QObject
{
    Q_OBJECT

public:
    // The preview's own 21 tools (positions 0 to 20): thumbnails, print at position 2, find,
    // page modes, zoom, and page navigation, with separators between the groups.
    explicit ToolBarModel(QObject* parent = nullptr);

    int count() const noexcept { return static_cast<int>(m_tools.size()); }
    const PreviewTool& tool(int position) const;
    // The position of the first tool with identifier `id`, or -1.
    int positionOf(int id) const;

    // Adds a tool at the end and returns its position.
    int add(const PreviewTool& tool);
    void insert(int position, const PreviewTool& tool);
    void remove(int position);

    void setId(int position, int id);
    void setCaption(int position, const QString& caption);
    void setEnabled(int position, bool enabled);
    void setVisible(int position, bool visible);
    void setChecked(int position, bool checked);

signals:
    // Tools were added, removed or given another identifier.
    void toolsChanged();
    // The caption or state of the tool at `position` changed.
    void toolChanged(int position);

private:
    PreviewTool& at(int position);
    void setFlag(int position, bool PreviewTool::*flag, bool value);
    void checkPosition(int position, bool forInsert = false) const;

    std::vector<PreviewTool> m_tools;
};

} // namespace report
