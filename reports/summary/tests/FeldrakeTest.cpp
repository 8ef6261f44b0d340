// The cellar summary in this process: LoadReport on the host's summary window with known texts
// through the batch viewer (each text read back from the PDF in its place), an empty query
// name, a window without one of the members, and the report object itself on portrait and
// landscape paper (frames centred, header and footer at the print width, pages reported to the
// viewer).

#include "reports/summary/Feldrake.h"

#include "host/BatchViewer.h"
#include "host/HostSession.h"
#include "platform/com/ClassObjects.h"
#include "reports/ArgumentList.h"
#include "reports/ProgIds.h"
#include "reports/summary/Rpt.h"
#include "reports/summary/SummaryFilling.h"
#include "SummaryTestInstallation.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace feldrake::testing {
namespace {

const QStringList kBoxes = {u"DistinctWines"_s,    u"Bottles"_s,      u"ValueInventory"_s,
                            u"ExpenseInventory"_s, u"TotalBottles"_s, u"TotalSpent"_s};
const QStringList kCaptions = {u"Distinct wines:"_s,     u"Bottles:"_s,
                               u"Value of inventory:"_s, u"Expense of inventory:"_s,
                               u"Bottles bought:"_s,     u"Total spent:"_s};

class LoadReportTest : public ::testing::Test
{
protected:
    LoadReportTest() : m_session(installationFiles()), m_viewer(m_output)
    {
        m_output.format = u"pdf"_s;
        m_output.fileName = m_out.filePath(u"summary.pdf"_s);
    }

    host::frmSummary& window() { return m_session.summaryWindow(); }

    reports::CallResult loadReport(const QString& queryName)
    {
        reports::ArgumentList arguments;
        arguments.addWindow(&window())
            .addValue(u"Ada Vintner"_s)
            .addValue(u"/cellars/csample.qvd"_s)
            .addValue(queryName)
            .addObject(m_session.languageHelper())
            .addObject(m_session.commonTools())
            .addObject(m_regObject);
        return Rpt().LoadReport(arguments);
    }

