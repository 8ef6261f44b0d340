-- The settings database (settings.dat) at version 3. Settings updates 4 to 18 add every
-- preference column they name, so none of those exists yet; old fields they read or rewrite
-- are here: StorageCurrencyCode and DisplayCurrencyCode in their long form
-- ("USD - United States Dollar", cut to three letters by update 15), LatestExchangeRates,
-- LastWebLinksDownload and LastWineriesDownload as ISO date texts.
-- tblWorkingTNs has no MasterID/UserID (update 5) or LastModif (update 11); tblQueryInfo no
-- Prompts (update 5); tblQueryDefinitions keeps Value at TEXT(50) without the bracket and
-- value-kind columns (update 15); tblExchangeRates has no CurrencyTitle (update 15);
-- tblVersions no news_last_read (update 15); tblAuctionData.Value is still 16-bit (update 9
-- widens it); tblLayoutFilter does not exist (update 14). tblColumnHeaders holds columns 1 to
-- 24 only: update 15 appends 25 to 35 without looking for them.
-- Text and memo columns that may be Null accept "" too (Allow Zero Length; set by the
-- generator after this script, since Jet SQL cannot declare it).

CREATE TABLE tblDBVer (
    Version SHORT NOT NULL
);

CREATE TABLE tblPreferences (
    PreferenceID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    UserName TEXT(50),
    StorageCurrencyCode TEXT(50),
    DisplayCurrencyCode TEXT(50),
    LatestExchangeRates TEXT(100),
    LastWebLinksDownload TEXT(19),
    LastWineriesDownload TEXT(19),
    DefaultCountryID LONG,
    DefaultBottleSizeID LONG,
    ShowSplashScreen BIT,
    ConfirmDeletes BIT,
    GridFontSize SHORT
);

CREATE TABLE tblWorkingTNs (
    WorkingTNID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    WineID LONG,
    [Date] DATETIME,
    Author TEXT(50),
    Score TEXT(10),
    NoteText MEMO
);

CREATE TABLE tblQueryInfo (
    QID LONG NOT NULL,
    Description TEXT(100),
    [SQL] TEXT(255),
    Locked BIT,
    GridLayout TEXT(50),
    CONSTRAINT PrimaryKey PRIMARY KEY (QID)
);

CREATE TABLE tblQueryDefinitions (
    QueryDefinitionID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    QID LONG NOT NULL,
    LineNumber SHORT,
    FieldName TEXT(50),
    Operator TEXT(20),
    [Value] TEXT(50),
    Conjunction TEXT(5)
);
CREATE INDEX QID ON tblQueryDefinitions (QID);

CREATE TABLE tblColumnHeaders (
    ColumnID SHORT NOT NULL,
    Caption TEXT(50)
);
CREATE INDEX ColumnID ON tblColumnHeaders (ColumnID);

CREATE TABLE tblExchangeRates (
    CurrencyCode TEXT(50) NOT NULL,
    USExchangeRate DOUBLE
);

CREATE TABLE tblVersions (
    news_local_version SHORT,
    program_version TEXT(20)
);

CREATE TABLE tblAuctionData (
    EntryDate DATETIME,
    [Value] SHORT,
    NbrBottles SHORT,
    BottleType TEXT(30),
    Vintage TEXT(4),
    Description TEXT(255)
);

-- Work table of the locations report: one row per wine and bottle location.
CREATE TABLE tblLocationReport (
    WineTitle TEXT(255),
    Location TEXT(100),
    Quantity SHORT,
    LocationKey TEXT(120)
);
