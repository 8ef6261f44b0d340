#pragma once

// The cellar summary report object Feldrake: its layout (a resource of the module), the fitting
// of the header, frames and footer to the print width when it starts, the time of printing in
// the page footer and the page progress handed to the viewer.

#include "platform/reportengine/model/Report.h"

namespace reports {
class ReportViewer;
}

namespace feldrake {

class Feldrake : public report::Report
{
    Q_OBJECT

public:
    explicit Feldrake(QObject* parent = nullptr);

    // The viewer that hears of every finished page; null for none. Not owned.
    void setViewer(reports::ReportViewer* viewer);

protected:
    void reportStart() override;
    void printProgress(int pageNumber) override;

private:
    void PageFooter_Format();
    void widenToPrintWidth(int printWidth);
    // Centres a frame and moves the controls drawn inside it by the same distance, so that the
    // figures stay in their frame.
    void centreFrame(const QString& frame, int printWidth);
    void centre(report::Control& control, int printWidth);

    reports::ReportViewer* m_viewer = nullptr;
};

} // namespace feldrake
