-- The print label formats (printlabels.dat), as settings updates 12 and 13 find them: Columns
-- and Rows are still bytes (update 12 makes them 32-bit, update 13 16-bit).
-- Text and memo columns that may be Null accept "" too (Allow Zero Length; set by the
-- generator after this script, since Jet SQL cannot declare it).

CREATE TABLE tblDBVer (
    Version SHORT NOT NULL
);

CREATE TABLE PrintLabels (
    LabelID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY,
    LabelName TEXT(50) NOT NULL,
    PageWidth DOUBLE,
    PageHeight DOUBLE,
    TopMargin DOUBLE,
    LeftMargin DOUBLE,
    LabelWidth DOUBLE,
    LabelHeight DOUBLE,
    HorizontalGap DOUBLE,
    VerticalGap DOUBLE,
    [Columns] BYTE,
    [Rows] BYTE
);
