#pragma once

// What a generated page is made of: device-independent drawing items in twips, measured from
// the top left corner of the paper. The paginator makes them, every output reads them: the
// renderer paints them, the export filters translate them. Text is stored already broken into
// lines, so every output shows the same line breaks the paginator measured.

#include "platform/reportengine/page/FontSpec.h"
#include "platform/reportengine/Twips.h"

#include <cstdint>
#include <optional>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <variant>

namespace report {

enum class HAlign : std::uint8_t
{
    Left = 0,
    Right = 1,
    Center = 2,
    Justify = 3,
};

enum class VAlign : std::uint8_t
{
    Top = 0,
    Middle = 1,
    Bottom = 2,
};

// A text whose value is only known when the page collection is complete.
enum class PageField : std::uint8_t
{
    None = 0,
    PageNumber = 1, // the number of the page the item is on
    PageCount = 2,  // the number of pages of the finished collection
};

// One text box or label as placed: its box, optional background, and its lines. Line i is
// drawn with its top at rect.top + i * lineHeight (after vertical alignment inside rect), and
// aligned horizontally inside rect. For a PageField item `lines` holds the text to show until
// the field is resolved; PageDocument::page() resolves it.
struct TextItem
{
    TwipRect rect;
    QStringList lines;
    FontSpec font;
    QRgb color = 0xff000000;
    std::optional<QRgb> backColor; // unset: transparent
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
    int lineHeight = 0; // twips between line tops
    PageField field = PageField::None;
    QString name; // the control it came from, for tests and exports ("" when none)

    QString text() const { return lines.join(QLatin1Char('\n')); }
    friend bool operator==(const TextItem&, const TextItem&) = default;
};

// A straight line between two points.
struct LineItem
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int width = 15; // pen width in twips (15 twips: three quarters of a point)
    QRgb color = 0xff000000;
    std::uint8_t style = 1; // Qt::PenStyle: 1 solid, 2 dash, 3 dot, ...
    friend bool operator==(const LineItem&, const LineItem&) = default;
};

enum class ShapeKind : std::uint8_t
{
    Rectangle = 0,
    Ellipse = 1,
    RoundRect = 2,
};

// A filled and/or outlined shape: section and control backgrounds, frames, boxes.
struct ShapeItem
{
    TwipRect rect;
    ShapeKind kind = ShapeKind::Rectangle;
    std::optional<QRgb> fill;   // unset: not filled
    std::optional<QRgb> border; // unset: no outline
    int borderWidth = 15;
    std::uint8_t borderStyle = 1; // Qt::PenStyle
    friend bool operator==(const ShapeItem&, const ShapeItem&) = default;
};

enum class SizeMode : std::uint8_t
{
    Clip = 0,    // natural size at the top left, cut at the box
    Stretch = 1, // fills the box, proportions lost
    Zoom = 2,    // as large as fits, proportions kept, centred
};

// A picture from the collection's image store.
struct ImageItem
{
    TwipRect rect;
    std::uint32_t imageId = 0; // ImageStore id
    SizeMode sizeMode = SizeMode::Clip;
    friend bool operator==(const ImageItem&, const ImageItem&) = default;
};

using DisplayItem = std::variant<TextItem, LineItem, ShapeItem, ImageItem>;

// An entry of the report's table of contents: a group header where it first appears.
struct TocEntry
{
    int level = 0; // 0 for the outermost group
    QString text;
    int y = 0; // twips from the top of the page
    friend bool operator==(const TocEntry&, const TocEntry&) = default;
};

} // namespace report
