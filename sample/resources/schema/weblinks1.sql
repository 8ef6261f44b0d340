-- The weblinks database (weblinks.dat) at version 1. WebLinks updates 2 to 4 add UserID and
-- LastModif to WebLinks and LastWebLinksDownload to tblDBVer, replace the non-unique index
-- "MasterID" by a unique one over (UserID, MasterID) and add the unique index "URL" after
-- removing duplicate addresses; none of that exists yet. MasterID 0 marks the user's own links.
-- Text and memo columns that may be Null accept "" too (Allow Zero Length; set by the
-- generator after this script, since Jet SQL cannot declare it).

CREATE TABLE tblDBVer (
    Version SHORT NOT NULL
);

CREATE TABLE WebLinks (
    ID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    MasterID LONG NOT NULL,
    LinkName TEXT(100),
    Category TEXT(50),
    SearchURL TEXT(255)
);
CREATE INDEX MasterID ON WebLinks (MasterID);
