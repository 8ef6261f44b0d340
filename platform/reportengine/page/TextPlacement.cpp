// Text lines in their box: vertical and horizontal alignment.
#include "platform/reportengine/page/TextPlacement.h"

namespace report {

double textBlockTop(const TextItem& item, double blockHeight)
{
    switch (item.valign) {
    case VAlign::Middle:
        return item.rect.top + (item.rect.height - blockHeight) / 2.0;
    case VAlign::Bottom:
        return item.rect.bottom() - blockHeight;
    case VAlign::Top:
        break;
    }
    return item.rect.top;
}

double textLineLeft(const TextItem& item, double lineWidth)
{
    switch (item.align) {
    case HAlign::Right:
        return item.rect.right() - lineWidth;
    case HAlign::Center:
        return item.rect.left + (item.rect.width - lineWidth) / 2.0;
    case HAlign::Left:
    case HAlign::Justify:
        break;
    }
    return item.rect.left;
}

} // namespace report
