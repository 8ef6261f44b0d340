#pragma once

// rptCellarLocations: the locations report on the engine - its layout (a resource of this
// library) and its behaviour: ReportStart lays the three columns (location, quantity, wine) out
// at a quarter, a tenth and the rest of the print width and right-aligns the page numbers,
// Detail_Format shades every second row, Detail_BeforePrint gives a row's three boxes one
// height, PrintProgress tells the viewer the page.

#include "platform/reportengine/model/Report.h"

#include <QtGlobal>

namespace reports {
class ReportViewer;
}

class rptCellarLocations : public report::Report
{
    Q_OBJECT

public:
    // The colour of a shaded row (red, green and blue 224).
    static constexpr QRgb kShadeColor = 0xffe0e0e0;

    explicit rptCellarLocations(QObject* parent = nullptr);

    // The viewer the pages are reported to while they are generated; null for none.
    void setViewer(reports::ReportViewer* viewer) noexcept { m_viewer = viewer; }

    // The detail events, as the engine raises them for each row.
    void Detail_Format();
    void Detail_BeforePrint();

protected:
    void reportStart() override;
    void printProgress(int pageNumber) override;

private:
    void layOutColumns(int printWidth);

    reports::ReportViewer* m_viewer = nullptr;
    // Rows formatted so far, kept to its last bit: only odd or even matters, and a 16-bit
    // count would overflow on a report of more than 32,767 rows.
    qint16 m_rowCounter = 0;
};
