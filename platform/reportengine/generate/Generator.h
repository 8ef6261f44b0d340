#pragma once

// One run of a report into its page collection: the report's events in their order, its rows,
// its sections laid out and paginated. The collection says at the end whether the run finished,
// was stopped or failed; an error is raised to the caller after the collection records it.

namespace report {

class Report;

void generateReport(Report& report);

} // namespace report
