#pragma once

// The host program's command line:
//   quorvex                      the host window on the registered installation
//   quorvex report NAME [--grouping "A/B/C"] [--details] [--kind ByWine|ByLocation]
//                  [--query NUMBER|DESCRIPTION] --export FORMAT --out FILE
// NAME is winelist, summary, cellarbook or locations; --grouping is the wine list's,
// --details the cellar book's, --kind the locations report's. FORMAT: text, pdf, rtf, html,
// xls, tif. Without --query the user's last selection applies.

#include "host/ReportRequest.h"
#include "platform/shell/ProgramOptions.h"

#include <optional>
#include <QString>
#include <QStringList>

namespace host {

struct BatchCommand
{
    ReportRequest request;
    std::optional<QString> query;
    QString format;
    QString fileName;
};

struct CommandLine
{
    bool batch = false;
    BatchCommand command;
    QString error; // set when the arguments are not understood: what is wrong
};

// `arguments` without the program name.
CommandLine parseCommandLine(const QStringList& arguments);

// What --help and a usage error print.
shell::ProgramHelp programHelp();

} // namespace host
