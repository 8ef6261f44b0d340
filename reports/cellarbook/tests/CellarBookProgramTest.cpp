// quorvex report cellarbook --details as PDF on the prepared installation, read back by
// poppler: translated captions, the wines' notes, page N of M; the first pages are kept as
// pictures beside the test program for a look.

#include "CellarBookRuns.h"
#include "CellarBookTestInstallation.h"
#include "reports/tests/PdfReading.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace parvello::testing {
namespace {

using reports::testing::pdfText;

void savePictures(const QString& pdf, const QString& baseName, int lastPage)
{
    QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"70"_s, u"-png"_s, u"-f"_s, u"1"_s, u"-l"_s,
                                      QString::number(lastPage), pdf,
                                      QCoreApplication::applicationDirPath() + u'/' + baseName});
}

TEST(QuorvexProgram, WritesTheCellarBookWithDetailsAsPdf)
{
    installation(); // prepared and registered before the program looks for it
    const QTemporaryDir out;
    const QString pdf = out.filePath(u"cellarbook.pdf"_s);
    QProcess quorvex;
    quorvex.start(QStringLiteral(QV_QUORVEX), {u"report"_s, u"cellarbook"_s, u"--details"_s,
                                               u"--export"_s, u"pdf"_s, u"--out"_s, pdf});
    ASSERT_TRUE(quorvex.waitForFinished(180000));
    ASSERT_EQ(quorvex.exitCode(), 0) << quorvex.readAllStandardError().toStdString();

    const QString text = pdfText(pdf);
    EXPECT_FALSE(text.contains(u"d_"_s));
    for (const QString& caption : {u"Vintage:"_s, u"Location(s):"_s, u"Drinking window"_s,
                                   u"Tasting Note"_s, u"Store"_s, u"Varieties:"_s})
        EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
    EXPECT_TRUE(text.contains(u"The note of the wine with the wide key."_s));
    EXPECT_TRUE(text.contains(QRegularExpression(u"Page\\s+1\\s+of\\s+\\d+"_s)));
    savePictures(pdf, u"parvello_details"_s, 8);
}

TEST(QuorvexProgram, LandscapeAndPlainRunsArePicturedToo)
{
    // The in-process runs' PDFs, for a look at the layout on both papers.
    savePictures(bookRun(false).pdfFile, u"parvello_plain"_s, 2);
    savePictures(bookRun(false, report::Orientation::Landscape).pdfFile, u"parvello_landscape"_s,
                 2);
    EXPECT_FALSE(bookRun(false).pdfFile.isEmpty());
}

} // namespace
} // namespace parvello::testing
