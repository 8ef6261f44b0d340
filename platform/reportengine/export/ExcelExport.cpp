// objExcelExport: the text of the pages laid on sheet grids and written as BIFF records.

#include "platform/reportengine/export/ExcelExport.h"

#include "platform/reportengine/export/BiffWorkbook.h"
#include "platform/reportengine/export/NumberText.h"
#include "platform/reportengine/export/OleStorage.h"
#include "platform/reportengine/export/PartialFile.h"
#include "platform/reportengine/export/SheetGrid.h"

#include <algorithm>
#include <cerrno>
#include <QFile>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// The text items of one page: their boxes for the grid, their cells to place on it.
struct PageText
{
    GridPage grid;
    std::vector<SheetCell> cells; // row and column not yet known
};

PageText pageText(const Page& page)
{
    PageText text;
    text.grid.paperWidth = page.paperWidth;
    text.grid.paperHeight = page.paperHeight;
    for (const DisplayItem& item : page.items) {
        const auto* textItem = std::get_if<TextItem>(&item);
        if (!textItem || textItem->text().trimmed().isEmpty())
            continue;
        SheetCell cell;
        cell.text = textItem->text();
        cell.pointSize = textItem->font.pointSize;
        cell.bold = textItem->font.bold;
        cell.italic = textItem->font.italic;
        cell.align = textItem->align;
        if (textItem->lines.size() == 1)
            if (const auto number = readNumberText(cell.text)) {
                cell.number = number->value;
                cell.format = number->format;
            }
        text.grid.boxes.push_back(textItem->rect);
        text.cells.push_back(std::move(cell));
    }
    return text;
}

SheetGridOptions gridOptions(const objExcelExport::Options& options)
{
    return {options.minColumnWidth,   options.minRowHeight,    options.borderSpace,
            options.doubleBoundaries, options.showMarginSpace, options.trimEmptySpace};
}

// Cells that landed on the same place become one text cell, their texts in reading order.
std::vector<SheetCell> mergedCells(std::vector<SheetCell> cells)
{
    std::stable_sort(cells.begin(), cells.end(), [](const SheetCell& a, const SheetCell& b) {
        return std::tie(a.row, a.column) < std::tie(b.row, b.column);
    });
    std::vector<SheetCell> merged;
    for (SheetCell& cell : cells) {
        if (!merged.empty() && merged.back().row == cell.row &&
            merged.back().column == cell.column) {
            SheetCell& into = merged.back();
            into.text += u" "_s + cell.text;
            into.number.reset();
            into.format = u"General"_s;
            continue;
        }
        merged.push_back(std::move(cell));
    }
    return merged;
}

// The pages [first, last) of `pages`, laid out on `layout`, as one worksheet.
WorksheetData worksheet(const std::vector<PageText>& pages, const SheetLayout& layout, int first,
                        int last, const objExcelExport::Options& options)
{
    WorksheetData sheet;
    const int firstRow = layout.pageFirstRows[static_cast<std::size_t>(first)];
    const int endRow = last < static_cast<int>(pages.size())
                           ? layout.pageFirstRows[static_cast<std::size_t>(last)]
                           : static_cast<int>(layout.rowHeights.size());
    sheet.columnWidths = layout.columnWidths;
    sheet.columnWidths.resize(std::min<std::size_t>(sheet.columnWidths.size(), biff::kMaxColumns));
    sheet.rowHeights.assign(layout.rowHeights.begin() + firstRow,
                            layout.rowHeights.begin() + endRow);
    sheet.autoRowHeight = options.autoRowHeight;
    sheet.fitToPage = options.sizeToFit;
    sheet.landscape = pages[static_cast<std::size_t>(first)].grid.paperWidth >
                      pages[static_cast<std::size_t>(first)].grid.paperHeight;
    std::vector<SheetCell> cells;
    for (int page = first; page < last; ++page) {
        if (options.genPagebreaks && page > first)
            sheet.pageBreakRows.push_back(layout.pageFirstRows[static_cast<std::size_t>(page)] -
                                          firstRow);
        const PageText& text = pages[static_cast<std::size_t>(page)];
        const auto& places = layout.places[static_cast<std::size_t>(page)];
        for (std::size_t i = 0; i < text.cells.size(); ++i) {
            SheetCell cell = text.cells[i];
            cell.row = places[i].row - firstRow;
            cell.column = std::min(places[i].column, biff::kMaxColumns - 1);
            cells.push_back(std::move(cell));
        }
    }
    sheet.cells = mergedCells(std::move(cells));
    return sheet;
}

