#pragma once

// The text lines of a page as placed, and their reading order: rows from top to bottom, each
// row left to right. The text, RTF and HTML exports put text in this order, so a reader that
// only follows the file's order (a text editor, unrtf, a screen reader) reads the report the
// way it is laid out.

#include "platform/reportengine/page/Page.h"

#include <QString>
#include <vector>

namespace report {

// One line of a text item, where the page shows it.
struct PlacedLine
{
    QString text;
    int top = 0;    // twips, after the item's vertical alignment
    int height = 0; // the item's line height
    int left = 0;   // the item's box: the line is aligned inside it
    int right = 0;
    HAlign align = HAlign::Left;
    int itemIndex = 0; // index of the item in Page::items
    int lineIndex = 0;
};

// The line height an item's lines are placed with (its own, or one estimated from its font).
int lineHeightOf(const TextItem& item);
// The top of the item's first line, after vertical alignment inside its box.
int firstLineTop(const TextItem& item);

// Every line of the page's text items that holds text, in drawing order.
std::vector<PlacedLine> placedLines(const Page& page);

// Lines grouped in rows: a line joins the row when its top lies within half a line below the
// row's first line. Rows top to bottom, each left to right.
std::vector<std::vector<PlacedLine>> readingRows(std::vector<PlacedLine> lines);

// Indices of the page's text items in reading order (by their first lines).
std::vector<int> textItemsInReadingOrder(const Page& page);

} // namespace report
