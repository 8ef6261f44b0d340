// clsSQLString: the statements for one group, no group and three groups, written out by hand
// from the builder's rules; the FROM list in the bucket order of the joined tables.

#include "reports/winelist/clsSQLString.h"

#include "platform/vb/Error.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The parts every statement shares.
const QString kWhereBase = u"WHERE tblReportSource.WineID = tblWines.WineID \r\n\t"
                           "AND tblWinerySite.WinerySiteID = tblWines.WinerySiteID \r\n\t"
                           "AND tblPICKRegion.StateRegionID = tblWinerySite.StateRegionID "_s;
const QString kSite = u"tblWinerySite.SiteName"_s;
const QString kLabel = u"IIF(tblWines.Label = \"<unknown>\", \"\", tblWines.Label)"_s;
const QString kAppellation = u"IIF(tblPICKAppellation.Appellation = \"<unknown>\", \"N/A\", "
                             "tblPICKAppellation.Appellation)"_s;
const QString kVintage = u"IIF(tblWines.Vintage = \"\", \"NV\", tblWines.Vintage)"_s;
const QString kCountry =
    u"IIF(tblPICKCountry.Country = \"<unknown>\", \"N/A\", tblPICKCountry.Country)"_s;
const QString kType = u"IIF(tblPICKType.WineType = \"<unknown>\", \"N/A\", tblPICKType.WineType)"_s;
const QString kJoin = u" & \", \" & "_s;

// Buckets of 1024 (XOR of the names' little-endian words): tblWines 29, tblPICKCountry 288,
// tblPICKType 324, tblPICKRegion 566, tblPICKAppellation 590, tblWinerySite 769.

TEST(clsSQLString, GroupingByCountryAloneGivesTheStatementCharacterForCharacter)
{
    clsSQLString sql;
    sql.AddItem(u"Country"_s);
    const QString expected =
        u"SELECT tblWines.WineID, \r\n\t"_s + kCountry + u" AS Country, \r\n\t"_s + kSite + kJoin +
        kLabel + kJoin + kAppellation + kJoin + kVintage + u" AS Wine \r\n"_s +
        u"FROM tblReportSource, tblWines, tblPICKCountry, tblPICKRegion, tblWinerySite, "
        "tblPICKAppellation\r\n"_s +
        kWhereBase + u"\r\n\tAND tblPICKCountry.CountryID = tblPICKRegion.CountryID"_s +
        u"\r\n   AND tblPICKAppellation.AppellationID = tblWines.AppellationID"_s + u"\r\n"_s +
        u"ORDER BY tblPICKCountry.Country, tblWinerySite.SiteName, tblWines.Label, "
        "tblPICKAppellation.Appellation, tblWines.Vintage;"_s;
    EXPECT_EQ(sql.GetString(), expected);
}

TEST(clsSQLString, WithoutGroupsOnlyTheWineTitleIsSelected)
{
    clsSQLString sql;
    const QString expected =
        u"SELECT tblWines.WineID, \r\n\t"_s + kSite + kJoin + kLabel + kJoin + kAppellation +
        kJoin + kVintage + u" AS Wine \r\n"_s +
        u"FROM tblReportSource, tblWines, tblPICKRegion, tblWinerySite, tblPICKAppellation\r\n"_s +
        kWhereBase + u"\r\n   AND tblPICKAppellation.AppellationID = tblWines.AppellationID"_s +
        u"\r\nORDER BY tblWinerySite.SiteName, tblWines.Label, tblPICKAppellation.Appellation, "
        "tblWines.Vintage;"_s;
    EXPECT_EQ(sql.GetString(), expected);
}

TEST(clsSQLString, ThreeGroupsTakeTheirPartsOutOfTheWineColumnAndJoinInBucketOrder)
{
    clsSQLString sql;
    sql.AddItem(u"WineType"_s);
    sql.AddItem(u"Country"_s);
    sql.AddItem(u"Appellation"_s);
    EXPECT_EQ(sql.tableKeys(), (std::vector<QString>{u"tblWines"_s, u"tblPICKCountry"_s,
                                                     u"tblPICKType"_s, u"tblPICKRegion"_s,
                                                     u"tblPICKAppellation"_s, u"tblWinerySite"_s}));
    const QString expected =
        u"SELECT tblWines.WineID, \r\n\t"_s + kType + u" AS WineType, \r\n\t"_s + kCountry +
        u" AS Country, \r\n\t"_s + kAppellation + u" AS Appellation, \r\n\t"_s + kSite + kJoin +
        kLabel + kJoin + kVintage + u" AS Wine \r\n"_s +
        u"FROM tblReportSource, tblWines, tblPICKCountry, tblPICKType, tblPICKRegion, "
        "tblPICKAppellation, tblWinerySite\r\n"_s +
        kWhereBase + u"\r\n\tAND tblPICKType.WineTypeID = tblWines.WineTypeID"_s +
        u"\r\n\tAND tblPICKCountry.CountryID = tblPICKRegion.CountryID"_s +
        u"\r\n\tAND tblPICKAppellation.AppellationID = tblWines.AppellationID"_s +
        u"\r\nORDER BY tblPICKType.WineType, tblPICKCountry.Country, "
        "tblPICKAppellation.Appellation, tblWinerySite.SiteName, tblWines.Label, "
        "tblWines.Vintage;"_s;
    EXPECT_EQ(sql.GetString(), expected);
}

TEST(clsSQLString, AnAttributeOutsideTheCatalogueIsNamedInTheError)
{
    clsSQLString sql;
    try {
        sql.AddItem(u"Colour"_s);
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().contains(u"\"Colour\""_s))
            << error.description().toStdString();
    }
}

} // namespace
