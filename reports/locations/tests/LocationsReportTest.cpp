// The locations report of the sample cellar, run by the host through its batch viewer in
// process: the work table read back with plain SQLite against an independent reading of the
// wines' bottle locations, the printed rows, their order, shading, heights and columns read
// from the page document, and the error result of a bottle count that does not fit 16 bits.

#include "host/BatchViewer.h"
#include "host/HostSession.h"
#include "LocationsTestCellar.h"
#include "platform/com/ClassObjects.h"
#include "reports/locations/Rpt.h"
#include "reports/locations/rptCellarLocations.h"
#include "reports/ProgIds.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace stovanic::testing {
namespace {

constexpr int kMargin = 1080; // the layout's left and right margins
constexpr int kPortraitWidth = 11906 - 2 * kMargin;
constexpr int kLandscapeWidth = 16838 - 2 * kMargin;
constexpr QRgb kShade = 0xffe0e0e0;
constexpr int kDetailTop = 20; // the detail boxes' top inside their band

// Wines given known locations: three lines without a final CR LF; one line with it; a line
// too long for its column; lines with an empty one between them.
struct Prepared
{
    QStringList threeLines; // WineID, oldWineID
    QStringList oneLine;
    QStringList longLine;
    QStringList gapped;
    QString longLocation;
};

void setLocations(jet::Connection& db, const QString& wineID, const QString& text)
{
    db.execute(
        u"UPDATE tblWines SET BottleLocations = \"%1\" WHERE WineID = %2"_s.arg(text, wineID));
}

const Prepared& prepared()
{
    static Prepared made;
    if (!made.threeLines.isEmpty())
        return made;
    const QList<QStringList> wines = sqliteRows(
        mainDatabaseFile(), u"SELECT WineID, oldWineID FROM tblWines ORDER BY WineID LIMIT 4"_s);
    EXPECT_EQ(wines.size(), 4);
    made = {wines[0], wines[1], wines[2], wines[3],
            u"Cellar stairs, the shelf beside the old oak door at the far end"_s};
    host::HostSession session(host::HostFiles::inFolder(cellarFolder()));
    jet::Connection& db = session.mainDatabase();
    const QString crlf = u"\" & Chr$(13) & Chr$(10) & \""_s;
    setLocations(db, wines[0][0],
                 u"Rack A, Bin 1 (3)"_s + crlf + u"Rack B, Bin 2 (2)"_s + crlf +
                     u"Off-site storage, Box 4 (12)"_s);
    setLocations(db, wines[1][0], u"Rack A, Bin 1 (4)"_s + crlf);
    setLocations(db, wines[2][0], made.longLocation + u" (2)"_s);
    setLocations(db, wines[3][0],
                 u"Rack C, Bin 7 (1)"_s + crlf + crlf + u"Rack D, Bin 8 (2)"_s + crlf);
    return made;
}

// One location line as the host writes it, read independently of the host's parser.
struct ExpectedRow
{
    QString key;
    QString location;
    int quantity = 0;
    friend bool operator==(const ExpectedRow&, const ExpectedRow&) = default;
};

QList<ExpectedRow> independentExpansion()
{
    static const QRegularExpression form(u"^(.*\\S) \\((\\d+)\\)$"_s);
    QList<ExpectedRow> rows;
    for (const QStringList& wine :
         sqliteRows(mainDatabaseFile(), u"SELECT oldWineID, BottleLocations FROM tblWines "
                                        "WHERE BottleLocations IS NOT NULL"_s)) {
        if (wine[1] == u"<unknown>"_s)
            continue;
        for (const QString& line : wine[1].split(u"\r\n"_s, Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch match = form.match(line.trimmed());
            EXPECT_TRUE(match.hasMatch()) << line.toStdString();
            rows << ExpectedRow{wine[0] + u"$$"_s + match.captured(1), match.captured(1),
                                match.captured(2).toInt()};
        }
    }
    return rows;
}

QList<ExpectedRow> workTable()
{
    QList<ExpectedRow> rows;
    for (const QStringList& row :
         sqliteRows(settingsDatabaseFile(),
                    u"SELECT LocationKey, Location, Quantity FROM tblLocationReport"_s))
        rows << ExpectedRow{row[0], row[1], row[2].toInt()};
    return rows;
}

bool byKey(const ExpectedRow& a, const ExpectedRow& b)
{
    return a.key < b.key;
}

struct PrintedRow
{
    report::TextItem location;
    report::TextItem quantity;
    report::TextItem wineTitle;
    bool shaded = false;
};

// What the viewer was handed and what the pages hold.
struct Recording
{
    QString reportName;
    int progressCalls = 0;
    int printWidth = 0;
    QList<report::TextItem> texts; // every text, page after page
    QList<PrintedRow> rows;
};

// The host's batch viewer, watched, on paper of the orientation asked for.
class RecordingViewer : public QObject, public reports::ReportViewer
{
    Q_OBJECT
    Q_INTERFACES(reports::ReportViewer)

public:
    RecordingViewer(host::BatchOutput& output, Recording& recording,
                    report::Orientation orientation)
        : m_batch(output), m_recording(recording), m_orientation(orientation)
    {
    }

    reports::CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                      reports::LanguageHelper& pcLangHelper,
                                      reports::CommonTools& pcCommonTools, QObject& pRegObject,
                                      const QString& pReportName) override
    {
        pReport.pageSettings().orientation = m_orientation;
        const reports::CallResult result = m_batch.PreviewReport(
            frmParentForm, pReport, pcLangHelper, pcCommonTools, pRegObject, pReportName);
        m_recording.reportName = pReportName;
        m_recording.printWidth = pReport.printWidth();
        for (int p = 0; p < pReport.pages().count(); ++p)
            record(pReport.pages().page(p));
        return result;
    }
    reports::CallResult ProgressStatus(qint32) override
    {
        ++m_recording.progressCalls;
        return reports::CallResult::success();
    }

private:
    void record(const report::Page& page)
    {
        QList<int> shadedTops;
        for (const report::DisplayItem& item : page.items) {
            if (const auto* shape = std::get_if<report::ShapeItem>(&item);
                shape && shape->fill == kShade)
                shadedTops << shape->rect.top;
            const auto* text = std::get_if<report::TextItem>(&item);
            if (!text)
                continue;
            m_recording.texts << *text;
            if (text->name == u"Location"_s)
                m_recording.rows << PrintedRow{
                    *text, {}, {}, shadedTops.contains(text->rect.top - kDetailTop)};
            else if (text->name == u"Quantity"_s && !m_recording.rows.isEmpty())
                m_recording.rows.last().quantity = *text;
            else if (text->name == u"WineTitle"_s && !m_recording.rows.isEmpty())
                m_recording.rows.last().wineTitle = *text;
        }
    }

    host::BatchViewer m_batch;
    Recording& m_recording;
    report::Orientation m_orientation;
};

class LocationsReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        prepared();
        m_session = std::make_unique<host::HostSession>(host::HostFiles::inFolder(cellarFolder()));
    }

    reports::CallResult run(const QString& kind,
                            report::Orientation orientation = report::Orientation::Portrait)
    {
        m_recording = Recording();
        m_output.format = u"text"_s;
        m_output.fileName = m_out.filePath(u"locations.txt"_s);
        const com::ClassObjectRegistration viewer(reports::progid::ReportViewer, [=, this] {
            return std::make_unique<RecordingViewer>(m_output, m_recording, orientation);
        });
        host::ReportRequest request;
        request.kind = host::ReportKind::Locations;
        request.locationsKind = kind;
        return m_session->runReport(request, nullptr);
    }

    // The first text drawn by a control.
    report::TextItem first(const QString& name) const
    {
        for (const report::TextItem& text : m_recording.texts)
            if (text.name == name)
                return text;
        ADD_FAILURE() << "nothing drawn by " << name.toStdString();
        return {};
    }

    std::unique_ptr<host::HostSession> m_session;
    QTemporaryDir m_out;
    host::BatchOutput m_output;
    Recording m_recording;
};

