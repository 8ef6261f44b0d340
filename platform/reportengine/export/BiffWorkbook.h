#pragma once

// A workbook written as BIFF records for Excel versions 2, 3, 4, 5, 7 and 8: the cells,
// column widths, row heights, page breaks and print fitting of its worksheets. Versions 2 to 4
// hold one worksheet and are the whole file; 5 to 8 are the workbook stream of an OLE2
// compound file. Texts longer than a cell holds are cut, keeping the whole text in the cell's
// note where the version has plain-text notes (up to 7).

#include "platform/reportengine/page/DisplayItem.h"

#include <optional>
#include <QByteArray>
#include <QString>
#include <vector>

namespace report {

struct SheetCell
{
    int row = 0;
    int column = 0;
    QString text;                 // shown text (a number cell keeps it for reference)
    std::optional<double> number; // set: a number cell shown with `format`
    QString format = QStringLiteral("General");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    HAlign align = HAlign::Left;
};

struct WorksheetData
{
    QString name;
    std::vector<int> columnWidths;  // twips
    std::vector<int> rowHeights;    // twips
    bool autoRowHeight = true;      // heights left to Excel (from the fonts)
    std::vector<int> pageBreakRows; // the first row of each printed page after the first
    bool fitToPage = false;
    bool landscape = false;
    std::vector<SheetCell> cells; // in row order, then column order
};

namespace biff {
inline constexpr int kMaxColumns = 256;
// Rows a worksheet of the version holds.
int maxRows(int version);
// Characters a text cell of the version holds.
int maxTextLength(int version);
} // namespace biff

// The workbook's record stream: the file for versions 2-4 (which take only the first sheet),
// the "Book" (5, 7) or "Workbook" (8) stream otherwise.
QByteArray writeBiffWorkbook(int version, const std::vector<WorksheetData>& sheets);

} // namespace report
