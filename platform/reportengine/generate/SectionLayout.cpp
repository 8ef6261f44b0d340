// Measuring, growing, pushing down and drawing one section.
#include "platform/reportengine/generate/SectionLayout.h"

#include "platform/reportengine/generate/GenerationContext.h"
#include "platform/reportengine/generate/SubReportRun.h"
#include "platform/reportengine/model/Report.h"

#include <algorithm>
#include <QHash>

namespace report {
namespace {

struct Geometry
{
    int top = 0;
    int height = 0;
};

struct GrownControl
{
    Control* control = nullptr;
    Geometry before; // as Format left it
    int top = 0;     // after pushing down
};

struct TextMeasure
{
    QString text;
    int width = 0;
    MeasuredText lines;
};

// What the section measured beyond its controls' own properties.
struct Measurements
{
    QHash<const Control*, TextMeasure> texts;
    QHash<const Control*, Band> subReports;
};

void measure(GenerationContext& context, Report& report, Section& section, int xOrigin,
             Measurements& measured)
{
    for (const auto& control : section.controls()) {
        if (!control->visible())
            continue;
        if (auto* text = dynamic_cast<TextControl*>(control.get())) {
            MeasuredText lines = context.measurer().measure(text->displayText(), text->font(),
                                                            text->width(), text->wordWrap());
            const int needed = lines.height();
            if (text->canGrow() && needed > text->height())
                text->setHeight(needed);
            else if (text->canShrink() && needed < text->height())
                text->setHeight(needed);
            measured.texts.insert(text, {text->displayText(), text->width(), std::move(lines)});
        } else if (auto* container = dynamic_cast<SubReport*>(control.get())) {
            if (!container->report())
                continue;
            Band band = runSubReport(context, *container->report(), report,
                                     xOrigin + container->left(), container->width());
            container->setHeight(band.height);
            measured.subReports.insert(container, std::move(band));
        }
    }
}

bool overlapsHorizontally(const Control& a, const Control& b)
{
    return a.left() < b.left() + b.width() && b.left() < a.left() + a.width();
}

// Moves each control down by the growth of the controls above it that it lies under.
void pushDown(std::vector<GrownControl>& controls)
{
    std::sort(controls.begin(), controls.end(), [](const GrownControl& a, const GrownControl& b) {
        return a.before.top < b.before.top;
    });
    for (std::size_t j = 0; j < controls.size(); ++j) {
        int shift = 0;
        bool below = false;
        for (std::size_t i = 0; i < j; ++i) {
            const GrownControl& above = controls[i];
            const int oldBottom = above.before.top + above.before.height;
            if (oldBottom > controls[j].before.top ||
                !overlapsHorizontally(*above.control, *controls[j].control))
                continue;
            const int growth = above.top + above.control->height() - oldBottom;
            shift = below ? std::max(shift, growth) : growth;
            below = true;
        }
        controls[j].top = controls[j].before.top + shift;
    }
}

// The measured lines, measured again when BeforePrint changed the text or the width. A box
// that does not grow shows the lines its height holds (at least one).
MeasuredText linesOf(GenerationContext& context, const TextControl& text,
                     const Measurements& measured)
{
    const auto it = measured.texts.constFind(&text);
    MeasuredText lines = it != measured.texts.constEnd() && it->text == text.displayText() &&
                                 it->width == text.width()
                             ? it->lines
                             : context.measurer().measure(text.displayText(), text.font(),
                                                          text.width(), text.wordWrap());
    if (!text.canGrow() && lines.lineHeight > 0) {
        const int fits = std::max(1, text.height() / lines.lineHeight);
        if (lines.lines.size() > fits)
            lines.lines = lines.lines.mid(0, fits);
    }
    return lines;
}

void drawText(const TextControl& text, const TwipRect& rect, MeasuredText lines, Band& band)
{
    TextItem item;
    item.rect = rect;
    item.font = text.font();
    item.color = text.foreColor();
    if (text.backStyle() == BackStyle::Opaque)
        item.backColor = text.backColor();
    item.align = text.alignment();
    item.valign = text.verticalAlignment();
    item.lineHeight = lines.lineHeight;
    item.name = text.name();
    if (const auto* box = dynamic_cast<const TextBox*>(&text);
        box && box->summaryField() != SummaryField::None) {
        item.field = box->summaryField() == SummaryField::PageNumber ? PageField::PageNumber
                                                                     : PageField::PageCount;
        item.lines = QStringList{QString()};
    } else {
        item.lines = std::move(lines.lines);
    }
    if (item.lines.isEmpty() && !item.backColor)
        return;
    band.items.emplace_back(std::move(item));
}

void drawPicture(GenerationContext& context, const Picture& picture, const TwipRect& rect,
                 Band& band)
{
    if (picture.backStyle() == BackStyle::Opaque)
        band.items.emplace_back(ShapeItem{rect, ShapeKind::Rectangle, picture.backColor(), {}});
    if (picture.hasPicture())
        band.items.emplace_back(
            ImageItem{rect, context.imageId(picture.picture()), picture.sizeMode()});
    if (picture.border())
        band.items.emplace_back(
            ShapeItem{rect, ShapeKind::Rectangle, {}, picture.foreColor(), 15, 1});
}

void drawShape(const Shape& shape, const TwipRect& rect, Band& band)
{
    ShapeItem item;
    item.rect = rect;
    item.kind = shape.shapeKind();
    if (shape.backStyle() == BackStyle::Opaque)
        item.fill = shape.backColor();
    if (shape.outlined())
        item.border = shape.foreColor();
    item.borderWidth = shape.lineWeight();
    band.items.emplace_back(item);
}

void drawLine(const LineControl& line, int xOrigin, int shift, Band& band)
{
    band.items.emplace_back(LineItem{xOrigin + line.x1(), line.y1() + shift, xOrigin + line.x2(),
                                     line.y2() + shift, line.lineWeight(), line.foreColor(),
                                     static_cast<std::uint8_t>(line.lineStyle())});
}

} // namespace

std::optional<Band> layoutSection(GenerationContext& context, Report& report, Section& section,
                                  int xOrigin, int width)
{
    if (!section.visible())
        return std::nullopt;

    std::vector<GrownControl> controls;
    controls.reserve(section.controls().size());
    for (const auto& control : section.controls())
        controls.push_back({control.get(), {control->top(), control->height()}, control->top()});

    Measurements measured;
    measure(context, report, section, xOrigin, measured);
    section.raiseBeforePrint();
    if (!section.visible()) {
        for (const auto& grown : controls)
            grown.control->setHeight(grown.before.height);
        return std::nullopt;
    }

    // Tops may have been changed in BeforePrint; growth is measured from there.
    for (auto& grown : controls) {
        grown.before.top = grown.control->top();
        grown.top = grown.before.top;
    }
    std::vector<GrownControl> visible;
    std::copy_if(controls.begin(), controls.end(), std::back_inserter(visible),
                 [](const GrownControl& c) { return c.control->visible(); });
    pushDown(visible);

    int contentBottom = 0;
    for (const auto& grown : visible)
        contentBottom = std::max(contentBottom, grown.top + grown.control->height());
    int height = section.height();
    if (section.canGrow())
        height = std::max(height, contentBottom);
    if (section.canShrink())
        height = std::min(height, contentBottom);

    Band band;
    band.height = height;
    if (section.backStyle() == BackStyle::Opaque)
        band.items.emplace_back(
            ShapeItem{{xOrigin, 0, width, height}, ShapeKind::Rectangle, section.backColor(), {}});

    QHash<const Control*, int> tops;
    for (const auto& grown : visible)
        tops.insert(grown.control, grown.top);
    for (const auto& control : section.controls()) {
        if (!control->visible())
            continue;
        const int top = tops.value(control.get());
        const TwipRect rect{xOrigin + control->left(), top, control->width(), control->height()};
        switch (control->kind()) {
        case ControlKind::Label:
        case ControlKind::TextBox: {
            auto& text = static_cast<TextControl&>(*control);
            drawText(text, rect, linesOf(context, text, measured), band);
            break;
        }
        case ControlKind::Picture:
            drawPicture(context, static_cast<Picture&>(*control), rect, band);
            break;
        case ControlKind::Line:
            drawLine(static_cast<LineControl&>(*control), xOrigin, top - control->top(), band);
            break;
        case ControlKind::Shape:
            drawShape(static_cast<Shape&>(*control), rect, band);
            break;
        case ControlKind::SubReport:
            if (auto it = measured.subReports.find(control.get()); it != measured.subReports.end())
                band.append(std::move(*it), top);
            break;
        }
    }

    for (const auto& grown : controls) {
        grown.control->setHeight(grown.before.height);
        grown.control->setTop(grown.before.top);
    }
    return band;
}

} // namespace report
