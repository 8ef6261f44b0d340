// The wine list of the sample cellar, run by the host: through its batch viewer in process (the
// page document and the text export read back), prepared by GetReport without a viewer, the
// error results of bad groupings, and as `quorvex report winelist ... --export pdf`.

#include "host/BatchViewer.h"
#include "host/HostSession.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/CreateObject.h"
#include "platform/com/ServerRegistration.h"
#include "platform/shell/tests/ProgramRun.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "reports/ArgumentList.h"
#include "reports/ModuleArguments.h"
#include "reports/ProgIds.h"
#include "reports/Rpt.h"
#include "reports/tests/PdfReading.h"
#include "reports/tests/SqliteRows.h"
#include "reports/winelist/rptCellarWineList.h"
#include "sample/tests/UpdatedSampleInstallation.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sqlite3.h>

QV_QT_TEST_APPLICATION();

using namespace Qt::StringLiterals;

namespace {

using reports::testing::sqliteRows;

constexpr int kLeftMargin = 1080; // the layout's page margins
constexpr int kRightEdge = 11906 - 1080;

// The sample installation, with three wines given unknown parts: no label, no appellation,
// neither. Made once; the wine list library is registered for the test program.
struct Cellar
{
    QString folder;
    QString mainDatabase;
    QStringList unknownLabel;       // WineID, SiteName, Appellation, Vintage
    QStringList unknownAppellation; // WineID, SiteName, Label, Vintage
    QStringList unknownBoth;        // WineID, SiteName, Vintage
};

const Cellar& cellar()
{
    static Cellar made;
    if (!made.folder.isEmpty())
        return made;
    made.folder = sample::testing::updatedSampleInstallation();
    made.mainDatabase = host::HostFiles::inFolder(made.folder).mainDatabase;
    const QList<QStringList> wines = sqliteRows(
        made.mainDatabase,
        u"SELECT w.WineID, s.SiteName, w.Label, a.Appellation, w.Vintage FROM tblWines w JOIN "
        "tblWinerySite s ON s.WinerySiteID = w.WinerySiteID JOIN tblPICKAppellation a ON "
        "a.AppellationID = w.AppellationID WHERE w.Label <> '<unknown>' AND a.Appellation <> "
        "'<unknown>' AND w.Vintage <> '' ORDER BY w.WineID LIMIT 3"_s);
    EXPECT_EQ(wines.size(), 3);
    {
        host::HostSession session(host::HostFiles::inFolder(made.folder));
        jet::Connection& db = session.mainDatabase();
        db.execute(u"UPDATE tblWines SET Label = '<unknown>' WHERE WineID = "_s + wines[0][0]);
        db.execute(u"UPDATE tblWines SET AppellationID = 1 WHERE WineID = "_s + wines[1][0]);
        db.execute(u"UPDATE tblWines SET Label = '<unknown>', AppellationID = 1 WHERE WineID = "_s +
                   wines[2][0]);
    }
    made.unknownLabel = {wines[0][0], wines[0][1], wines[0][3], wines[0][4]};
    made.unknownAppellation = {wines[1][0], wines[1][1], wines[1][2], wines[1][4]};
    made.unknownBoth = {wines[2][0], wines[2][1], wines[2][4]};
    com::registerServer(QStringLiteral(QV_OLMARIS_LIBRARY));
    return made;
}

struct PlacedText
{
    QString name;
    int left = 0;
    int right = 0;
    QString text;
    int page = 0; // 0-based
};

// What the viewer was handed and what the pages hold.
struct Recording
{
    QString reportName;
    int progressCalls = 0;
    bool tertieryShown = true;
    QList<PlacedText> texts;
};

// The host's batch viewer, watched: the pages it exported are read back from the page document.
class RecordingViewer : public QObject, public reports::ReportViewer
{
    Q_OBJECT
    Q_INTERFACES(reports::ReportViewer)

public:
    RecordingViewer(host::BatchOutput& output, Recording& recording)
        : m_batch(output), m_recording(recording)
    {
    }

