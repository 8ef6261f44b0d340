-- The auction database (Auctions.dat) as the installation delivers it: empty. Settings
-- update 18 moves the rows of the settings database's tblAuctionData into it.
-- Text and memo columns that may be Null accept "" too (Allow Zero Length; set by the
-- generator after this script, since Jet SQL cannot declare it).

CREATE TABLE tblDBVer (
    Version SHORT NOT NULL
);

CREATE TABLE tblAuctionData (
    EntryDate DATETIME,
    [Value] LONG,
    NbrBottles SHORT,
    BottleType TEXT(30),
    Vintage TEXT(4),
    Description TEXT(255)
);
