#pragma once

// The preview's zoom: a percentage of the paper's real size on screen, or one of the fits
// (the page's width in the window, the whole page in the window), with the steps Ctrl+wheel and
// the zoom tools move through and the texts the zoom box shows and accepts.

#include <optional>
#include <QSize>
#include <QString>
#include <vector>

namespace report {

enum class ZoomMode
{
    Percent,
    FitWidth,
    FitPage,
};

struct Zoom
{
    ZoomMode mode = ZoomMode::FitWidth;
    double percent = 100.0; // used in Percent mode

    static Zoom fitWidth() { return {ZoomMode::FitWidth, 100.0}; }
    static Zoom fitPage() { return {ZoomMode::FitPage, 100.0}; }
    // Clamped to kMinZoomPercent..kMaxZoomPercent.
    static Zoom percentOf(double percent);

    friend bool operator==(const Zoom&, const Zoom&) = default;
};

inline constexpr double kMinZoomPercent = 10.0;
inline constexpr double kMaxZoomPercent = 400.0; // a Letter page is 55 MB of pixels there

// The percentages the zoom box offers and the zoom steps move between.
const std::vector<int>& zoomSteps();

// The next step above (direction > 0) or below `percent`; the ends stay where they are.
double nextZoomStep(double percent, int direction);

// Screen pixels per twip for `zoom`: a percentage of real size at `dpi`, or the fit of `paper`
// (twips) into `viewport` (pixels) less `margin` pixels on every side.
double pixelsPerTwip(const Zoom& zoom, double dpi, const QSize& paper, const QSize& viewport,
                     int margin);

// The percentage a scale shows at `dpi` (what a fit amounts to, for the zoom box).
double percentOfScale(double pixelsPerTwip, double dpi);

// "Fit width", "Fit page" or "150%".
QString zoomText(const Zoom& zoom);
// A zoom from what the user typed in the zoom box ("150", "150 %", "Fit page"); nothing for
// text that is not a zoom.
std::optional<Zoom> parseZoom(const QString& text);

} // namespace report
