// Reading the host program's arguments.

#include "host/CommandLine.h"

#include "host/BatchExport.h"

using namespace Qt::StringLiterals;

namespace host {

namespace {

CommandLine failure(const QString& error)
{
    CommandLine line;
    line.batch = true;
    line.error = error;
    return line;
}

// The option that belongs to one report only, or "" for options every report takes.
QString ownerOf(const QString& option)
{
    if (option == u"--grouping"_s)
        return u"winelist"_s;
    if (option == u"--details"_s)
        return u"cellarbook"_s;
    if (option == u"--kind"_s)
        return u"locations"_s;
    return {};
}

QString applyOption(BatchCommand& command, const QString& option, const QString& value)
{
    if (option == u"--grouping"_s) {
        if (value.count(u'/') != 2)
            return u"--grouping takes three parts separated by \"/\" (parts may be empty), "
                   "as \"Country/StateRegion/\""_s;
        command.request.grouping = value;
    } else if (option == u"--kind"_s) {
        command.request.locationsKind = value;
    } else if (option == u"--query"_s) {
        command.query = value;
    } else if (option == u"--export"_s) {
        if (!isBatchFormat(value))
            return u"unknown export format \"%1\" (use one of: %2)"_s.arg(
                value, batchFormatNames().join(u", "_s));
        command.format = value.toLower();
    } else if (option == u"--out"_s) {
        command.fileName = value;
    }
    return {};
}

} // namespace

shell::ProgramHelp programHelp()
{
    return {
        .name = u"quorvex"_s,
        .synopses = {u"report NAME [OPTION...] --export FORMAT --out FILE"_s, QString()},
        .summary =
            u"Without arguments, shows the host window on the registered cellar; on the first "
            "run of a user it offers to lay out a new cellar (the sample cellar or an empty "
            "one) under the user's data folder and registers it.\n"
            "\"quorvex report\" writes one report headless, with the export options the "
            "viewer keeps for it."_s,
        .details = u"NAME: %1\n"
                   "FORMAT: %2\n"
                   "  --grouping \"A/B/C\"         the wine list's grouping: three parts\n"
                   "  --details                  the cellar book with details\n"
                   "  --kind ByWine|ByLocation   the bottle locations report's kind\n"
                   "  --query NUMBER|DESCRIPTION the selection (default: the user's last one)\n"
                   "\n"
                   "Exit status: 0 written, 1 the report failed, 64 bad options."_s.arg(
                       reportNames().join(u", "_s), batchFormatNames().join(u", "_s)),
        .valueOptions = {u"--grouping"_s, u"--kind"_s, u"--query"_s, u"--export"_s, u"--out"_s},
    };
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    if (arguments.isEmpty())
        return line;
    if (arguments.front() != u"report"_s)
        return failure(u"unknown command \"%1\""_s.arg(arguments.front()));
    line.batch = true;
    if (arguments.size() < 2 || arguments.at(1).startsWith(u'-'))
        return failure(u"report: which report? (one of: %1)"_s.arg(reportNames().join(u", "_s)));
    const std::optional<ReportKind> kind = reportKindFromName(arguments.at(1));
    if (!kind)
        return failure(u"report: unknown report \"%1\" (one of: %2)"_s.arg(
            arguments.at(1), reportNames().join(u", "_s)));
    BatchCommand& command = line.command;
    command.request.kind = *kind;
    static const QStringList valued{u"--grouping"_s, u"--kind"_s, u"--query"_s, u"--export"_s,
                                    u"--out"_s};
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString option = arguments.at(i);
        const QString owner = ownerOf(option);
        if (!owner.isEmpty() && owner != reportName(*kind))
            return failure(u"%1 is an option of the %2 report, not of %3"_s.arg(option, owner,
                                                                                reportName(*kind)));
        if (option == u"--details"_s) {
            command.request.details = true;
        } else if (valued.contains(option)) {
            if (i + 1 >= arguments.size())
                return failure(u"%1 needs a value"_s.arg(option));
            if (const QString error = applyOption(command, option, arguments.at(++i));
                !error.isEmpty())
                return failure(error);
        } else {
            return failure(u"unknown option \"%1\""_s.arg(option));
        }
    }
    if (command.format.isEmpty() || command.fileName.isEmpty())
        return failure(u"report: --export FORMAT and --out FILE are needed"_s);
    return line;
}

} // namespace host