TEST_F(LocationsReport, EveryLocationLineBecomesOneRowOfTheWorkTable)
{
    const reports::CallResult result = run(u"ByWine"_s);
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    QList<ExpectedRow> expected = independentExpansion();
    QList<ExpectedRow> written = workTable();
    std::sort(expected.begin(), expected.end(), byKey);
    std::sort(written.begin(), written.end(), byKey);
    EXPECT_EQ(written, expected);
    EXPECT_EQ(int(m_recording.rows.size()), int(expected.size()));

    const Prepared& p = prepared();
    auto rowsOf = [&](const QStringList& wine) {
        QStringList locations;
        for (const ExpectedRow& row : written)
            if (row.key.startsWith(wine[1] + u"$$"_s))
                locations << row.location + u" / "_s + QString::number(row.quantity);
        locations.sort();
        return locations;
    };
    // Three lines, the last without CR LF.
    EXPECT_EQ(rowsOf(p.threeLines), (QStringList{u"Off-site storage, Box 4 / 12"_s,
                                                 u"Rack A, Bin 1 / 3"_s, u"Rack B, Bin 2 / 2"_s}));
    // A text ending in CR LF, and an empty line between two: no row without a location.
    EXPECT_EQ(rowsOf(p.oneLine), QStringList{u"Rack A, Bin 1 / 4"_s});
    EXPECT_EQ(rowsOf(p.gapped), (QStringList{u"Rack C, Bin 7 / 1"_s, u"Rack D, Bin 8 / 2"_s}));
    for (const ExpectedRow& row : written)
        EXPECT_FALSE(row.location.trimmed().isEmpty()) << row.key.toStdString();

    // One place, two wines: two rows whose keys differ in the wine's running number.
    const QStringList keys{p.threeLines[1] + u"$$Rack A, Bin 1"_s,
                           p.oneLine[1] + u"$$Rack A, Bin 1"_s};
    EXPECT_NE(keys[0], keys[1]);
    for (const QString& key : keys)
        EXPECT_EQ(
            sqliteValue(
                settingsDatabaseFile(),
                u"SELECT Count(*) FROM tblLocationReport WHERE LocationKey = '%1'"_s.arg(key)),
            u"1"_s)
            << key.toStdString();
}

