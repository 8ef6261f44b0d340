#pragma once

// The host's record-set helper, in the locations report's list: opens record sets on the host's
// connections and closes them.

#include <QString>
#include <QtPlugin>

namespace jet {
class Connection;
class Recordset;
} // namespace jet

namespace reports {

class RecordsetHelper
{
public:
    virtual ~RecordsetHelper() = default;

    // Opens `source` (a table name such as "tblDBVer", or SQL text) on `connection`. A table
    // opens directly with a keyset cursor, updatable (rows can be added, changed, deleted);
    // with `readOnly` set it opens read-only, as for walking tblReportSource.
    virtual void OpenRecordset(jet::Recordset& recordset, const QString& source,
                               jet::Connection& connection, bool readOnly = false) = 0;
    // Closes the record set, ignoring any error.
    virtual void CloseADOObject(jet::Recordset& recordset) = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::RecordsetHelper, "org.quorvex.reports.RecordsetHelper/1.0")
