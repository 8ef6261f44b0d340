// CupsCommands: lp with a time limit, and a queue's choices from its PPD.

#include "platform/reportengine/print/CupsCommands.h"

#include "platform/vb/Error.h"

#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kPrinterError = 482;
constexpr int kSubmitTimeoutMs = 60'000;
const QString kSource = u"Printer"_s;

struct CommandResult
{
    bool started = false;
    bool finished = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

CommandResult runCommand(const QString& program, const QStringList& arguments, int timeoutMs)
{
    CommandResult result;
    QProcess process;
    process.start(program, arguments);
    result.started = process.waitForStarted(timeoutMs);
    if (!result.started)
        return result;
    process.closeWriteChannel();
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return result;
}

QStringList lpArguments(const QString& queue, const QString& pdfFile, const QString& title,
                        const CupsOptions& options)
{
    QStringList arguments{u"-d"_s, queue};
    if (!title.isEmpty())
        arguments << u"-t"_s << title;
    for (const auto& [name, value] : options)
        arguments << u"-o"_s << (value.isEmpty() ? name : name + u'=' + value);
    arguments << u"--"_s << pdfFile;
    return arguments;
}

} // namespace

QStringList cupsOptionChoices(const QString& queue, const QString& option)
{
    QLibrary cups(u"cups"_s, 2);
    using GetPpd = const char* (*)(const char* name);
    const auto getPpd = reinterpret_cast<GetPpd>(cups.resolve("cupsGetPPD"));
    // The queue itself, without an instance ("PDF/draft" has the PPD of "PDF").
    const char* ppd =
        getPpd ? getPpd(QFile::encodeName(queue.section(u'/', 0, 0)).constData()) : nullptr;
    if (!ppd)
        return {};
    QFile file(QFile::decodeName(ppd));
    QStringList choices;
    if (file.open(QIODevice::ReadOnly)) {
        // '*InputSlot Upper/Upper Tray: ""': the choice's name runs up to its text or the colon.
        const QString prefix = u'*' + option + u' ';
        static const QRegularExpression kNameEnd(u"[/:]"_s);
        while (!file.atEnd()) {
            const QString line = QString::fromLatin1(file.readLine());
            if (line.startsWith(prefix))
                choices << line.mid(prefix.size()).section(kNameEnd, 0, 0).trimmed();
        }
    }
    file.remove(); // a temporary copy made for us
    return choices;
}

QString submitCupsJob(const QString& queue, const QString& pdfFile, const QString& title,
                      const CupsOptions& options)
{
    const CommandResult result =
        runCommand(u"lp"_s, lpArguments(queue, pdfFile, title, options), kSubmitTimeoutMs);
    if (!result.started)
        throw vb::Error(kPrinterError,
                        u"The print job could not be handed to the print service: the program "
                        u"lp could not be started. Install the CUPS client programs "
                        u"(cups-client) and print again."_s,
                        kSource);
    if (!result.finished)
        throw vb::Error(kPrinterError,
                        u"The print service did not accept the job for printer \"%1\" within "
                        u"%2 seconds. Check that the print service (CUPS) is running and "
                        u"print again."_s.arg(queue)
                            .arg(kSubmitTimeoutMs / 1000),
                        kSource);
    if (result.exitCode != 0)
        throw vb::Error(kPrinterError,
                        u"The printer \"%1\" refused the print job: %2. Check the printer in "
                        u"the printer setup and print again."_s.arg(
                            queue, result.errors.isEmpty() ? u"no reason given"_s : result.errors),
                        kSource);
    // "request id is PDF-3 (1 file(s))"
    static const QRegularExpression kRequestId(u"request id is (\\S+)"_s);
    const QRegularExpressionMatch match = kRequestId.match(result.output);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace report
