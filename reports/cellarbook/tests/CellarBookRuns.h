#pragma once

// Runs of the cellar book on the prepared installation, each made once for the test program:
// the host runs the module with or without details through its batch viewer (watched) to PDF,
// on portrait paper or turned to landscape. Beside the pages, the wines in the order the
// host's main text gives them, read independently after the run.

#include "CellarBookPages.h"
#include "reports/CallResult.h"

#include <QHash>
#include <QList>
#include <QString>

namespace parvello::testing {

struct BookRun
{
    reports::CallResult result;
    Recording recording;
    QString pdfFile;
    QList<qint32> wineOrder;         // Wine_ID of the main text's rows
    QHash<qint32, QString> wineryOf; // Winery_Name by Wine_ID
};

const BookRun& bookRun(bool details,
                       report::Orientation orientation = report::Orientation::Default);

// The wine's part of the run's pages; fails the test when it is not there.
WinePart winePart(const BookRun& run, qint32 wineID);

// Count of a wine's rows in a table (tblTastingNotes, tblTransactions).
int rowsOfWine(const QString& table, qint32 wineID);

} // namespace parvello::testing
