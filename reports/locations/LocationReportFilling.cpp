// Expanding the selected wines' bottle locations into tblLocationReport.

#include "reports/locations/LocationReportFilling.h"

#include "platform/jet/Connection.h"
#include "platform/jet/recordset/Recordset.h"
#include "platform/vb/Error.h"
#include "reports/CommonTools.h"
#include "reports/locations/clsWines.h"
#include "reports/RecordsetHelper.h"

using namespace Qt::StringLiterals;

namespace stovanic {

namespace {

const QString kLineBreak = u"\r\n"_s;
// What a wine without known locations holds.
const QString kUnknown = u"<unknown>"_s;

// The host's record sets, closed through the host however the filling ends.
class HostRecordset
{
public:
    explicit HostRecordset(reports::RecordsetHelper& helper) : m_helper(helper) {}
    ~HostRecordset() { m_helper.CloseADOObject(m_recordset); }
    HostRecordset(const HostRecordset&) = delete;
    HostRecordset& operator=(const HostRecordset&) = delete;

    jet::Recordset& operator*() noexcept { return m_recordset; }
    jet::Recordset* operator->() noexcept { return &m_recordset; }

private:
    reports::RecordsetHelper& m_helper;
    jet::Recordset m_recordset;
};

// One row of the work table for one location line of the wine.
void addRow(reports::CommonTools& commonTools, const clsWines& wine, const QString& title,
            const QString& line, jet::Recordset& locationReport)
{
    QString location;
    qint16 quantity = 0;
    commonTools.ParseLocationLine(line, location, quantity);
    locationReport.addNew();
    locationReport.setValue(0, vb::Variant(title));
    locationReport.setValue(1, vb::Variant(location));
    locationReport.setValue(2, vb::Variant(quantity));
    locationReport.setValue(3, vb::Variant(QString::number(wine.oldWineID()) + u"$$"_s + location));
    locationReport.update();
}

int addWineRows(const LocationReportSources& sources, const clsWines& wine,
                jet::Recordset& locationReport)
{
    const QString title = sources.commonTools.f_BuildWineTitle(wine);
    int added = 0;
    for (const QString& line : locationLines(wine.BottleLocations())) {
        try {
            addRow(sources.commonTools, wine, title, line, locationReport);
        } catch (const vb::Error& error) {
            // A line the host cannot read, or whose place does not fit the work table: say
            // which wine and which line, so that the user can put it right.
            throw vb::Error(error.number(),
                            u"The bottle locations of the wine \"%1\" (number %2) cannot be "
                            "printed: the line \"%3\" is not read. %4"_s.arg(title)
                                .arg(wine.oldWineID())
                                .arg(line, error.description()),
                            error.source());
        }
        ++added;
    }
    return added;
}

} // namespace

QStringList locationLines(const QString& bottleLocations)
{
    if (bottleLocations.isEmpty() || bottleLocations == kUnknown)
        return {};
    QStringList lines;
    // One CR LF on the end, so that the last line ends like the others.
    QString text = bottleLocations + kLineBreak;
    for (qsizetype end = text.indexOf(kLineBreak); end >= 0; end = text.indexOf(kLineBreak)) {
        const QString line = text.left(end);
        text.remove(0, end + kLineBreak.size());
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    return lines;
}

int fillLocationReport(const LocationReportSources& sources)
{
    HostRecordset reportSource(sources.recordsets);
    HostRecordset locationReport(sources.recordsets);
    sources.recordsets.OpenRecordset(*reportSource, u"tblReportSource"_s, sources.mainDatabase,
                                     true);
    sources.recordsets.OpenRecordset(*locationReport, u"tblLocationReport"_s,
                                     sources.settingsDatabase);
    clsWines wine(
        {sources.mainDatabase, sources.commonTools, sources.recordsets, sources.sqlTexts});

    int added = 0;
    sources.settingsDatabase.beginTrans();
    try {
        for (; !reportSource->eof(); reportSource->moveNext()) {
            wine.setWineID(reportSource->value(0).toLong());
            if (wine.SeekRecord(static_cast<qint16>(jet::SeekOption::FirstEQ)))
                added += addWineRows(sources, wine, *locationReport);
        }
        sources.settingsDatabase.commitTrans();
    } catch (...) {
        if (locationReport->editMode() != jet::EditMode::None)
            locationReport->cancelUpdate();
        sources.settingsDatabase.rollbackTrans();
        throw;
    }
    return added;
}

} // namespace stovanic
