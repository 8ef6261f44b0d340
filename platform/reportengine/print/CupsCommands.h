#pragma once

// What the print job asks of CUPS: lp hands a spooled PDF to a queue with its job options, and
// the queue's driver description (its PPD, fetched through the CUPS library that Qt's print
// support loads) tells which choices the queue offers. Both talk to the server Qt's print
// support uses (CUPS_SERVER, client.conf), and lp is given a time limit: a server that does not
// answer fails the job instead of hanging the program.

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace report {

using CupsOptions = QList<std::pair<QString, QString>>;

// The choices `queue`'s driver offers for `option` ("InputSlot": {"Auto", "Upper", ...}); empty
// when the queue has no such option or cannot be asked.
QStringList cupsOptionChoices(const QString& queue, const QString& option);

// Queues `pdfFile` on `queue` and returns the job's id ("PDF-12"). Raises vb::Error (482) with
// what CUPS said and what to check when the job is refused or the server cannot be reached.
QString submitCupsJob(const QString& queue, const QString& pdfFile, const QString& title,
                      const CupsOptions& options);

} // namespace report
