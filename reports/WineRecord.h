#pragma once

// The current row of a wine record object (the locations module's clsWines) as the host reads
// it: the wine's key and running number, and the fields its display title and bottle
// locations come from. Names are those of the record's properties.

#include <QString>
#include <QtPlugin>

namespace reports {

class WineRecord
{
public:
    virtual ~WineRecord() = default;

    virtual qint32 WineID() const = 0;
    virtual qint32 oldWineID() const = 0;
    virtual QString Vintage() const = 0;
    virtual QString Label() const = 0;
    virtual qint32 WinerySiteID() const = 0;
    virtual qint32 AppellationID() const = 0;
    virtual qint32 BottleSizeID() const = 0;
    virtual qint32 WineTypeID() const = 0;
    // One location line per CR LF-separated line (see CommonTools::ParseLocationLine).
    virtual QString BottleLocations() const = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::WineRecord, "org.quorvex.reports.WineRecord/1.0")
