// Reports end to end: generated from a database and written as a plain PDF, read back by
// poppler (page count, paper, text in place), and rendered to PNG for a look.
#include "ListReport.h"
#include "platform/reportengine/tests/ExportReaders.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using report::testing::ListReport;
using report::testing::ReportTestDatabase;
using report::testing::TestWine;
using report::testing::toolOutput;

namespace report {
namespace {

QList<TestWine> wines(int count)
{
    QList<TestWine> result;
    const QStringList countries{u"Argentina"_s, u"Greece"_s, u"New Zealand"_s};
    for (int i = 1; i <= count; ++i)
        result.append(
            {i, countries[(i - 1) * 3 / count], u"Wine number %1"_s.arg(i), i * 2.25, {}});
    return result;
}

struct PaperCase
{
    const char* name;
    int width;
    int height;
    Orientation orientation;
    QString pdfinfoSize;
};

TEST(ReportPdfTest, PlainPdfHasEveryPageOnTheRightPaperWithItsText)
{
    const ReportTestDatabase database(wines(120));
    const QString out = QDir(qEnvironmentVariable("QV_TEST_OUTPUT_DIR", QDir::tempPath()))
                            .filePath(u"report-pdf"_s);
    QDir().mkpath(out);
    const QList<PaperCase> papers{
        {"a4-portrait", 11906, 16838, Orientation::Portrait, u"595 x 842 pts (A4)"_s},
        {"a4-landscape", 11906, 16838, Orientation::Landscape, u"842 x 595 pts (A4)"_s},
        {"letter-portrait", 12240, 15840, Orientation::Portrait, u"612 x 792 pts (letter)"_s},
        {"letter-landscape", 12240, 15840, Orientation::Landscape, u"792 x 612 pts (letter)"_s},
    };
    for (const PaperCase& paper : papers) {
        SCOPED_TRACE(paper.name);
        ListReport list(database);
        list.pageSettings().paperWidth = paper.width;
        list.pageSettings().paperHeight = paper.height;
        list.pageSettings().orientation = paper.orientation;
        const QString pdf = out + u"/"_s + QLatin1String(paper.name) + u".pdf"_s;
        QList<int> progress;
        QObject::connect(&list, &Report::exportProgress, &list,
                         [&progress](int page) { progress << page; });
        list.exportPdf(pdf);

        const int pages = list.pages().count();
        ASSERT_GE(pages, 2);
        EXPECT_EQ(progress.size(), pages);
        const QString info = toolOutput(u"pdfinfo"_s, {pdf});
        EXPECT_TRUE(info.contains(u"Pages:           %1"_s.arg(pages))) << info.toStdString();
        EXPECT_TRUE(info.contains(paper.pdfinfoSize)) << info.toStdString();

        const QString text = toolOutput(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        EXPECT_TRUE(text.contains(u"Wine number 1 "_s)) << text.left(2000).toStdString();
        EXPECT_TRUE(text.contains(u"Wine number 120"_s));
        for (int page = 1; page <= pages; ++page) {
            const QRegularExpression pageOfPages(
                u"Page\\s+%1\\s+of\\s+%2\\b"_s.arg(page).arg(pages));
            EXPECT_TRUE(text.contains(pageOfPages)) << page;
        }
        // The group header repeats on every page its group continues on.
        const QStringList pageTexts = text.split(u'\f');
        for (const QString& pageText : pageTexts) {
            if (pageText.contains(u"Wine number 120"_s)) {
                EXPECT_TRUE(pageText.contains(u"New Zealand"_s));
            }
        }
        toolOutput(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"60"_s, u"-f"_s, u"1"_s, u"-l"_s, u"2"_s,
                                   pdf, out + u"/"_s + QLatin1String(paper.name)});
    }
}

} // namespace
} // namespace report
