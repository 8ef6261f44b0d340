// Printing from the viewer window on a private CUPS server's PDF queues, read back with poppler:
// the toolbar's print tool and the menu with the progress panel showing, the cancel button,
// a printer set-up choice that is remembered for the next opening, and a machine that lost its
// printers.
#include "platform/reportengine/print/PrintJob.h"
#include "platform/reportengine/tests/CupsServer.h"
#include "platform/reportengine/tests/ExportReaders.h"
#include "viewer/tests/ViewerTestSession.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using report::testing::CupsClientTarget;
using report::testing::CupsServer;
using report::testing::toolOutput;

namespace lumesk::testing {
namespace {

frmReportViewer& viewerWindow(QWidget& window)
{
    return static_cast<frmReportViewer&>(window);
}

void acceptDialog(QWidget& dialog)
{
    static_cast<QDialog&>(dialog).accept();
}

// What the progress panel showed while a page was printed.
struct PanelState
{
    bool shown = false;
    bool printing = false;
    bool exporting = false;
    bool cancel = false;
    QString page;
};

class ViewerPrintingTest : public ViewerTest
{
protected:
    static void SetUpTestSuite()
    {
        ViewerTest::SetUpTestSuite();
        if (!CupsServer::installed())
            return;
        s_server = std::make_unique<CupsServer>();
        if (!s_server->start() || !s_server->addPdfQueue(u"PDF"_s, output(u"PDF"_s), true) ||
            !s_server->addPdfQueue(u"Draft"_s, output(u"Draft"_s)))
            s_failure = s_server->error();
    }
    static void TearDownTestSuite()
    {
        s_server.reset();
        ViewerTest::TearDownTestSuite();
    }
    static QString output(const QString& queue)
    {
        return s_server->folder() + u"/"_s + queue + u".pdf"_s;
    }

    void SetUp() override
    {
        if (!CupsServer::installed())
            GTEST_SKIP() << "cupsd is not installed (Debian package cups): no print server";
        ASSERT_TRUE(s_failure.isEmpty()) << s_failure.toStdString();
        for (const QString& queue : {u"PDF"_s, u"Draft"_s}) {
            QFile::remove(output(queue));
            m_jobsBefore[queue] = s_server->completedJobs(queue).size();
        }
        ViewerTest::SetUp();
    }

    // The jobs a queue completed since the test began.
    QStringList newJobs(const QString& queue)
    {
        EXPECT_TRUE(s_server->waitUntilIdle());
        return s_server->completedJobs(queue).mid(m_jobsBefore.value(queue));
    }

    // Records the panel as every printed page shows it.
    void watchPanel(frmReportViewer& window, std::vector<PanelState>& seen)
    {
        QObject::connect(
            m_report.get(), &report::Report::printProgressed, &window, [&window, &seen](int) {
                auto visible = [&](const QString& name) {
                    auto* widget = window.findChild<QWidget*>(name);
                    return widget != nullptr && widget->isVisible();
                };
                seen.push_back({window.fraStatus().isVisible(), visible(u"lblPrinting"_s),
                                visible(u"lblExporting"_s), visible(u"btnCancel"_s),
                                window.findChild<QLabel*>(u"lblPageNbr"_s)->text()});
            });
    }

