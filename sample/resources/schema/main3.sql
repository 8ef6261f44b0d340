-- The main wine database (csample.qvd) at version 3, the oldest version the updater takes.
-- Main database updates 4 to 11 start from here, so nothing they add exists yet:
--   no tblCountryAliases, tblRegionAliases, tblAppellationAliases (update 4), no index
--   "StateRegionID" on tblPICKRegion (update 4), no index "oldWineID" on tblWines (update 5),
--   no MaxBarcodeID/StorageCurrencyCode/LastWineriesDownload in tblDBVer (updates 5, 8),
--   no UserID in tblWinerySite and tblTastingNotes (update 6), no PreSelect/Created/LastModif
--   in tblWines (updates 7, 8), no LastModif in tblTastingNotes (update 8), no Peak, LifeSpan,
--   PeriodBandWidth, Varieties, HasLabel, stage dates or first/last dates in tblWines and no
--   DeltaPeak/LifeSpan/PeriodBandWidth in tblDrinkProfile (update 10), no stored query
--   CalcDHI (update 10) or ReverseQuery (update 11), no tblLocations (update 11).
-- What the updates read or change is here in its old form:
--   tblWinerySite.MasterID and tblTastingNotes.MasterID with their non-unique index "MasterID"
--   (update 6 merges wineries that share a MasterID and then replaces the index);
--   tblWines.DrinkFrom, Optimal and DrinkTo hold years as 4-character texts (update 10 widens
--   them to "YYYY-MM"); tblPICKRetailOutlet.RetailStoreName is TEXT(30) (update 9 widens it).
-- Text and memo columns that may be Null accept "" too (Allow Zero Length, which Jet SQL cannot
-- declare: the generator sets it after this script).
-- The wine record class addresses tblWines by column position, so its 37 columns keep this
-- order; the updates append theirs after position 36.

CREATE TABLE tblDBVer (
    Version SHORT NOT NULL
);

CREATE TABLE tblNotes (
    NoteID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    NoteText MEMO
);

CREATE TABLE tblPICKCountry (
    CountryID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    Country TEXT(50) NOT NULL,
    NoteID LONG
);
CREATE UNIQUE INDEX Country ON tblPICKCountry (Country);

CREATE TABLE tblPICKRegion (
    StateRegionID LONG NOT NULL,
    CountryID LONG NOT NULL,
    StateRegion TEXT(50) NOT NULL,
    NoteID LONG,
    CONSTRAINT PrimaryKey PRIMARY KEY (CountryID, StateRegionID)
);

CREATE TABLE tblPICKAppellation (
    AppellationID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    Appellation TEXT(50) NOT NULL,
    NoteID LONG
);
CREATE UNIQUE INDEX UniqueAppellation ON tblPICKAppellation (Appellation);

CREATE TABLE tblPICKGeoAppellation (
    AppellationID LONG NOT NULL,
    CountryID LONG NOT NULL,
    StateRegionID LONG NOT NULL,
    CONSTRAINT PrimaryKey PRIMARY KEY (AppellationID, CountryID, StateRegionID)
);

CREATE TABLE tblPICKType (
    WineTypeID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    WineType TEXT(50) NOT NULL
);

CREATE TABLE tblPICKBottleSize (
    BottleSizeID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    BottleSize TEXT(30) NOT NULL,
    Volume LONG
);

CREATE TABLE tblPICKRetailOutlet (
    RetailStoreID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    RetailStoreName TEXT(30) NOT NULL,
    City TEXT(50),
    NoteID LONG
);

CREATE TABLE tblDrinkProfile (
    DrinkProfileID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    ProfileName TEXT(50) NOT NULL,
    DeltaFrom SHORT,
    DeltaBest SHORT,
    DeltaTo SHORT
);

CREATE TABLE tblWinerySite (
    WinerySiteID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    MasterID LONG NOT NULL,
    SiteName TEXT(100) NOT NULL,
    CountryID LONG,
    StateRegionID LONG,
    AppellationID LONG,
    NoteID LONG,
    Address1 TEXT(100),
    Address2 TEXT(100),
    Phone TEXT(30),
    Fax TEXT(30),
    Email TEXT(100),
    Website TEXT(100)
);
CREATE INDEX MasterID ON tblWinerySite (MasterID);

CREATE TABLE tblWines (
    WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    Vintage TEXT(4),
    Label TEXT(100),
    QOH SHORT,
    ShoppingList BIT,
    TastingNote BIT,
    WineLabelPointer TEXT(255),
    DrinkFrom TEXT(4),
    DrinkTo TEXT(4),
    User01 TEXT(50),
    User02 TEXT(50),
    User03 TEXT(50),
    User04 TEXT(50),
    User05 TEXT(50),
    [Value] CURRENCY,
    Optimal TEXT(4),
    BottleLocations MEMO,
    Variety1 TEXT(50),
    VarietyPerc1 TEXT(10),
    Variety2 TEXT(50),
    VarietyPerc2 TEXT(10),
    Variety3 TEXT(50),
    VarietyPerc3 TEXT(10),
    Variety4 TEXT(50),
    VarietyPerc4 TEXT(10),
    Variety5 TEXT(50),
    VarietyPerc5 TEXT(10),
    WineTypeID LONG,
    AppellationID LONG,
    BottleSizeID LONG,
    WinerySiteID LONG,
    DrinkProfileID LONG,
    NoteID LONG,
    oldWineID SHORT NOT NULL,
    Score TEXT(10),
    Alcohol TEXT(10),
    ReviewSource TEXT(50)
);
CREATE UNIQUE INDEX UniqueWine ON tblWines (WinerySiteID, Label, Vintage, AppellationID, BottleSizeID);

CREATE TABLE tblTransactions (
    TransactionID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    WineID LONG NOT NULL,
    [Date] DATETIME,
    [Time] DATETIME,
    Quantity SHORT NOT NULL,
    Cost CURRENCY,
    RetailStoreID LONG,
    NoteID LONG
);
CREATE INDEX WineID ON tblTransactions (WineID);

CREATE TABLE tblTastingNotes (
    TastingNoteID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    WineID LONG NOT NULL,
    [Date] DATETIME,
    Author TEXT(50),
    Score TEXT(10),
    NoteID LONG,
    MasterID LONG NOT NULL
);
CREATE INDEX MasterID ON tblTastingNotes (MasterID);
CREATE INDEX WineID ON tblTastingNotes (WineID);

-- The host fills this with the wines of the current selection before a report runs.
CREATE TABLE tblReportSource (
    WineID LONG NOT NULL
);

-- The wines of the user's current selection, as the old program defined it (update 10
-- redefines it with the drink/hold indicator).
CREATE VIEW CurrentQuery AS SELECT DISTINCTROW tblWines.WineID, IIf([tblWinerySite].[Address1]<>"",[tblWinerySite].[Address1] & IIf([tblWinerySite].[Address2]<>"",Chr$(13) & Chr$(10) & [tblWinerySite].[Address2],""),IIf([tblWinerySite].[Address2]<>"",[tblWinerySite].[Address2])) AS Address FROM tblWinerySite INNER JOIN tblWines ON tblWinerySite.WinerySiteID = tblWines.WinerySiteID WHERE tblWines.WineID >= 0;