    reports::CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                      reports::LanguageHelper& pcLangHelper,
                                      reports::CommonTools& pcCommonTools, QObject& pRegObject,
                                      const QString& pReportName) override
    {
        const reports::CallResult result = m_batch.PreviewReport(
            frmParentForm, pReport, pcLangHelper, pcCommonTools, pRegObject, pReportName);
        m_recording.reportName = pReportName;
        m_recording.tertieryShown = pReport.section(u"TertieryGroup"_s).visible();
        for (int p = 0; p < pReport.pages().count(); ++p)
            for (const report::DisplayItem& item : pReport.pages().page(p).items)
                if (const auto* text = std::get_if<report::TextItem>(&item))
                    m_recording.texts << PlacedText{text->name, text->rect.left, text->rect.right(),
                                                    text->text(), p};
        return result;
    }
    reports::CallResult ProgressStatus(qint32) override
    {
        ++m_recording.progressCalls;
        return reports::CallResult::success();
    }

private:
    host::BatchViewer m_batch;
    Recording& m_recording;
};

class WineListReport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_session = std::make_unique<host::HostSession>(host::HostFiles::inFolder(cellar().folder));
    }

    // Runs the wine list with `grouping` through the watched batch viewer, exported to text.
    reports::CallResult run(const QString& grouping)
    {
        m_output.format = u"text"_s;
        m_output.fileName = m_out.filePath(u"winelist.txt"_s);
        const com::ClassObjectRegistration viewer(reports::progid::ReportViewer, [this] {
            return std::make_unique<RecordingViewer>(m_output, m_recording);
        });
        host::ReportRequest request;
        request.grouping = grouping;
        return m_session->runReport(request, nullptr);
    }

    QList<PlacedText> textsOf(const QStringList& names) const
    {
        QList<PlacedText> found;
        for (const PlacedText& text : m_recording.texts)
            if (names.contains(text.name))
                found << text;
        return found;
    }

    std::unique_ptr<host::HostSession> m_session;
    QTemporaryDir m_out;
    host::BatchOutput m_output;
    Recording m_recording;
};

TEST_F(WineListReport, GroupsByCountryAndRegionWithTheDetailIndentedBelowBoth)
{
    const reports::CallResult result = run(u"Country/StateRegion/"_s);
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    EXPECT_EQ(m_recording.reportName, u"rptCellarWineList"_s);
    EXPECT_GT(m_recording.progressCalls, 0);
    EXPECT_FALSE(m_recording.tertieryShown);
    EXPECT_TRUE(textsOf({u"Tertiery_DisplayField"_s}).isEmpty());

    // Every box ends at the print width; the levels start 0, 540 and 1080 twips in.
    const QList<PlacedText> lines =
        textsOf({u"Primary_DisplayField"_s, u"Secondary_DisplayField"_s, u"txtWine"_s});
    ASSERT_FALSE(lines.isEmpty());
    const QHash<QString, int> indent{
        {u"Primary_DisplayField"_s, 0}, {u"Secondary_DisplayField"_s, 540}, {u"txtWine"_s, 1080}};
    for (const PlacedText& line : lines) {
        EXPECT_EQ(line.left, kLeftMargin + indent[line.name]) << line.text.toStdString();
        EXPECT_EQ(line.right, kRightEdge) << line.text.toStdString();
    }

    // Title and footer span the print width, the page numbers end at its right edge.
    auto first = [this](const QString& name) {
        const QList<PlacedText> found = textsOf({name});
        return found.isEmpty() ? PlacedText{} : found.front();
    };
    EXPECT_EQ(first(u"lblReportTitle"_s).right, kRightEdge);
    EXPECT_EQ(first(u"txtCellarFile"_s).right, kRightEdge);
    EXPECT_EQ(first(u"txtPageCount"_s).right, kRightEdge);
    EXPECT_EQ(first(u"lblOf"_s).right, first(u"txtPageCount"_s).left);
    EXPECT_EQ(first(u"txtCurrentPage"_s).right, first(u"lblOf"_s).left);
    EXPECT_EQ(first(u"lblPage"_s).left, kLeftMargin);
    EXPECT_EQ(first(u"lblPage"_s).right, first(u"txtCurrentPage"_s).left);

    // Headers and wines in the database's order, read independently.
    const QList<QStringList> rows = sqliteRows(
        cellar().mainDatabase,
        u"SELECT c.Country, r.StateRegion, s.SiteName FROM tblWines w JOIN tblWinerySite s ON "
        "s.WinerySiteID = w.WinerySiteID JOIN tblPICKRegion r ON r.StateRegionID = "
        "s.StateRegionID JOIN tblPICKCountry c ON c.CountryID = r.CountryID JOIN "
        "tblPICKAppellation a ON a.AppellationID = w.AppellationID ORDER BY c.Country, "
        "r.StateRegion, s.SiteName, w.Label, a.Appellation, w.Vintage"_s);
    auto shown = [](const QString& part) { return part == u"<unknown>"_s ? u"N/A"_s : part; };
    QStringList expected;
    QStringList actual;
    QString country;
    QString region;
    for (const QStringList& row : rows) {
        if (expected.isEmpty() || row[0] != country)
            expected << u"1 "_s + shown(row[0]), region.clear();
        if (row[1] != region || expected.last().startsWith(u"1 "_s))
            expected << u"2 "_s + shown(row[1]);
        expected << u"3 "_s + row[2];
        country = row[0];
        region = row[1];
    }
    // A group that goes on over a page break shows its header again at the top of the page;
    // those repeats (headers among the first lines of a page, naming the group already under
    // way) are not new groups.
    QHash<int, QString> current;
    bool pageHead = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const PlacedText& line = lines[i];
        const int level = indent[line.name] / 540 + 1;
        if (i == 0 || line.page != lines[i - 1].page)
            pageHead = true;
        if (level == 3)
            pageHead = false;
        if (level < 3 && pageHead && line.page > 0 && current.value(level) == line.text)
            continue;
        if (level < 3) {
            current[level] = line.text;
            if (level == 1)
                current.remove(2);
        }
        actual << QString::number(level) + u' ' + line.text;
    }
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        if (expected[i].startsWith(u"3 "_s))
            EXPECT_TRUE(actual[i].startsWith(expected[i] + u", "_s))
                << i << ": " << actual[i].toStdString() << " / " << expected[i].toStdString();
        else
            EXPECT_EQ(actual[i], expected[i]) << i;
    }
}

