// Building a wine's display title from its record and the pick lists.

#include "host/WineTitle.h"

#include "platform/jet/Connection.h"
#include "reports/WineRecord.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace host {

namespace {

const QString kUnknown = u"<unknown>"_s;
constexpr qint32 kStandardBottle = 750;

vb::Variant lookUp(jet::Connection& database, const QString& sql)
{
    jet::ResultSet rows = database.execute(sql);
    const vb::Variant value = rows.eof() ? vb::Variant::null() : rows.value(0);
    rows.close();
    return value;
}

QString knownText(const vb::Variant& value)
{
    if (value.isNull() || value.isEmpty())
        return {};
    const QString text = value.toString().trimmed();
    return text == kUnknown ? QString() : text;
}

} // namespace

QString buildWineTitle(jet::Connection& mainDatabase, const reports::WineRecord& wine)
{
    QStringList parts;
    const QString winery = knownText(lookUp(
        mainDatabase,
        u"SELECT SiteName FROM tblWinerySite WHERE WinerySiteID = %1"_s.arg(wine.WinerySiteID())));
    const QString appellation = knownText(lookUp(
        mainDatabase, u"SELECT Appellation FROM tblPICKAppellation WHERE AppellationID = %1"_s.arg(
                          wine.AppellationID())));
    for (const QString& part : {winery, knownText(wine.Label()), appellation})
        if (!part.isEmpty())
            parts << part;
    const QString vintage = wine.Vintage().trimmed().isEmpty() ? u"NV"_s : wine.Vintage().trimmed();
    QString title = parts.join(u", "_s);
    title += (title.isEmpty() ? QString() : u" "_s) + vintage;

    jet::ResultSet size = mainDatabase.execute(
        u"SELECT BottleSize, Volume FROM tblPICKBottleSize WHERE BottleSizeID = %1"_s.arg(
            wine.BottleSizeID()));
    if (!size.eof() && !size.value(1).isNull() && size.value(1).toLong() != kStandardBottle &&
        !knownText(size.value(0)).isEmpty())
        title += u" (%1)"_s.arg(knownText(size.value(0)));
    size.close();
    return title;
}

} // namespace host
