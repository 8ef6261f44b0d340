#pragma once

// Finding text on the generated pages: the next (or previous) place a text appears, searched
// in reading order (pages, then items in drawing order, then lines, then along the line) from
// just after (before) the last hit, round the end of the report and back to where it started.
// A text spread over two lines or two items is not found: the preview looks for what one line
// shows, as a reader sees it.

#include "platform/reportengine/page/PageDocument.h"

#include <optional>
#include <QRectF>
#include <QString>

namespace report {

struct FindHit
{
    int page = -1; // 0-based; -1: no hit yet (a search starts at the first page)
    int item = -1; // index of the text item in the page's items
    int line = 0;
    int start = 0; // character offset in the line
    int length = 0;

    bool isValid() const noexcept { return page >= 0 && item >= 0; }
    friend bool operator==(const FindHit&, const FindHit&) = default;
};

struct FindOptions
{
    Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
    bool wholeWord = false;
    bool backwards = false;
};

// The next place `text` appears after `from` (before it, searching backwards); a `from` that is
// not a hit starts at the beginning of page `from.page` (or the first page), or at the end of
// it searching backwards. Nothing when the text appears nowhere. Raises what reading a page
// raises.
std::optional<FindHit> findText(const PageDocument& pages, const QString& text, const FindHit& from,
                                const FindOptions& options = {});

// Where the hit lies on its page, in twips: the characters' box on their line as the renderer
// places the line.
QRectF hitRect(const Page& page, const FindHit& hit);

} // namespace report
