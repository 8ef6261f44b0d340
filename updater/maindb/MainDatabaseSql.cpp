#include "MainDatabaseSql.h"

namespace updater::maindb {

QString stageDatesStatement()
{
    return QStringLiteral(
        "UPDATE tblWines "
        "SET tblWines.Varieties = IIf([Variety1]='<unknown>','<unknown>',[Variety1] & ' - ' & "
        "[VarietyPerc1] & "
        "IIf([Variety2]='<unknown>','',Chr$(13) & Chr$(10) & [Variety2] & ' - ' & [VarietyPerc2] & "
        "IIf([Variety3]='<unknown>','',Chr$(13) & Chr$(10) & [Variety3] & ' - ' & [VarietyPerc3] & "
        "IIf([Variety4]='<unknown>','',Chr$(13) & Chr$(10) & [Variety4] & ' - ' & [VarietyPerc4] & "
        "IIf([Variety5]='<unknown>','',Chr$(13) & Chr$(10) & [Variety5] & ' - ' & "
        "[VarietyPerc5]))))),"
        "tblWines.HasLabel = IIf([WineLabelPointer]<>\"\",True,False),"
        "tblWines.datDead = "
        "DateSerial(IIf(Val([Vintage])=0,Left$([DrinkFrom],4),[Vintage])+tblWines.LifeSpan,7+("
        "tblWines.PeriodBandWidth/2),1),"
        "tblWines.datDeadNew = "
        "DateSerial(IIf(Val([Vintage])=0,Left$([DrinkFrom],4),[Vintage])+tblWines.LifeSpan,7,1),"
        "tblWines.datDecliningEndSoon = "
        "DateSerial(IIf(Val([Vintage])=0,Left$([DrinkFrom],4),[Vintage])+tblWines.LifeSpan,7-("
        "tblWines.PeriodBandWidth/2),1),"
        "tblWines.datDeclining = "
        "DateSerial(Left$([DrinkTo],4),Right$([DrinkTo],2)+(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datDecliningNew = DateSerial(Left$([DrinkTo],4),Right$([DrinkTo],2),1),"
        "tblWines.datBestEndSoon = "
        "DateSerial(Left$([DrinkTo],4),Right$([DrinkTo],2)-(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datBestRightOfPeak = "
        "DateSerial(Left$([Peak],4),Right$([Peak],2)+(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datPeakPassed = DateSerial(Left$([Peak],4),Right$([Peak],2),1),"
        "tblWines.datPeakComingUp = "
        "DateSerial(Left$([Peak],4),Right$([Peak],2)-(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datBestLeftOfPeak = "
        "DateSerial(Left$([Optimal],4),Right$([Optimal],2)+(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datBestNew = DateSerial(Left$([Optimal],4),Right$([Optimal],2),1),"
        "tblWines.datDrinkHoldEndSoon = "
        "DateSerial(Left$([Optimal],4),Right$([Optimal],2)-(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datDrinkHold = "
        "DateSerial(Left$([DrinkFrom],4),Right$([DrinkFrom],2)+(tblWines.PeriodBandWidth/2),1),"
        "tblWines.datDrinkHoldNew = DateSerial(Left$([DrinkFrom],4),Right$([DrinkFrom],2),1),"
        "tblWines.datHoldEndSoon = "
        "DateSerial(Left$([DrinkFrom],4),Right$([DrinkFrom],2)-(tblWines.PeriodBandWidth/2),1);");
}

QString firstLastDatesStatement()
{
    return QStringLiteral(
        "SELECT tblWines.WineID, "
        "(SELECT Min(tblTransactions.Date) AS FirstBought FROM tblTransactions  where "
        "tblTransactions.Quantity>0 and tblTransactions.WineID = tblWines.WineID;) AS "
        "FirstBoughtField,"
        "(SELECT Max(tblTransactions.Date) AS LastBought FROM tblTransactions  where "
        "tblTransactions.Quantity>0 and tblTransactions.WineID = tblWines.WineID;) AS "
        "LastBoughtField,"
        "(SELECT Min(tblTransactions.Date) AS FirstRemoved FROM tblTransactions  where "
        "tblTransactions.Quantity<0 and tblTransactions.WineID = tblWines.WineID;) AS "
        "FirstRemovedField,"
        "(SELECT Max(tblTransactions.Date) AS LastRemoved FROM tblTransactions  where "
        "tblTransactions.Quantity<0 and tblTransactions.WineID = tblWines.WineID;) AS "
        "LastRemovedField,"
        "(SELECT Min(tblTastingNotes.Date) AS FirstTastingNote FROM tblTastingNotes where "
        "tblTastingNotes.WineID = tblWines.WineID;) AS FirstTastingNoteField,"
        "(SELECT Max(tblTastingNotes.Date) AS LastTastingNote FROM tblTastingNotes where "
        "tblTastingNotes.WineID = tblWines.WineID;) AS LastTastingNoteField "
        "FROM tblWines;");
}

QString currentQuery()
{
    return QStringLiteral(
        "SELECT DISTINCTROW tblWines.WineID, "
        "IIf([tblWinerySite].[Address1]<>\"\",[tblWinerySite].[Address1] & "
        "IIf([tblWinerySite].[Address2]<>\"\",Chr$(13) & Chr$(10) & "
        "[tblWinerySite].[Address2],\"\"),IIf([tblWinerySite].[Address2]<>\"\","
        "[tblWinerySite].[Address2])) AS Address, CalcDHI.DHI "
        "FROM (((((tblNotes AS tblNotes_Country RIGHT JOIN (tblNotes AS tblNotes_Region RIGHT JOIN"
        "((((tblWinerySite LEFT JOIN tblPICKCountry ON tblWinerySite.CountryID = "
        "tblPICKCountry.CountryID) LEFT JOIN tblPICKRegion ON tblWinerySite.StateRegionID = "
        "tblPICKRegion.StateRegionID) LEFT JOIN tblPICKAppellation AS tblPICKAppellation_Winery ON "
        "tblWinerySite.AppellationID = tblPICKAppellation_Winery.AppellationID) LEFT JOIN tblNotes "
        "AS tblNotes_Winery ON tblWinerySite.NoteID = tblNotes_Winery.NoteID) ON "
        "tblNotes_Region.NoteID = tblPICKRegion.NoteID) ON tblNotes_Country.NoteID = "
        "tblPICKCountry.NoteID) LEFT JOIN tblNotes AS tblNotes_AppellationWinery ON "
        "tblPICKAppellation_Winery.NoteID = tblNotes_AppellationWinery.NoteID) INNER JOIN "
        "(tblPICKType RIGHT JOIN (tblPICKBottleSize RIGHT JOIN (tblDrinkProfile RIGHT JOIN "
        "((tblPICKAppellation AS tblPICKAppellation_Wine RIGHT JOIN (tblNotes AS tblNotes_Wine "
        "RIGHT JOIN tblWines ON tblNotes_Wine.NoteID = tblWines.NoteID) ON "
        "tblPICKAppellation_Wine.AppellationID = tblWines.Appellation"
        "ID) LEFT JOIN tblNotes AS tblNotes_AppellationWine ON tblPICKAppellation_Wine.NoteID = "
        "tblNotes_AppellationWine.NoteID) ON tblDrinkProfile.DrinkProfileID = "
        "tblWines.DrinkProfileID) ON tblPICKBottleSize.BottleSizeID = tblWines.BottleSizeID) ON "
        "tblPICKType.WineTypeID = tblWines.WineTypeID) ON tblWinerySite.WinerySiteID = "
        "tblWines.WinerySiteID) LEFT JOIN (tblNotes AS tblNotes_TastingNote RIGHT JOIN "
        "tblTastingNotes ON tblNotes_TastingNote.NoteID = tblTastingNotes.NoteID) ON "
        "tblWines.WineID = tblTastingNotes.WineID) LEFT JOIN (tblPICKRetailOutlet RIGHT JOIN "
        "(tblNotes AS tblNotes_Transaction RIGHT JOIN tblTransactions ON "
        "tblNotes_Transaction.NoteID = tblTransactions.NoteID) ON "
        "tblPICKRetailOutlet.RetailStoreID = tblTransactions.RetailStoreID) ON tblWines.WineID = "
        "tblTransactions.WineID) INNER JOIN CalcDHI ON tblWines.WineID = CalcDHI.WineID "
        "WHERE tblWines.WineID >= 0;");
}

QString reverseQuery()
{
    return QStringLiteral(
        "SELECT DISTINCTROW "
        "tblWines.WineID, "
        "IIf(tblWinerySite.Address1<>\"\",tblWinerySite.Address1 & "
        "IIf(tblWinerySite.Address2<>\"\",Chr$(13) & Chr$(10) & "
        "tblWinerySite.Address2,\"\"),IIf(tblWinerySite.Address2<>\"\",tblWinerySite.Address2)) AS "
        "Address, "
        "CalcDHI.DHI "
        "FROM "
        "tblWinerySite INNER JOIN ((tblWines INNER JOIN CalcDHI ON tblWines.WineID = "
        "CalcDHI.WineID) LEFT JOIN CurrentQuery ON tblWines.WineID = CurrentQuery.WineID) ON "
        "tblWinerySite.WinerySiteID = tblWines.WinerySiteID "
        "WHERE (((CurrentQuery.WineID) Is Null));");
}

const QStringList& stageDateFields()
{
    static const QStringList fields{QStringLiteral("datHoldEndSoon"),
                                    QStringLiteral("datDrinkHoldNew"),
                                    QStringLiteral("datDrinkHold"),
                                    QStringLiteral("datDrinkHoldEndSoon"),
                                    QStringLiteral("datBestNew"),
                                    QStringLiteral("datBestLeftOfPeak"),
                                    QStringLiteral("datPeakComingUp"),
                                    QStringLiteral("datPeakPassed"),
                                    QStringLiteral("datBestRightOfPeak"),
                                    QStringLiteral("datBestEndSoon"),
                                    QStringLiteral("datDecliningNew"),
                                    QStringLiteral("datDeclining"),
                                    QStringLiteral("datDecliningEndSoon"),
                                    QStringLiteral("datDeadNew"),
                                    QStringLiteral("datDead")};
    return fields;
}

QString calcDhiQuery()
{
    // One term per stage from the last down to the first: a stage counts as reached when its
    // date has come or the stage after it is reached, so the mask has no gaps.
    const QStringList& stages = stageDateFields();
    const int last = static_cast<int>(stages.size()) - 1;
    QString sql = QStringLiteral("SELECT ") + QStringLiteral("tblWines.WineID,");
    sql += QStringLiteral("IIf(Now()>=[tblWines].[%1],%2,0) AS bytDHI%3,")
               .arg(stages[last])
               .arg(1 << last)
               .arg(last);
    for (int k = last - 1; k >= 0; --k) {
        sql += QStringLiteral("IIf(Now()>=[tblWines].[%1],%2,IIf(bytDHI%3=%4,%2,0)) AS bytDHI%5,")
                   .arg(stages[k])
                   .arg(1 << k)
                   .arg(k + 1)
                   .arg(1 << (k + 1))
                   .arg(k);
    }
    QStringList sum;
    for (int k = 0; k <= last; ++k)
        sum << QStringLiteral("bytDHI%1").arg(k);
    sql += sum.join(QLatin1Char('+')) + QStringLiteral(" AS DHI ");
    sql += QStringLiteral("FROM tblWines;");
    return sql;
}

} // namespace updater::maindb
