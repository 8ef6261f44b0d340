// PaperSizes: DMPAPER numbers, QPageSize and twips.

#include "platform/reportengine/print/PaperSizes.h"

#include "platform/reportengine/Twips.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kMillimetresPerInch = 25.4;

QSizeF twipsOf(const QPageSize& pageSize)
{
    // From the unit the paper is defined in, so that A4 (mm) and Letter (inch) come out exact.
    switch (pageSize.definitionUnits()) {
    case QPageSize::Inch:
        return pageSize.definitionSize() * kTwipsPerInch;
    case QPageSize::Point:
        return pageSize.definitionSize() * kTwipsPerPoint;
    case QPageSize::Millimeter:
        return pageSize.definitionSize() * (kTwipsPerInch / kMillimetresPerInch);
    default:
        return pageSize.size(QPageSize::Millimeter) * (kTwipsPerInch / kMillimetresPerInch);
    }
}

} // namespace

QPageSize pageSizeOfPaper(int paperSize)
{
    if (paperSize <= 0 || paperSize >= kUserDefinedPaper)
        return {};
    const QPageSize::PageSizeId id = QPageSize::id(paperSize);
    return id == QPageSize::Custom ? QPageSize() : QPageSize(id);
}

int paperOfPageSize(const QPageSize& pageSize)
{
    if (!pageSize.isValid() || pageSize.id() == QPageSize::Custom)
        return kUserDefinedPaper;
    const int windowsId = pageSize.windowsId();
    return windowsId > 0 && windowsId < kUserDefinedPaper ? windowsId : kUserDefinedPaper;
}

QSize portraitTwips(const QPageSize& pageSize)
{
    const QSizeF twips = twipsOf(pageSize);
    const int a = static_cast<int>(std::lround(twips.width()));
    const int b = static_cast<int>(std::lround(twips.height()));
    return {std::min(a, b), std::max(a, b)};
}

QPageSize pageSizeOfTwips(int widthTwips, int heightTwips, QPageSize::SizeMatchPolicy match)
{
    const QSizeF inches(double(widthTwips) / kTwipsPerInch, double(heightTwips) / kTwipsPerInch);
    return QPageSize(inches, QPageSize::Inch, QString(), match);
}

int localePaperSize(const QLocale& locale)
{
    const QLocale::Territory territory = locale.territory();
    return territory == QLocale::UnitedStates || territory == QLocale::Canada ? kPaperLetter
                                                                              : kPaperA4;
}

} // namespace report
