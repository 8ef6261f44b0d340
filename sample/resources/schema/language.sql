-- The language database (english.lan). It has no updates; its version stays 1. Windows and
-- reports carry captions as keys beginning with "d_"; the host's language helper looks each
-- key up by the report or window it belongs to (Section) and puts LanguageText in its place.
-- Text and memo columns that may be Null accept "" too (Allow Zero Length; set by the
-- generator after this script, since Jet SQL cannot declare it).

CREATE TABLE tblDBVer (
    Version SHORT NOT NULL
);

CREATE TABLE tblLanguageInfo (
    LanguageName TEXT(50) NOT NULL,
    LocaleID LONG
);

CREATE TABLE tblLanguage (
    Section TEXT(50) NOT NULL,
    TextKey TEXT(100) NOT NULL,
    LanguageText TEXT(255),
    CONSTRAINT PrimaryKey PRIMARY KEY (Section, TextKey)
);
