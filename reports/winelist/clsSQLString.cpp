// clsSQLString: the catalogue, AddItem and GetString.

#include "reports/winelist/clsSQLString.h"

#include "platform/vb/Error.h"
#include "reports/winelist/clsSQLItem.h"

using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;
const QString kCrLfTab = u"\r\n\t"_s;
const QString kJoinParts = u" & \", \" & "_s;

} // namespace

clsSQLString::clsSQLString()
    : m_select(u"SELECT tblWines.WineID"_s), m_from(u"FROM tblReportSource"_s),
      m_where(u"WHERE tblReportSource.WineID = tblWines.WineID "_s + kCrLfTab +
              u"AND tblWinerySite.WinerySiteID = tblWines.WinerySiteID "_s + kCrLfTab +
              u"AND tblPICKRegion.StateRegionID = tblWinerySite.StateRegionID "_s),
      m_orderBy(u"ORDER BY "_s), m_TitleParts{u"SiteName"_s, u"Label"_s, u"Appellation"_s,
                                              u"Vintage"_s}
{
    m_Tables.Add(u"tblWines"_s, vb::Variant(qint32(1)));
    m_Tables.Add(u"tblPICKRegion"_s, vb::Variant(qint32(1)));
    m_Tables.Add(u"tblWinerySite"_s, vb::Variant(qint32(1)));

    addCatalogueItem(u"Vintage"_s, u"tblWines"_s, u"Vintage"_s,
                     u"IIF(tblWines.Vintage = \"\", \"NV\", tblWines.Vintage)"_s, {});
    addCatalogueItem(u"Label"_s, u"tblWines"_s, u"Label"_s,
                     u"IIF(tblWines.Label = \"<unknown>\", \"\", tblWines.Label)"_s, {});
    addCatalogueItem(u"WineType"_s, u"tblPICKType"_s, u"WineType"_s,
                     u"IIF(tblPICKType.WineType = \"<unknown>\", \"N/A\", tblPICKType.WineType)"_s,
                     u"tblPICKType.WineTypeID = tblWines.WineTypeID"_s);
    addCatalogueItem(
        u"Country"_s, u"tblPICKCountry"_s, u"Country"_s,
        u"IIF(tblPICKCountry.Country = \"<unknown>\", \"N/A\", tblPICKCountry.Country)"_s,
        u"tblPICKCountry.CountryID = tblPICKRegion.CountryID"_s);
    addCatalogueItem(u"StateRegion"_s, u"tblPICKRegion"_s, u"StateRegion"_s,
                     u"IIF(tblPICKRegion.StateRegion = \"<unknown>\", \"N/A\", "
                     "tblPICKRegion.StateRegion)"_s,
                     {});
    addCatalogueItem(u"Appellation"_s, u"tblPICKAppellation"_s, u"Appellation"_s,
                     u"IIF(tblPICKAppellation.Appellation = \"<unknown>\", \"N/A\", "
                     "tblPICKAppellation.Appellation)"_s,
                     u"tblPICKAppellation.AppellationID = tblWines.AppellationID"_s);
    addCatalogueItem(u"SiteName"_s, u"tblWinerySite"_s, u"SiteName"_s, u"tblWinerySite.SiteName"_s,
                     {});
    addCatalogueItem(u"Varietal"_s, u"tblWines"_s, u"Variety1"_s,
                     u"IIF(tblWines.Variety1 = \"<unknown>\", \"N/A\", tblWines.Variety1)"_s, {});
}

void clsSQLString::addCatalogueItem(const QString& key, const QString& table, const QString& field,
                                    const QString& selectSQL, const QString& whereSQL)
{
    auto entry = std::make_shared<clsSQLItem>();
    entry->Init(table, field, selectSQL, whereSQL);
    m_Items.Add(key, vb::Variant::fromObject(entry));
}

std::shared_ptr<clsSQLItem> clsSQLString::item(const QString& key) const
{
    const vb::Variant value = m_Items.Item(key);
    auto found = value.isObject() ? std::dynamic_pointer_cast<clsSQLItem>(value.object()) : nullptr;
    if (!found)
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        u"\"%1\" is not an attribute the wine list can group by"_s.arg(key),
                        u"clsSQLString.AddItem"_s);
    return found;
}

void clsSQLString::AddItem(const QString& theItem)
{
    const std::shared_ptr<clsSQLItem> entry = item(theItem);
    m_select += u", "_s + kCrLfTab + entry->SelectSQL + u" AS "_s + theItem;
    if (!entry->Table.isEmpty() && !m_Tables.Exists(entry->Table)) {
        m_Tables.Add(entry->Table, vb::Variant(qint32(1)));
        if (!entry->WhereSQL.isEmpty())
            m_where += kCrLfTab + u"AND "_s + entry->WhereSQL;
    }
    if (!entry->Field.isEmpty())
        m_orderBy += entry->Table + u'.' + entry->Field + u", "_s;
    m_TitleParts.removeOne(theItem);
}

QString clsSQLString::GetString()
{
    QString fromList;
    for (const QString& table : m_Tables.Keys())
        fromList += u", "_s + table;

    QString wine;
    for (const QString& part : std::as_const(m_TitleParts)) {
        const std::shared_ptr<clsSQLItem> entry = item(part);
        wine += entry->SelectSQL + kJoinParts;
        if (!entry->Table.isEmpty() && !m_Tables.Exists(entry->Table)) {
            fromList += u", "_s + entry->Table;
            if (!entry->WhereSQL.isEmpty())
                m_where += kCrLf + u"   AND "_s + entry->WhereSQL;
        }
        if (!entry->Field.isEmpty())
            m_orderBy += entry->Table + u'.' + entry->Field + u", "_s;
    }
    m_orderBy.chop(2);
    wine.chop(kJoinParts.size());

    return m_select + u", "_s + kCrLfTab + wine + u" AS Wine "_s + kCrLf + m_from + fromList +
           kCrLf + m_where + kCrLf + m_orderBy + u';';
}
