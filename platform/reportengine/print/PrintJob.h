#pragma once

// One print of a page document on a report printer: the print dialog when asked for, then the
// pages painted one by one, with progress and a cancel after every page.
//
// The pages are painted into a PDF spool file (each page on its own paper size, the full paper
// with no margins) and only the finished file is handed to the CUPS queue of the printer's
// device, with the printer's settings as job options (paper source, duplex, colour, quality,
// copies). So a cancelled job prints nothing at all: Qt's own CUPS printing cannot take back a
// job once painting started (its abort does nothing), a spool file that is never queued can.
// When the user picks "print to file" in the dialog, the PDF is written to that file instead.
//
//     PrintJob job;
//     job.showDialog = true;
//     job.progress = [](int page) { ... };         // after each page, with its page number
//     job.cancelRequested = [&] { return flag; };  // asked after each page (and its events)
//     bool printed = job.print(report.pages(), report.printer());

#include "platform/reportengine/page/PageDocument.h"
#include "platform/reportengine/print/Printer.h"

#include <functional>
#include <QString>

class QWidget;

namespace report {

struct PrintJob
{
    // The object name of the print dialog, for scripts that work it.
    static constexpr char kDialogName[] = "printDialog";

    bool showDialog = false;
    QString title; // the job's name in the print queue
    QWidget* dialogParent = nullptr;
    std::function<void(int pageNumber)> progress;
    std::function<bool()> cancelRequested;

    // Prints every page (or the range chosen in the dialog). Returns true when the job went to
    // the printer (or the file); false when the dialog was cancelled, the job was cancelled or
    // there was nothing to print, and then nothing was printed. What the dialog sets stays in
    // `printer`. Raises vb::Error 482 when there is no device to print on or the job fails, and
    // passes on what `progress` raises (nothing is printed then either).
    bool print(const PageDocument& pages, Printer& printer) const;
};

} // namespace report