TEST_F(WineListReport, WineLinesLeaveOutUnknownParts)
{
    ASSERT_TRUE(run(u"Country/StateRegion/"_s).succeeded());
    const Cellar& c = cellar();
    const QString noLabel =
        c.unknownLabel[1] + u", "_s + c.unknownLabel[2] + u", "_s + c.unknownLabel[3];
    const QString noAppellation = c.unknownAppellation[1] + u", "_s + c.unknownAppellation[2] +
                                  u", "_s + c.unknownAppellation[3];
    const QString neither = c.unknownBoth[1] + u", "_s + c.unknownBoth[2];
    QStringList wines;
    for (const PlacedText& line : textsOf({u"txtWine"_s})) {
        wines << line.text;
        EXPECT_FALSE(line.text.contains(u", , "_s) || line.text.contains(u"N/A"_s) ||
                     line.text.startsWith(u", "_s) || line.text.endsWith(u", "_s))
            << line.text.toStdString();
    }
    EXPECT_TRUE(wines.contains(noLabel)) << noLabel.toStdString();
    EXPECT_TRUE(wines.contains(noAppellation)) << noAppellation.toStdString();
    EXPECT_TRUE(wines.contains(neither)) << neither.toStdString();

    // The text export holds the same lines.
    QFile exported(m_output.writtenFile);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly)) << m_output.writtenFile.toStdString();
    const QString text = QString::fromUtf8(exported.readAll());
    EXPECT_TRUE(text.contains(u"Wine List"_s));
    EXPECT_TRUE(text.contains(noLabel));
    EXPECT_TRUE(text.contains(neither));
}

TEST(WineListCleaning, DropsEmptyAndNotApplicablePartsInItsThreeSteps)
{
    EXPECT_EQ(rptCellarWineList::cleanWineText(u", N/A, Label, N/A, 2001"_s), u"Label, 2001"_s);
    EXPECT_EQ(rptCellarWineList::cleanWineText(u"Site, , Appellation, NV"_s),
              u"Site, Appellation, NV"_s);
    EXPECT_EQ(rptCellarWineList::cleanWineText(u"Site, Label, N/A"_s), u"Site, Label"_s);
    // A trailing ", " goes first, then a ", N/A" it uncovers.
    EXPECT_EQ(rptCellarWineList::cleanWineText(u"Site, N/A, "_s), u"Site"_s);
    EXPECT_EQ(rptCellarWineList::cleanWineText(u"N/A"_s), u"N/A"_s);
}