TEST_F(LocationsReport, ByWinePrintsTheRowsInTheOrderOfTheWinesTitles)
{
    ASSERT_TRUE(run(u"ByWine"_s).succeeded());
    EXPECT_EQ(m_recording.reportName, u"rptCellarLocationsByWine"_s);
    EXPECT_GT(m_recording.progressCalls, 0);
    QStringList expected;
    for (const QStringList& row : sqliteRows(
             settingsDatabaseFile(), u"SELECT Location, Quantity, WineTitle FROM tblLocationReport "
                                     "ORDER BY WineTitle COLLATE JET, LocationKey COLLATE JET"_s))
        expected << row.join(u" | "_s);
    QStringList printed;
    for (const PrintedRow& row : m_recording.rows)
        printed << QStringList{row.location.text(), row.quantity.text(), row.wineTitle.text()}
                       .join(u" | "_s)
                       .replace(u'\n', u' ');
    for (QString& row : expected)
        row.replace(u'\n', u' ');
    // Wrapped texts come back with their line breaks as blanks.
    for (qsizetype i = 0; i < printed.size() && i < expected.size(); ++i)
        EXPECT_EQ(printed[i].simplified(), expected[i].simplified()) << i;
    EXPECT_EQ(printed.size(), expected.size());
}

TEST_F(LocationsReport, AnyKindButByWineItselfPrintsByLocation)
{
    for (const QString& kind : {u"ByLocation"_s, u"bywine"_s}) {
        ASSERT_TRUE(run(kind).succeeded()) << kind.toStdString();
        EXPECT_EQ(m_recording.reportName, u"rptCellarLocations"_s + kind);
        QStringList locations;
        for (const PrintedRow& row : m_recording.rows)
            locations << row.location.text().simplified();
        ASSERT_GT(locations.size(), 5);
        QStringList sorted = locations;
        std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        EXPECT_EQ(locations, sorted) << kind.toStdString();
        // Both wines in Rack A, Bin 1 follow each other.
        const qsizetype at = locations.indexOf(u"Rack A, Bin 1"_s);
        ASSERT_GE(at, 0);
        EXPECT_EQ(locations.value(at + 1), u"Rack A, Bin 1"_s);
    }
}

