#pragma once

// A report module's public class Rpt. LoadReport takes the module's argument list (its layout
// per module: ModuleArguments.h), builds the report, shows it through the viewer and returns
// when the viewer closes; an error in any step is the call's result and nothing is shown. The
// wine list's Rpt also prepares a report without showing it.

#include "reports/CallResult.h"

#include <memory>
#include <QtPlugin>

namespace report {
class Report;
}

namespace reports {

class ArgumentList;

class Rpt
{
public:
    virtual ~Rpt() = default;

    virtual CallResult LoadReport(const ArgumentList& parameters) = 0;
};

class WineListRpt : public Rpt
{
public:
    // Prepares the report of the last LoadReport/GetReport again.
    virtual CallResult PrepareReport() = 0;
    // Takes langHelper, commonTools, regObject, sQLDatabase, preferences, wineDBFile, and puts
    // the prepared report, now the caller's, into `preparedReport`.
    virtual CallResult GetReport(const ArgumentList& parameters,
                                 std::unique_ptr<report::Report>& preparedReport) = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::Rpt, "org.quorvex.reports.Rpt/1.0")
Q_DECLARE_INTERFACE(reports::WineListRpt, "org.quorvex.reports.WineListRpt/1.0")
