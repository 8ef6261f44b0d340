// A report generated from a database, exported by the PDF, Excel and TIFF filters and read back
// by poppler, qpdf, xlrd and tiffinfo: group headers as bookmarks, prices as number cells,
// one TIFF page per generated page.

#include "ListReport.h"
#include "platform/reportengine/export/ExcelExport.h"
#include "platform/reportengine/export/PdfExport.h"
#include "platform/reportengine/export/TiffExport.h"
#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/tests/ExportReaders.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using report::testing::ListReport;
using report::testing::ReportTestDatabase;
using report::testing::TestWine;

namespace report {
namespace {

// Three countries, one with "&" in its name, wines with "<", Cyrillic and Greek names: enough
// rows for several pages.
QList<TestWine> cellar()
{
    const QStringList countries{u"Bosnia & Herzegovina"_s, u"Greece"_s, u"Russia"_s};
    const QStringList names{u"Žilavka <barrel>"_s, u"Ρετσίνα"_s, u"Цимлянское"_s};
    QList<TestWine> wines;
    for (int i = 1; i <= 150; ++i) {
        const int group = (i - 1) / 50;
        wines.append(
            {i, countries[group], u"%1 %2"_s.arg(names[group]).arg(i), 1000 + i * 1.25, {}});
    }
    return wines;
}

class GeneratedReportExportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_database = std::make_unique<ReportTestDatabase>(cellar());
        s_report = std::make_unique<ListReport>(*s_database);
        s_report->run();
    }
    static void TearDownTestSuite()
    {
        s_report.reset();
        s_database.reset();
    }

    // The page (1-based) each country's header first appears on, from the PDF's text.
    static QMap<QString, int> firstPages(const QString& pdf)
    {
        const QStringList pages = testing::toolOutput(u"pdftotext"_s, {pdf, u"-"_s}).split(u'\f');
        QMap<QString, int> first;
        for (int page = 0; page < pages.size(); ++page)
            for (const QString& country : {u"Bosnia & Herzegovina"_s, u"Greece"_s, u"Russia"_s})
                if (pages[page].contains(country) && !first.contains(country))
                    first.insert(country, page + 1);
        return first;
    }

    static inline std::unique_ptr<ReportTestDatabase> s_database;
    static inline std::unique_ptr<ListReport> s_report;
    QTemporaryDir m_folder;
};

TEST_F(GeneratedReportExportTest, pdfBookmarksLeadToTheGroupsAndTheFileIsProtected)
{
    const int pages = s_report->pages().count();
    ASSERT_GE(pages, 3);
    objPDFExport filter;
    filter.setOutputTocAsBookmarks(true);
    filter.setShowBookmarksInAcrobat(true);
    filter.setOwnerPassword(u"cellar"_s);
    filter.setPermissions(objPDFExport::kAllowPrint | objPDFExport::kAllowCopy);
    filter.setFileName(m_folder.filePath(u"report.pdf"_s));
    QList<int> progress;
    const QObject listening; // disconnects when the test ends
    QObject::connect(s_report.get(), &Report::exportProgress, &listening,
                     [&progress](int page) { progress << page; });
    s_report->exportReport(filter);
    EXPECT_EQ(progress.size(), pages);

    const QString pdf = filter.fileName();
    const QString xml =
        testing::toolOutput(u"pdftohtml"_s, {u"-xml"_s, u"-i"_s, u"-stdout"_s, pdf});
    const QRegularExpression item(u"<item page=\"(\\d+)\">([^<]*)</item>"_s);
    QMap<QString, int> bookmarks;
    for (auto match = item.globalMatch(xml); match.hasNext();) {
        const auto next = match.next();
        bookmarks.insert(next.captured(2).replace(u"&amp;"_s, u"&"_s), next.captured(1).toInt());
    }
    EXPECT_EQ(bookmarks, firstPages(pdf));
    EXPECT_EQ(bookmarks.size(), 3);

    const QString shown = testing::toolOutput(u"qpdf"_s, {u"--show-encryption"_s, pdf});
    EXPECT_TRUE(shown.contains(u"modify other: not allowed"_s)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(u"extract for any purpose: allowed"_s));
    EXPECT_TRUE(testing::toolOutput(u"pdftotext"_s, {pdf, u"-"_s}).contains(u"Цимлянское 150"_s));
}

TEST_F(GeneratedReportExportTest, excelHasTheWinesAsTextAndThePricesAsNumbers)
{
    for (const int version : {4, 8}) {
        objExcelExport filter;
        filter.setVersion(version);
        filter.setFileName(m_folder.filePath(u"report%1.xls"_s.arg(version)));
        s_report->exportReport(filter);
        const QJsonObject book =
            QJsonDocument::fromJson(
                testing::toolOutput(
                    u"/usr/bin/python3"_s,
                    {testing::testScriptFolder() + u"/read_xls.py"_s, filter.fileName()})
                    .toUtf8())
                .object();
        const QJsonArray cells = book[u"sheets"_s][0][u"cells"_s].toArray();
        QStringList textCells;
        QList<double> prices;
        for (const QJsonValue cell : cells) {
            if (cell[u"type"_s] == u"text"_s)
                textCells << cell[u"value"_s].toString();
            else if (cell[u"format"_s] == u"#,##0.00"_s)
                prices << cell[u"value"_s].toDouble();
        }
        EXPECT_TRUE(textCells.contains(u"Bosnia & Herzegovina"_s)) << version;
        EXPECT_TRUE(textCells.contains(u"Žilavka <barrel> 1"_s)) << version;
        EXPECT_TRUE(textCells.contains(version == 8 ? u"Ρετσίνα 51"_s : u"??????? 51"_s));
        ASSERT_EQ(prices.size(), 150) << version;
        EXPECT_EQ(prices.front(), 1001.25);
        EXPECT_EQ(prices.back(), 1187.5);
    }
}

TEST_F(GeneratedReportExportTest, tiffHasEveryGeneratedPage)
{
    objTIFFExport filter;
    filter.setFileName(m_folder.filePath(u"report.tif"_s));
    s_report->exportReport(filter);
    const QString info = testing::toolOutput(u"tiffinfo"_s, {filter.fileName()});
    EXPECT_EQ(info.count(u"TIFF Directory"_s), s_report->pages().count());
    EXPECT_TRUE(info.contains(u"Page Number: 0-%1"_s.arg(s_report->pages().count())));
}

} // namespace
} // namespace report
