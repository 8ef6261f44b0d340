#pragma once

// The grid of columns and rows a spreadsheet export places the text of report pages on,
// derived from the boxes' positions: each box's left edge (and right edge with
// doubleBoundaries) bounds a column, each top edge (and bottom) a row; edges closer than
// borderSpace are one boundary, and columns or rows narrower than the minimum are not made.
// Pages are stacked one below the other, each starting on a row of its own.

#include "platform/reportengine/Twips.h"

#include <vector>

namespace report {

struct SheetGridOptions
{
    int minColumnWidth = 1011;
    int minRowHeight = 128;
    int borderSpace = 59;
    bool doubleBoundaries = false;
    bool showMarginSpace = false; // the paper's margins as columns and rows of their own
    bool trimEmptySpace = false;  // no empty columns or rows; rows end below their content
};

struct GridPage
{
    int paperWidth = 0;
    int paperHeight = 0;
    std::vector<TwipRect> boxes;
};

struct CellPlace
{
    int row = 0;
    int column = 0;
    friend bool operator==(const CellPlace&, const CellPlace&) = default;
};

struct SheetLayout
{
    std::vector<int> columnWidths;              // twips
    std::vector<int> rowHeights;                // twips
    std::vector<int> pageFirstRows;             // the first row of each page
    std::vector<std::vector<CellPlace>> places; // per page, per box
};

SheetLayout layOutSheet(const std::vector<GridPage>& pages, const SheetGridOptions& options);

} // namespace report
