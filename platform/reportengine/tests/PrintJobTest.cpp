// PrintJob: real prints of hand-built pages on a private CUPS server's PDF printer, read back
// with pdftotext and pdfinfo; the print dialog cancelled and a job cancelled after a page.

#include "platform/reportengine/print/PrintJob.h"

#include "platform/reportengine/tests/CupsServer.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace report {
namespace {

using testing::CupsClientTarget;
using testing::CupsServer;
using testing::runTool;

// Pages of `width` x `height` twips, each with one line "Cellar page N" near its top left and
// "end of page N" near its bottom right, so a page cut to another paper loses its text.
void addPages(PageDocument& pages, int count, int width, int height)
{
    for (int number = 1; number <= count; ++number) {
        Page page;
        page.paperWidth = width;
        page.paperHeight = height;
        TextItem top;
        top.rect = {720, 720, 5000, 300};
        top.lines = {u"Cellar page %1"_s.arg(number)};
        top.lineHeight = 276;
        TextItem bottom = top;
        bottom.rect = {width - 3600, height - 1000, 3000, 300};
        bottom.lines = {u"end of page %1"_s.arg(number)};
        bottom.align = HAlign::Right;
        page.items = {top, bottom};
        pages.append(page);
    }
}

QString pdfText(const QString& file)
{
    return runTool(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s}).out;
}

QString pdfInfo(const QString& file)
{
    return runTool(u"pdfinfo"_s, {file}).out;
}

class PrintJobOnServer : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!CupsServer::installed())
            return;
        s_server = std::make_unique<CupsServer>();
        if (!s_server->start() || !s_server->addPdfQueue(u"PDF"_s, output(), true))
            s_failure = s_server->error();
    }
    static void TearDownTestSuite() { s_server.reset(); }
    static QString output() { return s_server->folder() + u"/printed.pdf"_s; }

    void SetUp() override
    {
        if (!CupsServer::installed())
            GTEST_SKIP() << "cupsd is not installed (Debian package cups): no print server to "
                            "print on";
        ASSERT_TRUE(s_failure.isEmpty()) << s_failure.toStdString();
        QFile::remove(output());
        m_jobsBefore = s_server->completedJobs(u"PDF"_s).size();
        m_job.title = u"Cellar book"_s;
        m_job.progress = [this](int page) { m_progress << page; };
    }

    // The job CUPS completed since the test began, after waiting for it.
    QString printedJob() const
    {
        EXPECT_TRUE(s_server->waitUntilIdle());
        const QStringList jobs = s_server->completedJobs(u"PDF"_s);
        EXPECT_EQ(jobs.size(), m_jobsBefore + 1);
        return jobs.isEmpty() ? QString() : jobs.last();
    }
    void expectNothingPrinted() const
    {
        EXPECT_TRUE(s_server->waitUntilIdle());
        EXPECT_EQ(s_server->completedJobs(u"PDF"_s).size(), m_jobsBefore);
        EXPECT_FALSE(QFileInfo::exists(output()));
    }

    static inline std::unique_ptr<CupsServer> s_server;
    static inline QString s_failure;
    qsizetype m_jobsBefore = 0;
    PageDocument m_pages;
    PrintJob m_job;
    QList<int> m_progress;
};

TEST_F(PrintJobOnServer, PrintsEveryPageOnItsPaperWithTheJobOptions)
{
    addPages(m_pages, 3, 11906, 16838); // A4
    Printer printer;
    ASSERT_EQ(printer.deviceName(), u"PDF"_s);
    ASSERT_TRUE(m_job.print(m_pages, printer));
    EXPECT_EQ(m_progress, (QList<int>{1, 2, 3}));
    const QString job = printedJob();
    ASSERT_TRUE(QFileInfo::exists(output())) << s_server->error().toStdString();

    const QString info = pdfInfo(output());
    EXPECT_TRUE(info.contains(u"Pages:           3"_s)) << info.toStdString();
    EXPECT_TRUE(info.contains(u"Page size:       595 x 842 pts (A4)"_s)) << info.toStdString();
    const QString text = pdfText(output());
    const QStringList pageTexts = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pageTexts.size(), 3) << text.toStdString();
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(pageTexts[page - 1].contains(u"Cellar page %1"_s.arg(page)));
        EXPECT_TRUE(pageTexts[page - 1].contains(u"end of page %1"_s.arg(page)));
    }
    // For the eye: the first printed page beside the test program.
    runTool(u"pdftoppm"_s, {u"-r"_s, u"40"_s, u"-png"_s, u"-singlefile"_s, output(),
                            QCoreApplication::applicationDirPath() + u"/printed-page-1"_s});

    const QString options = s_server->jobOptions(job);
    EXPECT_TRUE(options.contains(u"media=A4"_s)) << options.toStdString();
    EXPECT_TRUE(options.contains(u"sides=one-sided"_s)) << options.toStdString();
    EXPECT_FALSE(options.contains(u"InputSlot"_s)) << "the automatic bin asks for nothing";
}

