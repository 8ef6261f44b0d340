#pragma once

// The generator's way to raise a report's events and reach its run state; modules override
// the events, only the generator raises them.

#include "platform/reportengine/model/Report.h"

namespace report {

class ReportEvents
{
public:
    static void reportStart(Report& report) { report.reportStart(); }
    static void dataInitialize(Report& report) { report.dataInitialize(); }
    static void fetchData(Report& report) { report.fetchData(); }
    static void pageStart(Report& report) { report.pageStart(); }
    static void pageEnd(Report& report) { report.pageEnd(); }
    static void reportEnd(Report& report) { report.reportEnd(); }
    static void printProgress(Report& report, int pageNumber) { report.printProgress(pageNumber); }

    static void setParentReport(Report& report, Report* parent) { report.m_parentReport = parent; }
    static bool stopRequested(const Report& report) { return report.m_stopRequested; }
};

} // namespace report
