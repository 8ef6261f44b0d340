#pragma once

// rptCellarWineList: the wine list report on the engine - its layout (a resource of this
// library) and its behaviour: ReportStart lays the page out on the print width and shows the
// groups in use, Detail_Format cleans each wine line, PrintProgress tells the viewer the page.

#include "platform/reportengine/model/Report.h"

#include <QString>

namespace reports {
class ReportViewer;
}

class rptCellarWineList : public report::Report
{
    Q_OBJECT

public:
    // The indent of each shown group level, in twips.
    static constexpr int kGroupIndent = 540;

    explicit rptCellarWineList(QObject* parent = nullptr);

    // The viewer the pages are reported to while they are generated; null for none (a report
    // prepared without showing it).
    void setViewer(reports::ReportViewer* viewer) noexcept { m_viewer = viewer; }

    // A wine line as Detail_Format leaves it: the ", "-joined parts without the empty and
    // "N/A" parts that an unknown value leaves at its start, inside or at its end.
    static QString cleanWineText(QString text);

protected:
    void reportStart() override;
    void printProgress(int pageNumber) override;

private:
    void Detail_Format();
    void widenToPrintWidth(int printWidth);
    void showGroups(int printWidth);

    reports::ReportViewer* m_viewer = nullptr;
};
