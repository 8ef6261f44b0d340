// The preview's zoom steps, scales and texts.
#include "platform/reportengine/preview/Zoom.h"

#include "platform/reportengine/Twips.h"

#include <algorithm>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QString kFitWidthText = u"Fit width"_s;
const QString kFitPageText = u"Fit page"_s;

} // namespace

Zoom Zoom::percentOf(double percent)
{
    return {ZoomMode::Percent, std::clamp(percent, kMinZoomPercent, kMaxZoomPercent)};
}

const std::vector<int>& zoomSteps()
{
    static const std::vector<int> steps{10, 25, 50, 75, 100, 125, 150, 200, 300, 400};
    return steps;
}

double nextZoomStep(double percent, int direction)
{
    // A percentage a hair off a step (a fit that happens to be 99.9%) counts as that step.
    constexpr double kTolerance = 0.5;
    const std::vector<int>& steps = zoomSteps();
    if (direction > 0) {
        for (const int step : steps) {
            if (step > percent + kTolerance)
                return step;
        }
        return steps.back();
    }
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (*it < percent - kTolerance)
            return *it;
    }
    return steps.front();
}

double pixelsPerTwip(const Zoom& zoom, double dpi, const QSize& paper, const QSize& viewport,
                     int margin)
{
    const double realSize = dpi / kTwipsPerInch;
    if (zoom.mode == ZoomMode::Percent || paper.width() <= 0 || paper.height() <= 0)
        return realSize * std::clamp(zoom.percent, kMinZoomPercent, kMaxZoomPercent) / 100.0;
    const double width = std::max(1, viewport.width() - 2 * margin);
    const double height = std::max(1, viewport.height() - 2 * margin);
    double scale = width / paper.width();
    if (zoom.mode == ZoomMode::FitPage)
        scale = std::min(scale, height / paper.height());
    return std::clamp(scale, realSize * kMinZoomPercent / 100.0,
                      realSize * kMaxZoomPercent / 100.0);
}

double percentOfScale(double pixelsPerTwip, double dpi)
{
    return pixelsPerTwip * kTwipsPerInch / dpi * 100.0;
}

QString zoomText(const Zoom& zoom)
{
    switch (zoom.mode) {
    case ZoomMode::FitWidth:
        return kFitWidthText;
    case ZoomMode::FitPage:
        return kFitPageText;
    case ZoomMode::Percent:
        break;
    }
    return u"%1%"_s.arg(qRound(zoom.percent));
}

std::optional<Zoom> parseZoom(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(kFitWidthText, Qt::CaseInsensitive) == 0)
        return Zoom::fitWidth();
    if (trimmed.compare(kFitPageText, Qt::CaseInsensitive) == 0)
        return Zoom::fitPage();
    static const QRegularExpression number(u"^(\\d+(?:[.,]\\d+)?)\\s*%?$"_s);
    const QRegularExpressionMatch match = number.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double percent = match.captured(1).replace(u',', u'.').toDouble(&ok);
    if (!ok || percent <= 0)
        return std::nullopt;
    return Zoom::percentOf(percent);
}

} // namespace report
