// Finding text on generated pages, and where a hit lies on its page.
#include "platform/reportengine/preview/TextFinder.h"

#include "platform/reportengine/page/TextPlacement.h"

#include <algorithm>
#include <climits>
#include <QFontMetricsF>
#include <tuple>
#include <vector>

namespace report {

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool isWholeWord(const QString& line, int start, int length)
{
    const bool before = start == 0 || !isWordCharacter(line[start - 1]);
    const bool after = start + length >= line.size() || !isWordCharacter(line[start + length]);
    return before && after;
}

auto order(const FindHit& hit)
{
    return std::tie(hit.item, hit.line, hit.start);
}

// Every place of `text` on page `index`, in reading order.
std::vector<FindHit> hitsOnPage(const PageDocument& pages, int index, const QString& text,
                                const FindOptions& options)
{
    std::vector<FindHit> hits;
    const Page page = pages.page(index);
    for (int item = 0; item < static_cast<int>(page.items.size()); ++item) {
        const auto* textItem = std::get_if<TextItem>(&page.items[item]);
        if (textItem == nullptr)
            continue;
        for (int line = 0; line < textItem->lines.size(); ++line) {
            const QString& shown = textItem->lines[line];
            for (int at = shown.indexOf(text, 0, options.caseSensitivity); at >= 0;
                 at = shown.indexOf(text, at + 1, options.caseSensitivity)) {
                if (!options.wholeWord || isWholeWord(shown, at, text.size()))
                    hits.push_back({index, item, line, at, static_cast<int>(text.size())});
            }
        }
    }
    return hits;
}

// The first hit of `hits` after `from` (forwards) or the last before it (backwards); with
// `anywhere`, the first (last) of all.
std::optional<FindHit> pick(const std::vector<FindHit>& hits, const FindHit& from, bool anywhere,
                            bool backwards)
{
    if (backwards) {
        for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
            if (anywhere || order(*it) < order(from))
                return *it;
        }
        return std::nullopt;
    }
    for (const FindHit& hit : hits) {
        if (anywhere || order(hit) > order(from))
            return hit;
    }
    return std::nullopt;
}

} // namespace

std::optional<FindHit> findText(const PageDocument& pages, const QString& text, const FindHit& from,
                                const FindOptions& options)
{
    const int count = pages.count();
    if (text.isEmpty() || count == 0)
        return std::nullopt;
    const int step = options.backwards ? -1 : 1;
    const int first = std::clamp(from.page, 0, count - 1);
    // An invalid start searches the whole of its page: every hit counts as after (before) it.
    FindHit start = from;
    if (!from.isValid() || from.page != first)
        start = FindHit{first, options.backwards ? INT_MAX : -1, 0, 0, 0};
    // The start page is searched twice: after the start, then at the end of the round, before it.
    for (int k = 0; k <= count; ++k) {
        const int index = ((first + k * step) % count + count) % count;
        const std::vector<FindHit> hits = hitsOnPage(pages, index, text, options);
        if (const std::optional<FindHit> hit = pick(hits, start, k > 0, options.backwards))
            return hit;
    }
    return std::nullopt;
}

QRectF hitRect(const Page& page, const FindHit& hit)
{
    if (hit.item < 0 || hit.item >= static_cast<int>(page.items.size()))
        return {};
    const auto* item = std::get_if<TextItem>(&page.items[hit.item]);
    if (item == nullptr || hit.line < 0 || hit.line >= item->lines.size())
        return {};
    const QFontMetricsF metrics(item->font.toTwipFont());
    const double lineHeight = item->lineHeight > 0 ? item->lineHeight : metrics.height();
    const QString& line = item->lines[hit.line];
    const double top = textBlockTop(*item, lineHeight * item->lines.size()) + hit.line * lineHeight;
    const double left = textLineLeft(*item, metrics.horizontalAdvance(line)) +
                        metrics.horizontalAdvance(line.left(hit.start));
    const double width = metrics.horizontalAdvance(line.mid(hit.start, hit.length));
    return QRectF(left, top, width, lineHeight);
}

} // namespace report
