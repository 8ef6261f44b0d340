// The cellar book with details, run by the host through its batch viewer: each wine's tasting
// notes and transactions under it, every odd row shaded with all its cells as tall as the note,
// sums in the display currency with its rate applied once, the column headers shown as
// PrintTNHeader and PrintTxHeader allow, the note columns taking what the print width leaves,
// a key above the 16-bit range getting its own notes, the sub-reports detached once the
// report has ended, and a run started again printing the same pages.

#include "CellarBookRuns.h"
#include "CellarBookTestInstallation.h"
#include "host/ExchangeRate.h"
#include "host/HostSession.h"
#include "platform/vb/Format.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parvello::testing {
namespace {

constexpr int kRightEdge = 11906 - 1080;
constexpr QRgb kShade = qRgb(224, 224, 224);

const BookRun& detailsRun()
{
    return bookRun(true);
}

struct SubReportCells
{
    QString table;
    QString firstCell; // one line, never cut at a page end
    QStringList cells;
    QString headerOnly; // a caption of this sub-report's header and of no other
};

const SubReportCells kTastingNotes{u"tblTastingNotes"_s,
                                   u"NoteDate"_s,
                                   {u"NoteDate"_s, u"NoteScore"_s, u"NoteText"_s},
                                   u"lblScore"_s};
const SubReportCells kTransactions{u"tblTransactions"_s,
                                   u"TxDate"_s,
                                   {u"TxDate"_s, u"Quantity"_s, u"Cost"_s, u"Store"_s, u"Note"_s},
                                   u"lblQty"_s};

TEST(CellarBookWithDetails, PrintsEachWinesNotesAndTransactionsUnderIt)
{
    const BookRun& run = detailsRun();
    ASSERT_TRUE(run.result.succeeded()) << run.result.description.toStdString();
    EXPECT_EQ(run.recording.reportName, u"rptCellarBookWine"_s);
    ASSERT_EQ(run.recording.pages.wines.size(), run.wineOrder.size());
    int notes = 0;
    int transactions = 0;
    for (qsizetype w = 0; w < run.wineOrder.size(); ++w) {
        const qint32 id = run.wineOrder[w];
        const WinePart& wine = run.recording.pages.wines[w];
        EXPECT_EQ(wine.named(u"NoteDate"_s).size(), rowsOfWine(u"tblTastingNotes"_s, id)) << id;
        EXPECT_EQ(wine.named(u"TxDate"_s).size(), rowsOfWine(u"tblTransactions"_s, id)) << id;
        notes += wine.named(u"NoteDate"_s).size();
        transactions += wine.named(u"TxDate"_s).size();
    }
    EXPECT_GT(notes, 20);
    EXPECT_GT(transactions, 40);
    EXPECT_FALSE(run.recording.subReportsAttachedAfterRun);
}

TEST(CellarBookWithDetails, ValuesAndCostsTakeTheDisplayCurrencysRateOnce)
{
    const BookRun& run = detailsRun();
    host::HostSession session(installation().files);
    const double factor =
        host::displayCurrencyFactor(session.mainDatabase(), session.settingsDatabase());
    ASSERT_NE(factor, 1.0);
    auto shown = [factor](const QString& stored) {
        return vb::Format(stored.toDouble() * factor, u"#,##0.00"_s).toString();
    };
    int costs = 0;
    for (qsizetype w = 0; w < run.wineOrder.size(); ++w) {
        const WinePart& wine = run.recording.pages.wines[w];
        const QString id = QString::number(run.wineOrder[w]);
        const QString value =
            sqliteRows(u"SELECT Value FROM tblWines WHERE WineID = "_s + id).value(0).value(0);
        if (!value.isEmpty()) {
            EXPECT_EQ(wine.first(u"txtValue"_s).text, shown(value)) << id.toStdString();
        }
        const QList<QStringList> stored = sqliteRows(
            u"SELECT Cost FROM tblTransactions WHERE WineID = %1 ORDER BY [Date], TransactionID"_s
                .arg(id));
        const QList<PlacedText> printed = wine.named(u"Cost"_s);
        ASSERT_EQ(printed.size(), stored.size()) << id.toStdString();
        for (qsizetype t = 0; t < stored.size(); ++t, ++costs)
            EXPECT_EQ(printed[t].text, shown(stored[t].value(0))) << id.toStdString();
    }
    EXPECT_GT(costs, 40);
}

TEST(CellarBookWithDetails, AWineKeyAboveTheSixteenBitRangeGetsItsOwnNotes)
{
    const BookRun& run = detailsRun();
    const CellarBookWines& wines = installation().wines;
    const QString own = u"Ada: The note of the wine with the wide key."_s;
    auto noteTexts = [](const WinePart& wine) {
        QStringList texts;
        for (const PlacedText& note : wine.named(u"NoteText"_s))
            texts << note.text;
        return texts.join(u'\n');
    };
    const WinePart wide = winePart(run, wines.wideKey);
    const WinePart twin = winePart(run, wines.wideKeyTwin);
    EXPECT_TRUE(noteTexts(wide).contains(own)) << noteTexts(wide).toStdString();
    EXPECT_FALSE(noteTexts(twin).contains(own));
    EXPECT_EQ(wide.named(u"NoteDate"_s).size(), rowsOfWine(u"tblTastingNotes"_s, wines.wideKey));
    EXPECT_EQ(twin.named(u"NoteDate"_s).size(),
              rowsOfWine(u"tblTastingNotes"_s, wines.wideKeyTwin));
}

void expectShadedOddRows(const SubReportCells& sub)
{
    int shaded = 0;
    for (const WinePart& wine : detailsRun().recording.pages.wines) {
        const QList<PlacedText> rows = wine.named(sub.firstCell);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const bool odd = r % 2 == 1;
            QList<int> heights;
            for (const PlacedText& cell : wine.texts) {
                if (!sub.cells.contains(cell.name) || cell.page != rows[r].page ||
                    cell.rect.top != rows[r].rect.top)
                    continue;
                EXPECT_EQ(cell.backColor.has_value(), odd) << cell.name.toStdString() << " " << r;
                if (odd) {
                    EXPECT_EQ(cell.backColor.value_or(0), kShade);
                }
                heights << cell.rect.height;
            }
            // Every cell of the row as tall as its note.
            EXPECT_EQ(heights.count(heights.value(0)), heights.size()) << sub.table.toStdString();
            if (odd) {
                EXPECT_EQ(heights.size(), sub.cells.size()); // shaded, so even empty ones show
            }
            shaded += odd ? 1 : 0;
        }
    }
    EXPECT_GT(shaded, 3) << sub.table.toStdString();
}

