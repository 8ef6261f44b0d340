// The texts of the numbered SQL source.

#include "host/SqlTexts.h"

#include "platform/vb/Error.h"

using namespace Qt::StringLiterals;

namespace host {

namespace {

// Phase texts of the cellar book's drinking-window icons: the month each phase begins.
const QList<std::pair<const char*, const char*>> kPhaseDates{
    {"HoldEnding", "datHoldEndSoon"},
    {"DrinkHoldStarting", "datDrinkHoldNew"},
    {"DrinkHold", "datDrinkHold"},
    {"DrinkHoldEnding", "datDrinkHoldEndSoon"},
    {"BestStarting", "datBestNew"},
    {"BestUp", "datBestLeftOfPeak"},
    {"PeakStarting", "datPeakComingUp"},
    {"PeakEnding", "datPeakPassed"},
    {"BestDown", "datBestRightOfPeak"},
    {"BestEnding", "datBestEndSoon"},
    {"DecliningStarting", "datDecliningNew"},
    {"Declining", "datDeclining"},
    {"DecliningEnding", "datDecliningEndSoon"},
    {"DeadStarting", "datDeadNew"},
    {"Dead", "datDead"},
};

QString jetTextLiteral(const QString& text)
{
    QString doubled = text;
    doubled.replace(u'"', u"\"\""_s);
    return u'"' + doubled + u'"';
}

QString phaseColumns()
{
    QString columns = u"IIf(Val(tblWines.Vintage) = 0, 'NV', tblWines.Vintage) AS dhi_Hold"_s;
    for (const auto& [phase, field] : kPhaseDates)
        columns += u", Format(tblWines.%1, 'yyyy-mm') AS dhi_%2"_s.arg(QLatin1String(field),
                                                                       QLatin1String(phase));
    return columns;
}

QString cellarBookText(const QString& appPath)
{
    const QString address =
        u"IIf(tblWinerySite.Address1 <> '', tblWinerySite.Address1 & "
        "IIf(tblWinerySite.Address2 <> '', Chr$(13) & Chr$(10) & tblWinerySite.Address2, ''), "
        "IIf(tblWinerySite.Address2 <> '', tblWinerySite.Address2, ''))"_s;
    const QString picture = u"IIf(tblWines.WineLabelPointer <> '', "
                            "IIf(Left$(tblWines.WineLabelPointer, 1) = '/', "
                            "tblWines.WineLabelPointer, %1 & tblWines.WineLabelPointer), '')"_s.arg(
                                jetTextLiteral(appPath));
    return u"SELECT tblWines.WineID AS Wine_ID, tblWinerySite.SiteName AS Winery_Name, "
           "IIf(tblWines.Label = '<unknown>', '', tblWines.Label & ' ') & "
           "IIf(tblWines.Vintage = '', 'NV', tblWines.Vintage) & ', ' & "
           "tblPICKAppellation.Appellation AS Wine2, "
           "IIf(tblWines.Vintage = '', 'NV', tblWines.Vintage) AS Wine_Vintage, "
           "tblPICKBottleSize.BottleSize AS Wine_BottleSize, tblPICKType.WineType AS Wine_Type, "
           "tblPICKCountry.Country AS Winery_Country, tblPICKRegion.StateRegion AS Winery_Region, "
           "tblPICKAppellation.Appellation AS Wine_Appellation, tblWines.Label AS Wine_Label, "
           "tblWines.[Value] * [_%1%_] AS Wine_DisplayValue, "
           "tblDrinkProfile.ProfileName AS Wine_DrinkProfile, tblWines.LifeSpan AS Wine_Lifespan, "
           "tblWines.DrinkFrom AS Wine_From, tblWines.Optimal AS Wine_Best, "
           "tblWines.Peak AS Wine_Peak, tblWines.DrinkTo AS Wine_To, "
           "tblWines.User01 AS Wine_User1, tblWines.User02 AS Wine_User2, "
           "tblWines.User03 AS Wine_User3, tblWines.User04 AS Wine_User4, "
           "tblWines.User05 AS Wine_User5, "_s +
           address +
           u" AS Winery_Address, tblWinerySite.Phone AS Winery_Phone, "
           "tblWinerySite.Fax AS Winery_Fax, tblWinerySite.Email AS Winery_Email, "
           "tblWinerySite.Website AS Winery_Website, "
           "tblWines.BottleLocations AS Wine_BottleLocations, tblNotes.NoteText AS Wine_Note, "
           "tblWines.Varieties AS Wine_Varieties, "_s +
           picture + u" AS Wine_Picture, "_s + phaseColumns() +
           u" FROM (tblReportSource INNER JOIN ((("_s + wineTablesJoin() +
           u") LEFT JOIN tblDrinkProfile ON tblWines.DrinkProfileID = "
           "tblDrinkProfile.DrinkProfileID) LEFT JOIN tblNotes ON tblWines.NoteID = "
           "tblNotes.NoteID) ON tblReportSource.WineID = tblWines.WineID) "
           "ORDER BY tblWinerySite.SiteName, tblWines.Label, tblWines.Vintage, tblWines.WineID;"_s;
}

const QString kTastingNotes =
    u"SELECT tblTastingNotes.[Date] AS [Date], tblTastingNotes.Score AS Score, "
    "IIf(tblTastingNotes.Author <> '', tblTastingNotes.Author & ': ', '') & tblNotes.NoteText "
    "AS NoteText FROM tblTastingNotes LEFT JOIN tblNotes ON tblTastingNotes.NoteID = "
    "tblNotes.NoteID WHERE tblTastingNotes.WineID = [_%1%_] "
    "ORDER BY tblTastingNotes.[Date], tblTastingNotes.TastingNoteID;"_s;

const QString kTransactions =
    u"SELECT tblTransactions.[Date] AS [Date], tblPICKRetailOutlet.RetailStoreName AS Store, "
    "tblNotes.NoteText AS NoteText, tblTransactions.Quantity AS Quantity, "
    "tblTransactions.Cost * [_%1%_] AS Tx_DisplayCost "
    "FROM (tblTransactions LEFT JOIN tblPICKRetailOutlet ON tblTransactions.RetailStoreID = "
    "tblPICKRetailOutlet.RetailStoreID) LEFT JOIN tblNotes ON tblTransactions.NoteID = "
    "tblNotes.NoteID WHERE tblTransactions.WineID = [_%2%_] "
    "ORDER BY tblTransactions.[Date], tblTransactions.TransactionID;"_s;

const QString kLocationsByLocation =
    u"SELECT tblLocationReport.Location AS Location, tblLocationReport.Quantity AS Quantity, "
    "tblLocationReport.WineTitle AS WineTitle FROM tblLocationReport "
    "ORDER BY tblLocationReport.Location, tblLocationReport.WineTitle, "
    "tblLocationReport.LocationKey;"_s;

const QString kLocationsByWine =
    u"SELECT tblLocationReport.Location AS Location, tblLocationReport.Quantity AS Quantity, "
    "tblLocationReport.WineTitle AS WineTitle FROM tblLocationReport "
    "ORDER BY tblLocationReport.WineTitle, tblLocationReport.LocationKey;"_s;

const QString kEmptyLocations = u"DELETE * FROM tblLocationReport;"_s;

QString transactionDates(const QString& quantityTest)
{
    // Concatenated, not arg(): the text keeps its own "%1" placeholder.
    return u"SELECT tblTransactions.[Date] FROM tblTransactions "
           "WHERE tblTransactions.WineID = [_%1%_] AND tblTransactions.Quantity "_s +
           quantityTest +
           u" AND tblTransactions.[Date] Is Not Null ORDER BY tblTransactions.[Date];"_s;
}

const QString kTastingDates =
    u"SELECT tblTastingNotes.[Date] FROM tblTastingNotes "
    "WHERE tblTastingNotes.WineID = [_%1%_] AND tblTastingNotes.[Date] Is Not Null "
    "ORDER BY tblTastingNotes.[Date];"_s;

} // namespace

QString wineTablesJoin()
{
    return u"(((((tblWines LEFT JOIN tblWinerySite ON tblWines.WinerySiteID = "
           "tblWinerySite.WinerySiteID) LEFT JOIN tblPICKRegion ON tblWinerySite.StateRegionID = "
           "tblPICKRegion.StateRegionID) LEFT JOIN tblPICKCountry ON tblWinerySite.CountryID = "
           "tblPICKCountry.CountryID) LEFT JOIN tblPICKAppellation ON tblWines.AppellationID = "
           "tblPICKAppellation.AppellationID) LEFT JOIN tblPICKType ON tblWines.WineTypeID = "
           "tblPICKType.WineTypeID) LEFT JOIN tblPICKBottleSize ON tblWines.BottleSizeID = "
           "tblPICKBottleSize.BottleSizeID"_s;
}

SqlTexts::SqlTexts(QString appPath, QObject* parent)
    : QObject(parent), m_appPath(std::move(appPath))
{
    setObjectName(u"sQLDatabase"_s);
}

QList<qint16> SqlTexts::numbers()
{
    return {7, 28, 29, 79, 93, 94, 95, 101, 102};
}

QString SqlTexts::Item(qint16 index) const
{
    switch (index) {
    case 7:
        return cellarBookText(m_appPath);
    case 28:
        return kLocationsByLocation;
    case 29:
        return kLocationsByWine;
    case 79:
        return kEmptyLocations;
    case 93:
        return transactionDates(u"> 0"_s);
    case 94:
        return transactionDates(u"< 0"_s);
    case 95:
        return kTastingDates;
    case 101:
        return kTastingNotes;
    case 102:
        return kTransactions;
    default:
        throw vb::Error(vb::ErrorNumber::SubscriptOutOfRange,
                        u"There is no SQL text number %1"_s.arg(index), u"sQLDatabase"_s);
    }
}

} // namespace host
