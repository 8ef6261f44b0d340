// The tests' grouped, shaded list report.
#include "ListReport.h"

using namespace Qt::StringLiterals;

namespace report::testing {

ListReport::ListReport(const ReportTestDatabase& database)
{
    loadLayout(database.dataPath(u"grouped_list.xml"_s));
    dcDetail().setConnectionString(database.connectionString());
    dcDetail().setSource(u"SELECT Country, Wine, Price FROM tblWines ORDER BY Country, WineID"_s);
    section(u"Detail"_s).setOnFormat([this] {
        Section& detail = section(u"Detail"_s);
        detail.setBackStyle(m_row % 2 ? BackStyle::Opaque : BackStyle::Transparent);
        detail.setBackColor(qRgb(224, 224, 224));
        ++m_row;
    });
}

} // namespace report::testing
