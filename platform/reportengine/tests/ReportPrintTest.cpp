// A report printed through its own Printer on a private CUPS server and read back from the
// queue's PDF; cancelled after its first page; and a machine without printers, which still
// generates and exports but cannot print.
#include "ListReport.h"
#include "platform/reportengine/tests/CupsServer.h"
#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using report::testing::CupsClientTarget;
using report::testing::CupsServer;
using report::testing::ListReport;
using report::testing::ReportTestDatabase;
using report::testing::TestWine;
using report::testing::toolOutput;

namespace report {
namespace {

QList<TestWine> wines(int count)
{
    QList<TestWine> result;
    for (int i = 1; i <= count; ++i)
        result.append({i,
                       i <= count / 2 ? u"Chile"_s : u"Hungary"_s,
                       u"Printed wine %1"_s.arg(i),
                       i * 3.0,
                       {}});
    return result;
}

TEST(ReportPrintTest, PrintsTheGeneratedPagesOnTheQueueAndCancelsAfterAPage)
{
    if (!CupsServer::installed())
        GTEST_SKIP() << "cupsd is not installed (Debian package cups): no print server to print on";
    CupsServer server;
    const QString output = server.folder() + u"/report.pdf"_s;
    ASSERT_TRUE(server.start() && server.addPdfQueue(u"ReportPDF"_s, output, true))
        << server.error().toStdString();

    const ReportTestDatabase database(wines(90));
    ListReport list(database);
    ASSERT_EQ(list.printer().deviceName(), u"ReportPDF"_s);
    QList<int> progress;
    QObject::connect(&list, &Report::printProgressed, &list,
                     [&progress](int page) { progress << page; });
    ASSERT_TRUE(list.printReport(false)); // generates first: nothing was generated yet
    const int pages = list.pages().count();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(progress.size(), pages);
    ASSERT_TRUE(server.waitUntilIdle());
    ASSERT_TRUE(QFileInfo::exists(output)) << server.error().toStdString();
    const QString info = toolOutput(u"pdfinfo"_s, {output});
    EXPECT_TRUE(info.contains(u"Pages:           %1"_s.arg(pages))) << info.toStdString();
    const QString text = toolOutput(u"pdftotext"_s, {u"-layout"_s, output, u"-"_s});
    EXPECT_TRUE(text.contains(u"Printed wine 1 "_s));
    EXPECT_TRUE(text.contains(u"Printed wine 90"_s));

    // Cancelled from an event handler after the first page: nothing reaches the queue.
    QFile::remove(output);
    const qsizetype jobs = server.completedJobs(u"ReportPDF"_s).size();
    QObject::connect(&list, &Report::printProgressed, &list, [&list](int page) {
        if (page == 1)
            list.cancelPrinting();
    });
    EXPECT_FALSE(list.printReport(false));
    EXPECT_FALSE(list.isPrinting());
    ASSERT_TRUE(server.waitUntilIdle());
    EXPECT_EQ(server.completedJobs(u"ReportPDF"_s).size(), jobs);
    EXPECT_FALSE(QFileInfo::exists(output));
}

TEST(ReportPrintTest, WithoutAnyPrinterReportsGenerateAndExportButDoNotPrint)
{
    QTemporaryDir nowhere;
    const CupsClientTarget noServer(nowhere.filePath(u"no-cups.sock"_s));
    const ReportTestDatabase database(wines(20));
    ListReport list(database);
    EXPECT_EQ(list.printer().deviceCount(), 0);
    EXPECT_EQ(list.printer().deviceName(), QString());
    list.run();
    EXPECT_EQ(list.pages().state(), GenerationState::Finished);
    const QString pdf = nowhere.filePath(u"list.pdf"_s);
    list.exportPdf(pdf);
    EXPECT_TRUE(QFileInfo::exists(pdf));
    try {
        list.printReport(false);
        ADD_FAILURE() << "printing without a printer did not fail";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 482);
        EXPECT_FALSE(error.description().isEmpty());
    }
    EXPECT_FALSE(list.isPrinting());
}

} // namespace
} // namespace report