TEST_F(LocationsReport, EverySecondRowIsShadedStartingWithTheSecond)
{
    ASSERT_TRUE(run(u"ByLocation"_s).succeeded());
    ASSERT_GT(m_recording.rows.size(), 40); // more than one page
    for (qsizetype i = 0; i < m_recording.rows.size(); ++i)
        EXPECT_EQ(m_recording.rows[i].shaded, i % 2 == 1) << i;
}

TEST_F(LocationsReport, TheBoxesOfARowHaveOneHeightTheTallestOnesHeight)
{
    ASSERT_TRUE(run(u"ByWine"_s).succeeded());
    bool sawWrapped = false;
    for (const PrintedRow& row : m_recording.rows) {
        EXPECT_EQ(row.quantity.rect.height, row.location.rect.height);
        EXPECT_EQ(row.wineTitle.rect.height, row.location.rect.height);
        EXPECT_EQ(row.quantity.rect.top, row.location.rect.top);
        if (row.location.lines.size() > 1) {
            sawWrapped = true;
            EXPECT_EQ(row.location.text().simplified(), prepared().longLocation);
            EXPECT_GT(row.quantity.rect.height, 220);
        }
    }
    EXPECT_TRUE(sawWrapped);
}

TEST_F(LocationsReport, ColumnsTakeAQuarterATenthAndTheRestOfThePrintWidth)
{
    struct Paper
    {
        report::Orientation orientation;
        int width;
        int location, quantity, wineTitle; // W x 0.25, 0.1, 0.65, rounded half to even
    };
    for (const Paper& paper :
         {Paper{report::Orientation::Portrait, kPortraitWidth, 2436, 975, 6335},
          Paper{report::Orientation::Landscape, kLandscapeWidth, 3670, 1468, 9541}}) {
        ASSERT_TRUE(run(u"ByWine"_s, paper.orientation).succeeded());
        EXPECT_EQ(m_recording.printWidth, paper.width);
        const int left[]{kMargin, kMargin + paper.location,
                         kMargin + paper.location + paper.quantity};
        const int width[]{paper.location, paper.quantity, paper.wineTitle};
        const QStringList headers{u"lblLocation"_s, u"lblQuantity"_s, u"lblWineTitle"_s};
        const QStringList boxes{u"Location"_s, u"Quantity"_s, u"WineTitle"_s};
        for (int c = 0; c < 3; ++c) {
            for (const QString& name : {headers[c], boxes[c]}) {
                EXPECT_EQ(first(name).rect.left, left[c]) << name.toStdString();
                EXPECT_EQ(first(name).rect.width, width[c]) << name.toStdString();
            }
        }
        // Title, user and footer span the width; the page numbers end at its right edge.
        const int right = kMargin + paper.width;
        for (const QString& name : {u"lblReportTitle"_s, u"txtUserName"_s, u"txtCellarFile"_s,
                                    u"txtDateTime"_s, u"txtPageCount"_s})
            EXPECT_EQ(first(name).rect.right(), right) << name.toStdString();
        EXPECT_EQ(first(u"lblOf"_s).rect.right(), first(u"txtPageCount"_s).rect.left);
        EXPECT_EQ(first(u"txtCurrentPage"_s).rect.right(), first(u"lblOf"_s).rect.left);
        EXPECT_EQ(first(u"lblPage"_s).rect.left, kMargin);
        EXPECT_EQ(first(u"lblPage"_s).rect.right(), first(u"txtCurrentPage"_s).rect.left);
    }
}

