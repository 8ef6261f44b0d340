#pragma once

// objExcelExport: the pages as an Excel workbook of real BIFF records. Versions 2, 3 and 4
// are plain record streams holding one worksheet; 5 and 7 (Excel 95) and 8 (Excel 97 and
// later) are workbooks inside an OLE2 compound file.
//
// The text items of the pages are placed on a grid of columns and rows derived from their
// positions (see SheetGrid): MinColumnWidth and MinRowHeight are the narrowest column and
// lowest row (twips), BorderSpace the distance within which edges count as one boundary,
// DoubleBoundaries makes right and bottom edges boundaries too, ShowMarginSpace keeps the
// paper's margins as a first column and row, TrimEmptySpace drops empty columns and rows and
// cuts rows to their content. MultiSheet puts each page on a sheet of its own (from version 5;
// the one-sheet versions stack the pages), GenPagebreaks breaks the printout where a page
// begins, SizeToFit prints a sheet on one page (from version 3), AutoRowHeight leaves row
// heights to Excel instead of the grid's.
//
// Texts that read as numbers ("1,234.50", "-7", "12%") become number cells shown the same
// way. A text longer than a cell holds (255 characters up to version 7, 32,767 in version 8)
// is cut; up to version 7 the whole text goes into the cell's note. Version 8 keeps any
// script (UTF-16); the older versions write Windows-1252 and show other characters as "?".
// A sheet holds 16,384 rows (65,536 in version 8): a longer report continues on further
// sheets from version 5, and is cut with a last row saying so in the one-sheet versions.

#include "platform/reportengine/export/ExportFilter.h"

#include <QObject>

namespace report {

class objExcelExport : public QObject, public ExportFilter
{
    Q_OBJECT
    Q_PROPERTY(bool AutoRowHeight READ autoRowHeight WRITE setAutoRowHeight)
    Q_PROPERTY(bool DoubleBoundaries READ doubleBoundaries WRITE setDoubleBoundaries)
    Q_PROPERTY(bool GenPagebreaks READ genPagebreaks WRITE setGenPagebreaks)
    Q_PROPERTY(bool MultiSheet READ multiSheet WRITE setMultiSheet)
    Q_PROPERTY(bool ShowMarginSpace READ showMarginSpace WRITE setShowMarginSpace)
    Q_PROPERTY(bool SizeToFit READ sizeToFit WRITE setSizeToFit)
    Q_PROPERTY(bool TrimEmptySpace READ trimEmptySpace WRITE setTrimEmptySpace)
    Q_PROPERTY(int BorderSpace READ borderSpace WRITE setBorderSpace)
    Q_PROPERTY(int MinColumnWidth READ minColumnWidth WRITE setMinColumnWidth)
    Q_PROPERTY(int MinRowHeight READ minRowHeight WRITE setMinRowHeight)
    Q_PROPERTY(int Version READ version WRITE setVersion)

public:
    struct Options
    {
        bool autoRowHeight = true;
        bool doubleBoundaries = false;
        bool genPagebreaks = false;
        bool multiSheet = false;
        bool showMarginSpace = false;
        bool sizeToFit = false;
        bool trimEmptySpace = false;
        int borderSpace = 59;
        int minColumnWidth = 1011;
        int minRowHeight = 128;
        int version = 8;
    };

    explicit objExcelExport(QObject* parent = nullptr);

    const Options& options() const noexcept { return m_options; }

    bool autoRowHeight() const noexcept { return m_options.autoRowHeight; }
    void setAutoRowHeight(bool on) noexcept { m_options.autoRowHeight = on; }
    bool doubleBoundaries() const noexcept { return m_options.doubleBoundaries; }
    void setDoubleBoundaries(bool on) noexcept { m_options.doubleBoundaries = on; }
    bool genPagebreaks() const noexcept { return m_options.genPagebreaks; }
    void setGenPagebreaks(bool on) noexcept { m_options.genPagebreaks = on; }
    bool multiSheet() const noexcept { return m_options.multiSheet; }
    void setMultiSheet(bool on) noexcept { m_options.multiSheet = on; }
    bool showMarginSpace() const noexcept { return m_options.showMarginSpace; }
    void setShowMarginSpace(bool on) noexcept { m_options.showMarginSpace = on; }
    bool sizeToFit() const noexcept { return m_options.sizeToFit; }
    void setSizeToFit(bool on) noexcept { m_options.sizeToFit = on; }
    bool trimEmptySpace() const noexcept { return m_options.trimEmptySpace; }
    void setTrimEmptySpace(bool on) noexcept { m_options.trimEmptySpace = on; }
    int borderSpace() const noexcept { return m_options.borderSpace; }
    void setBorderSpace(int twips) noexcept;
    int minColumnWidth() const noexcept { return m_options.minColumnWidth; }
    void setMinColumnWidth(int twips) noexcept;
    int minRowHeight() const noexcept { return m_options.minRowHeight; }
    void setMinRowHeight(int twips) noexcept;
    int version() const noexcept { return m_options.version; }
    // 2, 3, 4, 5, 7 or 8; any other number is raised to the next of these (8 at most).
    void setVersion(int version) noexcept;

    void exportDocument(const PageDocument& document, const Progress& progress) override;

private:
    Options m_options;
};

} // namespace report