    static inline std::unique_ptr<CupsServer> s_server;
    static inline QString s_failure;
    QHash<QString, qsizetype> m_jobsBefore;
};

TEST_F(ViewerPrintingTest, ThePrintToolPrintsTheReportWhileThePanelShowsThePages)
{
    std::vector<PanelState> seen;
    int pages = 0;
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        pages = window.ARViewer().pageCount();
        watchPanel(window, seen);
        m_user.expectModal(QString::fromLatin1(report::PrintJob::kDialogName), acceptDialog);
        clickTool(window, 2); // the preview's own print tool, the viewer's 998
        EXPECT_FALSE(window.fraStatus().isVisible());
        EXPECT_EQ(window.Status().progressBar().value(), 0);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    ASSERT_GE(pages, 4);
    ASSERT_EQ(static_cast<int>(seen.size()), pages);
    for (int i = 0; i < pages; ++i) {
        EXPECT_TRUE(seen[i].shown && seen[i].printing && seen[i].cancel);
        EXPECT_FALSE(seen[i].exporting);
        EXPECT_EQ(seen[i].page, u"%1 / %2"_s.arg(i + 1).arg(pages));
    }

    ASSERT_EQ(newJobs(u"PDF"_s).size(), 1);
    const QString printed = output(u"PDF"_s);
    ASSERT_TRUE(QFileInfo::exists(printed)) << s_server->error().toStdString();
    EXPECT_TRUE(toolOutput(u"pdfinfo"_s, {printed}).contains(u"Pages:           %1"_s.arg(pages)));
    const QString text = toolOutput(u"pdftotext"_s, {u"-layout"_s, printed, u"-"_s});
    EXPECT_TRUE(text.contains(u"Wine List"_s));
    for (const int page : {1, pages}) {
        const QRegularExpression footer(u"Page\\s+%1\\s+of\\s+%2\\b"_s.arg(page).arg(pages));
        EXPECT_TRUE(text.contains(footer)) << page;
    }
}

TEST_F(ViewerPrintingTest, CancellingInTheDialogOrWithTheButtonPrintsNothing)
{
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        m_user.expectModal(QString::fromLatin1(report::PrintJob::kDialogName),
                           [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
        clickItem(window, u"mnuFile_Print"_s);
        EXPECT_FALSE(window.fraStatus().isVisible());

        // The panel's button cancels the job after its first page.
        QObject::connect(m_report.get(), &report::Report::printProgressed, &window,
                         [&window](int page) {
                             if (page == 1)
                                 window.findChild<QPushButton*>(u"btnCancel"_s)->click();
                         });
        m_user.expectModal(QString::fromLatin1(report::PrintJob::kDialogName), acceptDialog);
        clickItem(window, u"mnuFile_Print"_s);
        EXPECT_FALSE(window.fraStatus().isVisible());
        EXPECT_EQ(window.Status().progressBar().value(), 0);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(result.succeeded());
    EXPECT_TRUE(newJobs(u"PDF"_s).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(output(u"PDF"_s)));
}

TEST_F(ViewerPrintingTest, APrinterSetupChoiceIsRememberedForTheNextOpening)
{
    QList<int> regenerated;
    const reports::CallResult chosen = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        EXPECT_EQ(window.ARViewer().printer().deviceName(), u"PDF"_s);
        const int pages = window.ARViewer().pageCount();
        QObject::connect(m_report.get(), &report::Report::pageAdded, &window,
                         [&](int page) { regenerated << page; });
        m_user.expectModal(QString::fromLatin1(report::Printer::kSetupDialogName),
                           [](QWidget& dialog) {
                               auto* devices = dialog.findChild<QComboBox*>(u"printers"_s);
                               auto* shortEdge = dialog.findChild<QRadioButton*>(u"duplexShort"_s);
                               ASSERT_TRUE(devices && shortEdge);
                               devices->setCurrentIndex(devices->findText(u"Draft"_s));
                               shortEdge->setChecked(true);
                               acceptDialog(dialog);
                           });
        clickItem(window, u"mnuFile_PrinterSetup"_s);
        // The report made again and shown again, on the printer now chosen.
        EXPECT_EQ(regenerated.size(), pages);
        EXPECT_EQ(window.ARViewer().report(), m_report.get());
        EXPECT_EQ(window.ARViewer().pageCount(), pages);
        EXPECT_EQ(window.ARViewer().printer().deviceName(), u"Draft"_s);
        EXPECT_EQ(window.ARViewer().printer().duplex(), 3);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(chosen.succeeded()) << chosen.description.toStdString();
    EXPECT_EQ(storedText(printSettingsKey(), u"DeviceName"_s), u"Draft"_s);
    EXPECT_EQ(storedText(printSettingsKey(), u"Duplex"_s), u"3"_s);

    // The next report of that name opens on Draft, printing on both sides.
    m_report = std::make_unique<ModuleReport>(*s_cellar);
    m_report->viewer = &m_viewer;
    ASSERT_EQ(m_report->printer().deviceName(), u"PDF"_s);
    const reports::CallResult again = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        EXPECT_EQ(window.ARViewer().printer().deviceName(), u"Draft"_s);
        EXPECT_EQ(window.ARViewer().printer().duplex(), 3);
        m_user.expectModal(QString::fromLatin1(report::PrintJob::kDialogName), acceptDialog);
        clickItem(window, u"mnuFile_Print"_s);
        clickItem(window, u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(again.succeeded());
    const QStringList jobs = newJobs(u"Draft"_s);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_TRUE(newJobs(u"PDF"_s).isEmpty());
    const QString options = s_server->jobOptions(jobs.first());
    EXPECT_TRUE(options.contains(u"sides=two-sided-short-edge"_s)) << options.toStdString();
}

TEST_F(ViewerPrintingTest, StoredSettingsComeBackThroughTheWindowWithoutAGoneDevice)
{
    store(printSettingsKey(), u"DeviceName"_s, u"Gone"_s); // a queue since removed
    store(printSettingsKey(), u"PaperBin"_s, u"4"_s);
    store(printSettingsKey(), u"Orientation"_s, u"1"_s);
    store(printSettingsKey(), u"PaperSize"_s, u"256"_s);
    store(printSettingsKey(), u"PaperWidth"_s, u"9000"_s);
    store(printSettingsKey(), u"PaperHeight"_s, u"14000"_s);
    store(printSettingsKey(), u"ColorMode"_s, u"1"_s);
    const reports::CallResult result = preview([&](QWidget& shown) {
        const report::Printer& printer = viewerWindow(shown).ARViewer().printer();
        EXPECT_EQ(&printer, &m_report->printer()); // the viewer prints on the report's printer
        EXPECT_EQ(printer.deviceName(), u"PDF"_s);
        EXPECT_EQ(printer.paperBin(), 7);
        EXPECT_EQ(printer.paperSize(), 256);
        EXPECT_EQ(printer.paperWidth(), 9000);
        EXPECT_EQ(printer.paperHeight(), 14000);
        EXPECT_EQ(printer.colorMode(), 1);
        clickItem(viewerWindow(shown), u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    const QStringList names{u"DeviceName"_s, u"PaperBin"_s,    u"PaperSize"_s,
                            u"PaperWidth"_s, u"PaperHeight"_s, u"ColorMode"_s};
    QStringList stored;
    for (const QString& name : names)
        stored << storedText(printSettingsKey(), name);
    EXPECT_EQ(stored, (QStringList{u"PDF"_s, u"7"_s, u"256"_s, u"9000"_s, u"14000"_s, u"1"_s}));
}

TEST_F(ViewerPrintingTest, AMachineThatLostItsPrintersStillPreviewsAndPrintsNothing)
{
    ASSERT_EQ(m_report->printer().deviceName(), u"PDF"_s); // the report was made with printers
    store(printSettingsKey(), u"DeviceName"_s, u"PDF"_s);
    const CupsClientTarget nowhere(u"/nonexistent/cups.sock"_s);
    const reports::CallResult result = preview([&](QWidget& shown) {
        frmReportViewer& window = viewerWindow(shown);
        EXPECT_EQ(window.ARViewer().printer().deviceCount(), 0);
        EXPECT_EQ(m_report->printer().deviceName(), QString());
        EXPECT_GE(window.ARViewer().pageCount(), 4);
        m_user.expectModal(QString::fromLatin1(report::PrintJob::kDialogName), acceptDialog);
        clickItem(window, u"mnuFile_Print"_s); // fails quietly: no message box
        EXPECT_FALSE(window.fraStatus().isVisible());
        EXPECT_TRUE(window.isVisible());
        clickItem(window, u"mnuFile_Exit"_s);
    });
    ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    EXPECT_TRUE(m_user.messages().empty());
    EXPECT_EQ(storedText(printSettingsKey(), u"DeviceName"_s), QString());
}

} // namespace
} // namespace lumesk::testing