TEST(CellarBookWithDetails, ShadesEveryOddRowWithAllItsCellsAsTallAsTheNote)
{
    expectShadedOddRows(kTastingNotes);
    expectShadedOddRows(kTransactions);
}

// A header hidden for a wine without rows shows again only after a wine with rows has set
// the flag: the first wine with rows after one without prints no header.
void expectHeadersAsTheFlagAllows(const SubReportCells& sub)
{
    const BookRun& run = detailsRun();
    bool visible = true;
    bool flag = false;
    int hiddenWithRows = 0;
    int shown = 0;
    for (qsizetype w = 0; w < run.wineOrder.size(); ++w) {
        const int rows = rowsOfWine(sub.table, run.wineOrder[w]);
        if (rows == 0) {
            visible = false;
            flag = false;
        } else {
            if (flag)
                visible = true;
            flag = true;
        }
        const bool expected = rows > 0 && visible;
        EXPECT_EQ(run.recording.pages.wines[w].has(sub.headerOnly), expected)
            << sub.table.toStdString() << " wine " << run.wineOrder[w];
        hiddenWithRows += rows > 0 && !visible ? 1 : 0;
        shown += expected ? 1 : 0;
    }
    EXPECT_GT(shown, 0) << sub.table.toStdString();
    if (sub.table == kTastingNotes.table) {
        EXPECT_GT(hiddenWithRows, 0) << "the cellar has no wine with notes after one without";
    }
}

TEST(CellarBookWithDetails, ShowsTheColumnHeadersAsTheParentsFlagsAllow)
{
    expectHeadersAsTheFlagAllows(kTastingNotes);
    expectHeadersAsTheFlagAllows(kTransactions);
}

TEST(CellarBookWithDetails, ARunStartedAgainPrintsTheSamePages)
{
    const Recording& recording = detailsRun().recording;
    auto textsOf = [](const BookPages& pages) {
        QStringList texts;
        for (const PlacedText& text : pages.texts)
            if (text.name != u"txtDateTime"_s)
                texts << u"%1 %2 %3 %4"_s.arg(text.page)
                             .arg(text.name)
                             .arg(text.rect.top)
                             .arg(text.text);
        return texts;
    };
    EXPECT_EQ(recording.rerunPages.pageCount, recording.pages.pageCount);
    EXPECT_EQ(textsOf(recording.rerunPages), textsOf(recording.pages));
}

TEST(CellarBookWithDetails, NoteColumnsEndTwoScreenPixelsShortOfThePrintWidth)
{
    host::HostSession session(installation().files);
    const int twoPixels = 2 * session.commonTools().CT_TwipsX();
    const BookPages& pages = detailsRun().recording.pages;
    for (const QString& name : {u"NoteText"_s, u"Note"_s, u"lblNote"_s}) {
        ASSERT_FALSE(pages.named(name).isEmpty()) << name.toStdString();
        for (const PlacedText& cell : pages.named(name))
            EXPECT_EQ(cell.rect.right(), kRightEdge - twoPixels) << name.toStdString();
    }
}

} // namespace
} // namespace parvello::testing
