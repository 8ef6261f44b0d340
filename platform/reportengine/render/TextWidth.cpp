// TextWidth: per-character advances of the report fonts, kept per thread.

#include "platform/reportengine/render/TextWidth.h"

#include <array>
#include <utility>
#include <vector>

namespace report {

namespace {

constexpr int kLatin1 = 256;
constexpr std::size_t kFontsKept = 64;
// Kerning and shaping can widen a line a little over the sum of its advances.
constexpr double kBoundFactor = 1.02;
constexpr double kBoundSlack = 20.0; // twips

using Advances = std::array<double, kLatin1>;

const Advances& advancesOf(const FontSpec& font, const QFontMetricsF& metrics)
{
    thread_local std::vector<std::pair<FontSpec, Advances>> tables;
    for (const auto& [style, advances] : tables)
        if (style == font)
            return advances;
    if (tables.size() >= kFontsKept)
        tables.clear();
    Advances advances{};
    for (int c = 0; c < kLatin1; ++c)
        advances[c] = metrics.horizontalAdvance(QChar(c));
    return tables.emplace_back(font, advances).second;
}

} // namespace

std::optional<double> quickWidthBound(const FontSpec& font, const QFontMetricsF& metrics,
                                      QStringView text)
{
    const Advances& advances = advancesOf(font, metrics);
    double width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= kLatin1)
            return std::nullopt;
        width += advances[c.unicode()];
    }
    return width * kBoundFactor + kBoundSlack;
}

} // namespace report
