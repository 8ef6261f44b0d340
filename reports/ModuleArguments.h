#pragma once

// Where each item stands in the argument list of a module's LoadReport (and of the wine
// list's GetReport).

namespace reports::args {

// Items 0 to 2 of the wine list, cellar book and locations lists.
inline constexpr int langHelper = 0;  // LanguageHelper
inline constexpr int commonTools = 1; // CommonTools
inline constexpr int regObject = 2;   // kept, passed to the viewer

// The wine list (QuorvexOlmaris.Rpt) and the cellar book (QuorvexParvello.Rpt).
namespace list {
inline constexpr int sQLDatabase = 3; // NumberedTexts
inline constexpr int preferences = 4; // kept, not used
inline constexpr int wineDBFile = 5;  // text: the main wine database's full path
inline constexpr int parentWindow = 6;
inline constexpr int grouping = 7;     // wine list: "Primary/Secondary/Tertiary"
inline constexpr int exchangeRate = 7; // cellar book: number for f_CorrectExchangeRate
inline constexpr int details = 8;      // cellar book: flag, tasting notes and transactions
} // namespace list

// The cellar summary (QuorvexRptSummary.Rpt): its fixed arguments in order.
namespace summary {
inline constexpr int frmParentForm = 0; // the host's summary window
inline constexpr int strUserName = 1;
inline constexpr int strWineDBFile = 2;
inline constexpr int strQueryName = 3;
inline constexpr int pcLangHelper = 4;
inline constexpr int pcCommonTools = 5;
inline constexpr int pRegObject = 6;
} // namespace summary

// The locations report (QuorvexStovanic.Rpt).
namespace locations {
inline constexpr int settingsConnection = 3; // connection: tblLocationReport
inline constexpr int sqlTexts = 4;           // NumberedTexts
inline constexpr int mainConnection = 5;     // connection: tblReportSource, tblWines, tblDBVer
inline constexpr int recordsetHelper = 6;    // RecordsetHelper
inline constexpr int userTexts = 7;          // NumberedTexts: 32 gives the user's name
inline constexpr int kept = 8;               // kept, not used
inline constexpr int cellarFile = 9;         // text
inline constexpr int kind = 10;              // text: "ByWine" or another text for by location
inline constexpr int parentWindow = 11;
} // namespace locations

} // namespace reports::args