    QTemporaryDir m_out;
    host::HostSession m_session;
    host::BatchOutput m_output;
    host::BatchViewerRegistration m_viewer;
    QObject m_regObject;
};

TEST_F(LoadReportTest, EveryTextOfTheWindowPrintsInItsPlace)
{
    // Texts of our own, different in each box, so that a box copied into the wrong place shows.
    for (int row = 0; row < kBoxes.size(); ++row) {
        window()
            .findChild<QLineEdit*>(u"txtQuery"_s + kBoxes[row])
            ->setText(u"Q%1,00%1"_s.arg(row));
        window()
            .findChild<QLineEdit*>(u"txtCellar"_s + kBoxes[row])
            ->setText(u"C%1,99%1"_s.arg(row));
    }
    const reports::CallResult result = loadReport(u"Red Wines"_s);
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    ASSERT_EQ(m_output.reportsExported, 1);

    const QString text = pdfText(m_output.writtenFile);
    savePagePicture(m_output.writtenFile, u"feldrake_known_texts"_s);
    EXPECT_FALSE(text.contains(u"d_"_s)) << text.toStdString();
    for (const QString& expected :
         {u"Cellar Summary"_s, u"Ada Vintner"_s, u"/cellars/csample.qvd"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    const qsizetype query = text.indexOf(u"Statistics for Red Wines"_s);
    const qsizetype cellar = text.indexOf(u"Statistics for the whole cellar"_s);
    ASSERT_GE(query, 0) << text.toStdString();
    ASSERT_GT(cellar, query) << text.toStdString();
    for (int row = 0; row < kBoxes.size(); ++row) {
        const QRegularExpression queryLine(QRegularExpression::escape(kCaptions[row]) +
                                           u"\\s+Q%1,00%1\\n"_s.arg(row));
        const QRegularExpression cellarLine(QRegularExpression::escape(kCaptions[row]) +
                                            u"\\s+C%1,99%1\\n"_s.arg(row));
        const QRegularExpressionMatch inQuery = queryLine.match(text, query);
        const QRegularExpressionMatch inCellar = cellarLine.match(text, cellar);
        ASSERT_TRUE(inQuery.hasMatch()) << kCaptions[row].toStdString();
        ASSERT_TRUE(inCellar.hasMatch()) << kCaptions[row].toStdString();
        EXPECT_LT(inQuery.capturedStart(), cellar) << kCaptions[row].toStdString();
    }
}

TEST_F(LoadReportTest, AnEmptyQueryNameLeavesTheHeadingAndOneBlank)
{
    Feldrake feldrake;
    fillFromParentWindow(feldrake, window(), {u"Ada"_s, u"x.qvd"_s, QString()});
    EXPECT_EQ(feldrake.label(u"lblStatsForQuery"_s).caption(), u"Statistics for "_s);
    // The whole-cellar heading keeps the text of the report's own language.
    EXPECT_EQ(feldrake.label(u"lblStatsForDB"_s).caption(), u"d_Statistics for the whole cellar"_s);

    ASSERT_TRUE(loadReport(QString()).succeeded());
    EXPECT_TRUE(pdfText(m_output.writtenFile).contains(QRegularExpression(u"Statistics for\\n"_s)));
}

TEST_F(LoadReportTest, AWindowWithoutAMemberEndsWithAnErrorNamingIt)
{
    // A window of another host version, whose total spent box has another name.
    window().findChild<QLineEdit*>(u"txtCellarTotalSpent"_s)->setObjectName(u"txtCellarSpent"_s);
    const reports::CallResult result = loadReport(u"Red Wines"_s);
    EXPECT_EQ(result.number, 438);
    EXPECT_TRUE(result.description.contains(u"txtCellarTotalSpent"_s))
        << result.description.toStdString();
    EXPECT_EQ(m_output.reportsExported, 0);
}

TEST_F(LoadReportTest, NoParentWindowIsAnErrorResult)
{
    reports::ArgumentList arguments;
    arguments.addWindow(nullptr)
        .addValue(u"Ada"_s)
        .addValue(u"x.qvd"_s)
        .addValue(u"All Wines"_s)
        .addObject(m_session.languageHelper())
        .addObject(m_session.commonTools())
        .addObject(m_regObject);
    EXPECT_EQ(Rpt().LoadReport(arguments).number, 91);
    EXPECT_EQ(m_output.reportsExported, 0);
}

// What a viewer was handed: the owner window, the report's name and the pages announced
// while it generated the report.
struct ViewerCall
{
    QWidget* owner = nullptr;
    QString reportName;
    QList<qint32> pages;
};

class RecordingViewer : public QObject, public reports::ReportViewer
{
    Q_OBJECT
    Q_INTERFACES(reports::ReportViewer)

public:
    explicit RecordingViewer(ViewerCall& call) : m_call(call) {}

    reports::CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                      reports::LanguageHelper&, reports::CommonTools&, QObject&,
                                      const QString& pReportName) override
    {
        m_call.owner = frmParentForm;
        m_call.reportName = pReportName;
        pReport.run();
        return reports::CallResult::success();
    }
    reports::CallResult ProgressStatus(qint32 lngPageNumber) override
    {
        m_call.pages << lngPageNumber;
        return reports::CallResult::success();
    }

private:
    ViewerCall& m_call;
};

TEST_F(LoadReportTest, TheViewerGetsTheOwnerTheReportsOwnNameAndEveryPage)
{
    ViewerCall call;
    const com::ClassObjectRegistration recording(
        reports::progid::ReportViewer, [&call] { return std::make_unique<RecordingViewer>(call); });
    const reports::CallResult result = loadReport(u"Red Wines"_s);
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    EXPECT_EQ(call.owner, &window());
    EXPECT_EQ(call.reportName, u"Feldrake"_s);
    EXPECT_EQ(call.pages, QList<qint32>{1});
}

int printWidthOf(const Feldrake& feldrake)
{
    return feldrake.paperWidth() - feldrake.pageSettings().leftMargin -
           feldrake.pageSettings().rightMargin;
}

void expectFittedToPrintWidth(Feldrake& feldrake)
{
    const int width = printWidthOf(feldrake);
    EXPECT_EQ(feldrake.printWidth(), width);
    for (const QString& name : {u"Shape1"_s, u"fraStatsForQuery"_s, u"Frame1"_s,
                                u"lblStatsForQuery"_s, u"lblStatsForDB"_s}) {
        const report::Control& control = feldrake.control(name);
        EXPECT_LE(std::abs(2 * control.left() + control.width() - width), 1) << name.toStdString();
    }
    for (const QString& name :
         {u"lblReportTitle"_s, u"txtUserName"_s, u"txtCellarFile"_s, u"txtDateTime"_s}) {
        EXPECT_EQ(feldrake.control(name).left(), 0) << name.toStdString();
        EXPECT_EQ(feldrake.control(name).width(), width) << name.toStdString();
    }
    EXPECT_EQ(feldrake.line(u"Line1"_s).x2(), width);
    EXPECT_EQ(feldrake.line(u"Line2"_s).x2(), width);
    // The figures stay inside their frames.
    for (const auto& [frame, column] :
         {std::pair{u"fraStatsForQuery"_s, u"Query"_s}, std::pair{u"Frame1"_s, u"Cellar"_s}}) {
        const report::Control& box = feldrake.control(frame);
        for (const QString& row : kBoxes) {
            const report::Control& value = feldrake.control(u"txt"_s + column + row);
            EXPECT_GT(value.left(), box.left()) << row.toStdString();
            EXPECT_LT(value.left() + value.width(), box.left() + box.width()) << row.toStdString();
        }
    }
}

TEST(FeldrakeReport, FramesStayCentredAndTheFooterSpansThePrintWidthOnEitherPaper)
{
    Feldrake portrait;
    portrait.pageSettings().orientation = report::Orientation::Portrait;
    portrait.run();
    expectFittedToPrintWidth(portrait);

    Feldrake landscape;
    landscape.pageSettings().orientation = report::Orientation::Landscape;
    landscape.textBox(u"txtCellarFile"_s).setText(u"/cellars/csample.qvd"_s);
    landscape.run();
    expectFittedToPrintWidth(landscape);
    EXPECT_GT(printWidthOf(landscape), printWidthOf(portrait) + 4000);
    EXPECT_FALSE(landscape.textBox(u"txtDateTime"_s).text().isEmpty());

    QTemporaryDir out;
    landscape.exportPdf(out.filePath(u"landscape.pdf"_s));
    savePagePicture(out.filePath(u"landscape.pdf"_s), u"feldrake_landscape"_s);
}

} // namespace
} // namespace feldrake::testing

#include "FeldrakeTest.moc"
