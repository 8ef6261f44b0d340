// The report's print operation: its pages (generated first when there are none) on its printer.
#include "platform/reportengine/model/Report.h"

#include "platform/reportengine/print/PrintJob.h"

namespace report {

bool Report::printReport(bool showDialog)
{
    if (m_pages.state() == GenerationState::Empty)
        run();
    m_printing = true;
    m_cancelPrintRequested = false;
    struct Printing
    {
        Report& report;
        ~Printing() { report.m_printing = false; }
    } printing{*this};

    PrintJob job;
    job.showDialog = showDialog;
    job.title = name();
    job.progress = [this](int pageNumber) { emit printProgressed(pageNumber); };
    job.cancelRequested = [this] { return m_cancelPrintRequested; };
    return job.print(m_pages, m_printer);
}

void Report::cancelPrinting()
{
    if (m_printing)
        m_cancelPrintRequested = true;
}

} // namespace report
