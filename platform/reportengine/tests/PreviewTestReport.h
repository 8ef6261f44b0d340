#pragma once

// The report the preview and viewer tests show: a wine list from a test cellar, grouped by
// country, every second row shaded, "Page N of M" at the foot of every page.

#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/tests/ReportTestDatabase.h"

namespace report::testing {

// `count` wines with producers, regions and vintages, in several countries.
QList<TestWine> previewCellar(int count);

class PreviewTestReport : public Report
{
public:
    explicit PreviewTestReport(const ReportTestDatabase& database);

protected:
    void reportStart() override { m_row = 0; }

private:
    int m_row = 0;
};

} // namespace report::testing