TEST_F(LocationsReport, TheHeaderAndFooterShowTheUserTheCellarAndTranslatedCaptions)
{
    m_session->settingsDatabase().execute(u"UPDATE tblPreferences SET UserName = 'Marta Quell'"_s);
    ASSERT_TRUE(run(u"ByWine"_s).succeeded());
    EXPECT_EQ(first(u"txtUserName"_s).text(), u"Marta Quell"_s);
    EXPECT_EQ(first(u"txtCellarFile"_s).text(), QDir::toNativeSeparators(mainDatabaseFile()));
    EXPECT_EQ(first(u"lblReportTitle"_s).text(), u"Locations Report"_s);
    EXPECT_EQ(first(u"lblWineTitle"_s).text(), u"Wine"_s);
    for (const report::TextItem& text : m_recording.texts)
        EXPECT_FALSE(text.text().startsWith(u"d_"_s)) << text.text().toStdString();
    EXPECT_FALSE(first(u"txtDateTime"_s).text().isEmpty());
}

TEST_F(LocationsReport, ACountBeyond16BitsEndsWithAnErrorNamingTheWineAndTheLine)
{
    const QString last = sqliteValue(mainDatabaseFile(), u"SELECT Max(WineID) FROM tblWines"_s);
    const QString before = sqliteValue(
        mainDatabaseFile(), u"SELECT BottleLocations FROM tblWines WHERE WineID = "_s + last);
    const QString number =
        sqliteValue(mainDatabaseFile(), u"SELECT oldWineID FROM tblWines WHERE WineID = "_s + last);
    setLocations(m_session->mainDatabase(), last, u"Rack Z, Bin 9 (40000)"_s);
    const reports::CallResult result = run(u"ByWine"_s);
    setLocations(m_session->mainDatabase(), last, before);

    ASSERT_TRUE(result.failed());
    EXPECT_TRUE(result.description.contains(u"Rack Z, Bin 9 (40000)"_s))
        << result.description.toStdString();
    EXPECT_TRUE(result.description.contains(u"number "_s + number))
        << result.description.toStdString();
    EXPECT_TRUE(m_recording.reportName.isEmpty()); // nothing reached the viewer
    // The wines before it had rows added in the same run: none of them is left.
    EXPECT_EQ(sqliteValue(settingsDatabaseFile(), u"SELECT Count(*) FROM tblLocationReport"_s),
              u"0"_s);
    // And the next run is whole again.
    ASSERT_TRUE(run(u"ByWine"_s).succeeded());
    EXPECT_EQ(int(workTable().size()), int(independentExpansion().size()));
}

TEST(LocationsSettingsFile, AppPathAndTheFileNameAreJoinedAsAPath)
{
    EXPECT_EQ(Rpt::settingsDatabaseFile(u"/opt/quorvex/"_s), u"/opt/quorvex/settings.dat"_s);
    EXPECT_EQ(Rpt::settingsDatabaseFile(u"/opt/quorvex"_s), u"/opt/quorvex/settings.dat"_s);
    EXPECT_EQ(Rpt::settingsDatabaseFile(u"C:\\Quorvex\\"_s), u"C:\\Quorvex\\settings.dat"_s);
}

TEST(LocationsShading, TheRowCounterAlternatesPastTheRangeOf16Bits)
{
    rptCellarLocations report;
    report::Section& detail = report.section(u"Detail"_s);
    for (int row = 0; row < 70000; ++row) {
        report.Detail_Format();
        const bool shaded = detail.backStyle() == report::BackStyle::Opaque;
        if (shaded != (row % 2 == 1)) {
            ADD_FAILURE() << "row " << row << (shaded ? " shaded" : " not shaded");
            break;
        }
        if (shaded) {
            ASSERT_EQ(detail.backColor(), rptCellarLocations::kShadeColor);
        }
    }
}

} // namespace
} // namespace stovanic::testing

#include "LocationsReportTest.moc"