TEST_F(WineListReport, BadGroupingsEndWithAnErrorResultThatSaysWhy)
{
    reports::CallResult result = run(u"Country/StateRegion"_s);
    EXPECT_TRUE(result.failed());
    EXPECT_TRUE(result.description.contains(u"three parts"_s)) << result.description.toStdString();
    result = run(u"Country/Colour/"_s);
    EXPECT_TRUE(result.failed());
    EXPECT_TRUE(result.description.contains(u"Colour"_s)) << result.description.toStdString();
    EXPECT_TRUE(m_recording.reportName.isEmpty()); // nothing reached the viewer
}

TEST_F(WineListReport, GetReportPreparesWithTheLastGroupingAndFillsTheReportSource)
{
    std::unique_ptr<QObject> object = com::createObject(reports::progid::WineList);
    auto& rpt = com::interfaceOf<reports::WineListRpt>(*object, reports::progid::WineList);
    QObject regObject;
    QObject preferences;
    auto hostObjects = [&](reports::ArgumentList& list) -> reports::ArgumentList& {
        return list.addObject(m_session->languageHelper())
            .addObject(m_session->commonTools())
            .addObject(regObject)
            .addObject(m_session->sqlTexts())
            .addObject(preferences)
            .addValue(cellar().mainDatabase);
    };
    std::unique_ptr<report::Report> prepared;
    reports::ArgumentList first(u"GetReport"_s);
    EXPECT_TRUE(rpt.GetReport(hostObjects(first), prepared).failed());
    EXPECT_EQ(prepared, nullptr);

    Recording recording;
    {
        const com::ClassObjectRegistration viewer(reports::progid::ReportViewer, [&] {
            return std::make_unique<RecordingViewer>(m_output, recording);
        });
        m_output.format = u"text"_s;
        m_output.fileName = m_out.filePath(u"load.txt"_s);
        reports::ArgumentList load;
        hostObjects(load).addWindow(nullptr).addValue(u"/Country/"_s);
        ASSERT_TRUE(rpt.LoadReport(load).succeeded());
    }
    m_session->mainDatabase().execute(u"DELETE FROM tblReportSource"_s);

    reports::ArgumentList second(u"GetReport"_s);
    const reports::CallResult result = rpt.GetReport(hostObjects(second), prepared);
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    ASSERT_NE(prepared, nullptr);
    EXPECT_EQ(prepared->name(), u"rptCellarWineList"_s);
    EXPECT_EQ(prepared->section(u"SecondaryGroup"_s).dataField(), u"Country"_s);
    EXPECT_EQ(sqliteRows(cellar().mainDatabase, u"SELECT COUNT(*) FROM tblReportSource"_s),
              sqliteRows(cellar().mainDatabase, u"SELECT COUNT(*) FROM tblWines"_s));
    // Without a viewer the progress goes nowhere and the run goes on.
    prepared->run();
    EXPECT_GT(prepared->pages().count(), 0);
    EXPECT_EQ(prepared->textBox(u"Secondary_DisplayField"_s).left(), 0); // the only group
    EXPECT_EQ(prepared->textBox(u"txtWine"_s).left(), 540);
}

TEST(QuorvexProgram, WritesTheWineListAsPdf)
{
    cellar();
    const QTemporaryDir out;
    const QString pdf = out.filePath(u"winelist.pdf"_s);
    const shell::testing::ProgramRun quorvex = shell::testing::runProgram(
        QStringLiteral(QV_QUORVEX),
        {u"report"_s, u"winelist"_s, u"--grouping"_s, u"Country/StateRegion/"_s, u"--export"_s,
         u"pdf"_s, u"--out"_s, pdf});
    ASSERT_TRUE(quorvex.finished);
    ASSERT_EQ(quorvex.exitCode, 0) << quorvex.err.toStdString();

    const QString text = reports::testing::pdfText(pdf);
    EXPECT_TRUE(text.contains(u"Wine List"_s)) << text.left(300).toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(u"Page\\s+1\\s+of\\s+\\d+"_s)));
    EXPECT_TRUE(text.contains(QFileInfo(cellar().mainDatabase).fileName()));
    // For looking at: the first pages as pictures beside the test program.
    reports::testing::savePagePictures(pdf, u"olmaris_winelist"_s, 2);
}

} // namespace

#include "WineListReportTest.moc"