TEST_F(PrintJobOnServer, PassesBinDuplexColourAndQualityToTheQueue)
{
    addPages(m_pages, 1, 15840, 12240); // Letter, landscape
    Printer printer;
    printer.setPaperBin(2);
    printer.setDuplex(3);
    printer.setColorMode(1);
    printer.setPrintQuality(-1);
    ASSERT_TRUE(m_job.print(m_pages, printer));
    const QString options = s_server->jobOptions(printedJob());
    for (const QString& option :
         {u"InputSlot=Lower"_s, u"sides=two-sided-short-edge"_s, u"print-color-mode=monochrome"_s,
          u"print-quality=3"_s, u"media=Letter"_s})
        EXPECT_TRUE(options.contains(option))
            << option.toStdString() << " in " << options.toStdString();
    const QString info = pdfInfo(output());
    EXPECT_TRUE(info.contains(u"Page size:       792 x 612 pts (letter)"_s)) << info.toStdString();
    EXPECT_TRUE(pdfText(output()).contains(u"end of page 1"_s));

    // A bin the device does not have is kept and not asked for.
    QFile::remove(output());
    printer.setPaperBin(8);
    ASSERT_TRUE(m_job.print(m_pages, printer));
    EXPECT_EQ(printer.paperBin(), 8);
    EXPECT_TRUE(s_server->waitUntilIdle());
    const QString tractor = s_server->jobOptions(s_server->completedJobs(u"PDF"_s).last());
    EXPECT_FALSE(tractor.contains(u"InputSlot"_s)) << tractor.toStdString();
}

TEST_F(PrintJobOnServer, DialogPrintsTheChosenPagesOrNothingWhenCancelled)
{
    addPages(m_pages, 3, 12240, 15840);
    Printer printer;
    {
        shell::GTestScriptedUser user;
        user.expectModal(QString::fromLatin1(PrintJob::kDialogName),
                         [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
        m_job.showDialog = true;
        EXPECT_FALSE(m_job.print(m_pages, printer));
    }
    EXPECT_TRUE(m_progress.isEmpty());
    expectNothingPrinted();

    shell::GTestScriptedUser user;
    user.expectModal(QString::fromLatin1(PrintJob::kDialogName), [](QWidget& dialog) {
        auto* range = dialog.findChild<QRadioButton*>(u"printRange"_s);
        auto* from = dialog.findChild<QSpinBox*>(u"from"_s);
        auto* to = dialog.findChild<QSpinBox*>(u"to"_s);
        ASSERT_TRUE(range && from && to);
        range->setChecked(true);
        from->setValue(2);
        to->setValue(3);
        static_cast<QDialog&>(dialog).accept();
    });
    ASSERT_TRUE(m_job.print(m_pages, printer));
    EXPECT_EQ(m_progress, (QList<int>{2, 3}));
    printedJob();
    EXPECT_TRUE(pdfInfo(output()).contains(u"Pages:           2"_s));
    const QString text = pdfText(output());
    EXPECT_FALSE(text.contains(u"Cellar page 1"_s));
    EXPECT_TRUE(text.contains(u"Cellar page 3"_s));
}

TEST_F(PrintJobOnServer, CancelAfterTheFirstPagePrintsNothing)
{
    addPages(m_pages, 3, 11906, 16838);
    Printer printer;
    bool cancelled = false;
    // The cancel comes from an event handler that runs while the job lets events through.
    m_job.progress = [&](int page) {
        m_progress << page;
        QTimer::singleShot(0, [&cancelled] { cancelled = true; });
    };
    m_job.cancelRequested = [&cancelled] { return cancelled; };
    EXPECT_FALSE(m_job.print(m_pages, printer));
    EXPECT_EQ(m_progress, (QList<int>{1}));
    expectNothingPrinted();
}

TEST(PrintJobWithoutServer, FailsWithWhatToDo)
{
    QTemporaryDir folder;
    const CupsClientTarget noServer(folder.filePath(u"no-server.sock"_s));
    PageDocument pages;
    addPages(pages, 1, 11906, 16838);
    Printer printer;
    try {
        PrintJob().print(pages, printer);
        FAIL() << "printing without a printer must fail";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 482);
        EXPECT_TRUE(error.description().contains(u"no printer"_s)) << error.what();
        EXPECT_TRUE(error.description().contains(u"Set up a printer"_s)) << error.what();
    }
}

} // namespace
} // namespace report