// Consecutive pages grouped into sheets of at most `maxRows` rows each.
std::vector<std::pair<int, int>> sheetRanges(const SheetLayout& layout, int pageCount, int maxRows)
{
    std::vector<std::pair<int, int>> ranges;
    int first = 0;
    for (int page = 1; page <= pageCount; ++page) {
        const int end = page < pageCount ? layout.pageFirstRows[static_cast<std::size_t>(page)]
                                         : static_cast<int>(layout.rowHeights.size());
        const int start = layout.pageFirstRows[static_cast<std::size_t>(first)];
        if (end - start > maxRows && page - 1 > first) {
            ranges.emplace_back(first, page - 1);
            first = page - 1;
        }
    }
    ranges.emplace_back(first, pageCount);
    return ranges;
}

// A one-sheet version cannot take more rows: the sheet ends with a row that says so.
void cutToRows(WorksheetData& sheet, int maxRows, int version)
{
    if (static_cast<int>(sheet.rowHeights.size()) <= maxRows)
        return;
    const int last = maxRows - 1;
    sheet.rowHeights.resize(static_cast<std::size_t>(maxRows));
    std::erase_if(sheet.cells, [&](const SheetCell& cell) { return cell.row >= last; });
    std::erase_if(sheet.pageBreakRows, [&](int row) { return row >= last; });
    SheetCell note;
    note.row = last;
    note.text = u"The report goes on beyond the %1 rows an Excel %2 sheet holds; export it "
                "as version 5 or later for the rest."_s.arg(maxRows)
                    .arg(version);
    sheet.cells.push_back(note);
}

std::vector<WorksheetData> worksheets(const std::vector<PageText>& pages,
                                      const objExcelExport::Options& options)
{
    std::vector<WorksheetData> sheets;
    const SheetGridOptions grid = gridOptions(options);
    const int maxRows = biff::maxRows(options.version);
    if (pages.empty())
        return {WorksheetData{u"Sheet1"_s, {}, {}, true, {}, false, false, {}}};
    if (options.multiSheet && options.version >= 5) {
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const SheetLayout layout = layOutSheet({pages[i].grid}, grid);
            const std::vector<PageText> one{pages[i]};
            WorksheetData sheet = worksheet(one, layout, 0, 1, options);
            sheet.name = u"Page %1"_s.arg(i + 1);
            cutToRows(sheet, maxRows, options.version);
            sheets.push_back(std::move(sheet));
        }
        return sheets;
    }
    std::vector<GridPage> grids;
    for (const PageText& page : pages)
        grids.push_back(page.grid);
    const SheetLayout layout = layOutSheet(grids, grid);
    const int pageCount = static_cast<int>(pages.size());
    const auto ranges = options.version >= 5 ? sheetRanges(layout, pageCount, maxRows)
                                             : std::vector{std::pair{0, pageCount}};
    for (const auto& [first, last] : ranges) {
        WorksheetData sheet = worksheet(pages, layout, first, last, options);
        sheet.name = u"Sheet%1"_s.arg(sheets.size() + 1);
        cutToRows(sheet, maxRows, options.version);
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

void writeStreamFile(const PartialFile& file, const QByteArray& data)
{
    QFile out(file.path());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(data) != data.size() ||
        !out.flush())
        throw file.writeError(out.errorString(), errno);
}

} // namespace

objExcelExport::objExcelExport(QObject* parent) : QObject(parent) {}

void objExcelExport::setBorderSpace(int twips) noexcept
{
    m_options.borderSpace = qMax(0, twips);
}

void objExcelExport::setMinColumnWidth(int twips) noexcept
{
    m_options.minColumnWidth = qBound(71, twips, 144000);
}

void objExcelExport::setMinRowHeight(int twips) noexcept
{
    m_options.minRowHeight = qMax(0, twips);
}

void objExcelExport::setVersion(int version) noexcept
{
    for (const int known : {2, 3, 4, 5, 7, 8})
        if (version <= known) {
            m_options.version = known;
            return;
        }
    m_options.version = 8;
}

void objExcelExport::exportDocument(const PageDocument& document, const Progress& progress)
{
    PartialFile file(fileName(), u"objExcelExport"_s);
    std::vector<PageText> pages;
    for (int i = 0; i < document.count(); ++i) {
        pages.push_back(pageText(document.page(i)));
        if (progress)
            progress(i + 1);
    }
    const QByteArray workbook = writeBiffWorkbook(m_options.version, worksheets(pages, m_options));
    if (m_options.version <= 4) {
        writeStreamFile(file, workbook);
    } else {
        const QString failure =
            writeOleStorage(file.path(), m_options.version >= 8 ? "Workbook" : "Book", workbook);
        if (!failure.isEmpty())
            throw file.writeError(failure);
    }
    file.commit();
}

} // namespace report
