// Running one report headless.

#include "host/BatchRun.h"

#include "common/Registry_Management.h"
#include "host/BatchViewer.h"
#include "host/HostSession.h"
#include "host/InterruptedExport.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/NonInteractiveUser.h"

#include <cstdio>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace host {

namespace {

void printError(const QString& text)
{
    std::fputs(qPrintable(u"quorvex: "_s + text + u'\n'), stderr);
}

Selection chosenSelection(HostSession& session, const BatchCommand& command)
{
    if (command.query)
        return findSelection(session.settingsDatabase(), *command.query);
    const QString last = Registry_Management::GetProductSetting(
        reg::HKEY_CURRENT_USER, u"LastSelections"_s, u"QueryID"_s, u"0"_s);
    try {
        return findSelection(session.settingsDatabase(), last.toInt());
    } catch (const vb::Error&) {
        return Selection(); // a remembered query since deleted: all wines
    }
}

} // namespace

int runBatch(const BatchCommand& command)
{
    QFile errors;
    errors.open(stderr, QIODevice::WriteOnly);
    const shell::NonInteractiveUser nobody(shell::vbOK, &errors);
    const InterruptedExport interrupted;
    try {
        HostSession session(HostFiles::fromRegistry());
        session.setSelection(chosenSelection(session, command));
        BatchOutput output;
        output.format = command.format;
        output.fileName = QDir::current().absoluteFilePath(command.fileName);
        const BatchViewerRegistration viewer(output);
        const reports::CallResult result = session.runReport(command.request, nullptr);
        if (result.failed()) {
            printError(u"%1 (error %2%3)"_s.arg(result.description)
                           .arg(result.number)
                           .arg(result.source.isEmpty() ? QString() : u", "_s + result.source));
            return kExitReportFailed;
        }
        if (output.reportsExported == 0) {
            printError(u"the %1 report produced nothing to export"_s.arg(
                reportName(command.request.kind)));
            return kExitReportFailed;
        }
        std::fputs(qPrintable(u"Wrote %1 (%2 page(s))\n"_s
                                  .arg(QDir::toNativeSeparators(output.writtenFile))
                                  .arg(output.pages)),
                   stdout);
        return kExitSuccess;
    } catch (const vb::Error& error) {
        printError(error.description());
        return kExitReportFailed;
    }
}

} // namespace host
