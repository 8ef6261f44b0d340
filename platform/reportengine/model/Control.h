#pragma once

// The controls of a report section, reached by name: labels, text boxes, pictures, lines,
// shapes and sub-report containers. Every control has a box in twips relative to its section,
// visibility, a font, a fore colour and a background. Module code reads and writes these inside
// the report's events; what they hold when a section is placed is what prints.

#include "platform/reportengine/page/DisplayItem.h"
#include "platform/vb/Variant.h"

#include <QImage>
#include <QString>

namespace report {

class Report;

enum class ControlKind
{
    Label,
    TextBox,
    Picture,
    Line,
    Shape,
    SubReport,
};

enum class BackStyle
{
    Transparent = 0,
    Opaque = 1,
};

class Control
{
public:
    Control(ControlKind kind, QString name) : m_kind(kind), m_name(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const noexcept { return m_kind; }
    const QString& name() const noexcept { return m_name; }

    int left() const noexcept { return m_left; }
    int top() const noexcept { return m_top; }
    int width() const noexcept { return m_width; }
    int height() const noexcept { return m_height; }
    void setLeft(int twips) { m_left = twips; }
    void setTop(int twips) { m_top = twips; }
    void setWidth(int twips) { m_width = twips; }
    void setHeight(int twips) { m_height = twips; }
    TwipRect rect() const noexcept { return {m_left, m_top, m_width, m_height}; }

    bool visible() const noexcept { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    const FontSpec& font() const noexcept { return m_font; }
    FontSpec& font() noexcept { return m_font; }
    void setFont(const FontSpec& font) { m_font = font; }
    QRgb foreColor() const noexcept { return m_foreColor; }
    void setForeColor(QRgb color) { m_foreColor = color; }
    BackStyle backStyle() const noexcept { return m_backStyle; }
    void setBackStyle(BackStyle style) { m_backStyle = style; }
    QRgb backColor() const noexcept { return m_backColor; }
    void setBackColor(QRgb color) { m_backColor = color; }

private:
    ControlKind m_kind;
    QString m_name;
    int m_left = 0;
    int m_top = 0;
    int m_width = 1440;
    int m_height = 288;
    bool m_visible = true;
    FontSpec m_font;
    QRgb m_foreColor = 0xff000000;
    BackStyle m_backStyle = BackStyle::Transparent;
    QRgb m_backColor = 0xffffffff;
};

// What a text control shows beyond its own text.
enum class SummaryField
{
    None,
    PageNumber,
    PageCount,
};

// Label and text box share their text layout.
class TextControl : public Control
{
public:
    using Control::Control;

    HAlign alignment() const noexcept { return m_alignment; }
    void setAlignment(HAlign alignment) { m_alignment = alignment; }
    VAlign verticalAlignment() const noexcept { return m_valign; }
    void setVerticalAlignment(VAlign alignment) { m_valign = alignment; }
    bool wordWrap() const noexcept { return m_wordWrap; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; }
    // Grows its height to its text when the section is placed (text boxes; labels do not grow).
    bool canGrow() const noexcept { return m_canGrow; }
    void setCanGrow(bool canGrow) { m_canGrow = canGrow; }
    bool canShrink() const noexcept { return m_canShrink; }
    void setCanShrink(bool canShrink) { m_canShrink = canShrink; }

    // The text as shown (label: Caption, text box: Text).
    virtual QString displayText() const = 0;

private:
    HAlign m_alignment = HAlign::Left;
    VAlign m_valign = VAlign::Top;
    bool m_wordWrap = true;
    bool m_canGrow = false;
    bool m_canShrink = false;
};

class Label : public TextControl
{
public:
    explicit Label(QString name) : TextControl(ControlKind::Label, std::move(name)) {}

    const QString& caption() const noexcept { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    QString displayText() const override { return m_caption; }

private:
    QString m_caption;
};

class TextBox : public TextControl
{
public:
    explicit TextBox(QString name) : TextControl(ControlKind::TextBox, std::move(name)) {}

    const QString& text() const noexcept { return m_text; }
    void setText(const QString& text) { m_text = text; }
    QString displayText() const override { return m_text; }

    // The field of the data control's current row this box shows ("" for none).
    const QString& dataField() const noexcept { return m_dataField; }
    void setDataField(const QString& field) { m_dataField = field; }
    // A VB format text applied to the bound value (Format$ of the field); "" shows it as is.
    const QString& outputFormat() const noexcept { return m_outputFormat; }
    void setOutputFormat(const QString& format) { m_outputFormat = format; }
    // Page number or page count instead of text.
    SummaryField summaryField() const noexcept { return m_summary; }
    void setSummaryField(SummaryField field) { m_summary = field; }

    // The bound field's value as it was bound (Empty before binding, Null for database Null).
    const vb::Variant& dataValue() const noexcept { return m_dataValue; }
    // Binds a field value: keeps it and sets Text to it formatted with OutputFormat.
    void bindValue(const vb::Variant& value);

private:
    QString m_text;
    QString m_dataField;
    QString m_outputFormat;
    SummaryField m_summary = SummaryField::None;
    vb::Variant m_dataValue;
};

// An image control: a picture loaded from a file or stored in the layout.
class Picture : public Control
{
public:
    explicit Picture(QString name) : Control(ControlKind::Picture, std::move(name)) {}

    const QImage& picture() const noexcept { return m_picture; }
    // A picture that cannot be read leaves the control empty and returns false; a report
    // never stops for a picture.
    bool loadPicture(const QString& fileName);
    void setPicture(const QImage& picture) { m_picture = picture; }
    void clearPicture() { m_picture = {}; }
    bool hasPicture() const noexcept { return !m_picture.isNull(); }
    // The picture's own size in hundredths of a millimetre (HIMETRIC), 0 without a picture.
    int pictureWidthHimetric() const;
    int pictureHeightHimetric() const;

    SizeMode sizeMode() const noexcept { return m_sizeMode; }
    void setSizeMode(SizeMode mode) { m_sizeMode = mode; }
    // The bound field holding the picture's path ("" for none).
    const QString& dataField() const noexcept { return m_dataField; }
    void setDataField(const QString& field) { m_dataField = field; }

    // Draws an outline around the box (set in the layout).
    bool border() const noexcept { return m_border; }
    void setBorder(bool border) { m_border = border; }

private:
    QImage m_picture;
    SizeMode m_sizeMode = SizeMode::Clip;
    QString m_dataField;
    bool m_border = false;
};

// A line from (x1, y1) to (x2, y2) in section twips. Left/Top/Width/Height follow the ends.
class LineControl : public Control
{
public:
    explicit LineControl(QString name) : Control(ControlKind::Line, std::move(name)) {}

    int x1() const noexcept { return left(); }
    int y1() const noexcept { return top(); }
    int x2() const noexcept { return left() + width(); }
    int y2() const noexcept { return top() + height(); }
    void setEnds(int x1, int y1, int x2, int y2);

    int lineWeight() const noexcept { return m_weight; }
    void setLineWeight(int twips) { m_weight = twips; }
    int lineStyle() const noexcept { return m_style; } // Qt::PenStyle
    void setLineStyle(int style) { m_style = style; }

private:
    int m_weight = 15;
    int m_style = 1;
};

// A rectangle, ellipse or rounded rectangle, outlined in the fore colour; frames and boxes.
class Shape : public Control
{
public:
    explicit Shape(QString name) : Control(ControlKind::Shape, std::move(name)) {}

    ShapeKind shapeKind() const noexcept { return m_shape; }
    void setShapeKind(ShapeKind kind) { m_shape = kind; }
    int lineWeight() const noexcept { return m_weight; }
    void setLineWeight(int twips) { m_weight = twips; }
    // No outline when false (a filled box only).
    bool outlined() const noexcept { return m_outlined; }
    void setOutlined(bool outlined) { m_outlined = outlined; }

private:
    ShapeKind m_shape = ShapeKind::Rectangle;
    int m_weight = 15;
    bool m_outlined = true;
};

// A container that prints another report inside a section, once for every row of its parent.
// The sub-report object belongs to the module that attaches it; the container only refers to
// it, and the module detaches it before releasing it.
class SubReport : public Control
{
public:
    explicit SubReport(QString name) : Control(ControlKind::SubReport, std::move(name)) {}

    Report* report() const noexcept { return m_report; }
    void setReport(Report* report) { m_report = report; }

private:
    Report* m_report = nullptr;
};

} // namespace report
