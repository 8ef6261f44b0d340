#pragma once

// The grouped list report of the tests (tests/data/grouped_list.xml) on a test database, with
// every second detail row shaded as the list reports shade them.

#include "platform/reportengine/model/Report.h"
#include "ReportTestDatabase.h"

namespace report::testing {

class ListReport : public Report
{
public:
    explicit ListReport(const ReportTestDatabase& database);

private:
    int m_row = 0;
};

} // namespace report::testing
