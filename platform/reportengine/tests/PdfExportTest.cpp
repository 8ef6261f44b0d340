// Tests of objPDFExport, read back with pdfinfo, pdftotext, pdffonts, pdfimages, pdftohtml and
// qpdf.

#include "platform/reportengine/export/PdfExport.h"

#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace report;
using namespace report::testing;

namespace {

class PdfExportTest : public ::testing::Test
{
protected:
    void SetUp() override { fillWineList(m_document, 3); }

    QString exportPdf(objPDFExport& filter, const QString& name = u"list.pdf"_s)
    {
        filter.setFileName(m_folder.filePath(name));
        m_pages.clear();
        filter.exportDocument(m_document, [this](int page) { m_pages.push_back(page); });
        return filter.fileName();
    }

    QTemporaryDir m_folder;
    PageDocument m_document;
    std::vector<int> m_pages;
};

QString infoField(const QString& info, const QString& field)
{
    const QRegularExpression line(u"^"_s + field + u": +(.*)$"_s,
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// The "size" column of pdfimages -list for every image of encoding `encoding`, in bytes.
std::vector<double> imageSizes(const QString& pdf, const QString& encoding)
{
    std::vector<double> sizes;
    const QStringList lines = toolOutput(u"pdfimages"_s, {u"-list"_s, pdf}).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList columns = line.simplified().split(u' ');
        if (columns.size() < 16 || columns[2] != u"image"_s)
            continue;
        EXPECT_EQ(columns[8], encoding) << line.toStdString();
        // "345B", "2.5K", "1.2M"
        const QString size = columns[14];
        const double factor = size.endsWith(u'K') ? 1024 : size.endsWith(u'M') ? 1048576 : 1;
        sizes.push_back(size.chopped(1).toDouble() * factor);
    }
    return sizes;
}

} // namespace

TEST_F(PdfExportTest, writesSelectableTextWithEmbeddedFontsAndNoExtras)
{
    objPDFExport filter;
    const QString pdf = exportPdf(filter);
    EXPECT_EQ(m_pages, (std::vector<int>{1, 2, 3}));

    const QString info = toolOutput(u"pdfinfo"_s, {pdf});
    EXPECT_EQ(infoField(info, u"Pages"_s), u"3"_s);
    EXPECT_EQ(infoField(info, u"Encrypted"_s), u"no"_s);
    const QString text = toolOutput(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    for (const QString& expected : {u"Wine list"_s, u"Château Margaux 1"_s, u"Ржавец Мавруд 4"_s,
                                    u"A & B Cellars <unknown> 3"_s, u"1,234.50"_s, u"Region 3.2"_s})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(u"Page +2 +of +3"_s)));

    // Every font is embedded (the "emb" column).
    const QStringList fonts = toolOutput(u"pdffonts"_s, {pdf}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(fonts.size(), 2);
    for (const QString& font : fonts.mid(2))
        EXPECT_TRUE(font.contains(QRegularExpression(u"\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+"_s)))
            << font.toStdString();

    const ToolResult check = runTool(u"qpdf"_s, {u"--check"_s, pdf});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
    const QString json = toolOutput(u"qpdf"_s, {u"--json"_s, u"--json-key=outlines"_s, pdf});
    EXPECT_TRUE(json.contains(u"\"outlines\": []"_s)) << json.toStdString();
    EXPECT_FALSE(
        toolOutput(u"qpdf"_s, {u"--show-object=trailer"_s, u"--filtered-stream-data"_s, pdf})
            .contains(u"/Encrypt"_s));
    // Nothing but the PDF is left in the folder.
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"list.pdf"_s});
}

TEST_F(PdfExportTest, tableOfContentsBecomesNestedBookmarksShownOnOpening)
{
    objPDFExport filter;
    filter.setProperty("OutputTOCAsBookmarks", true);
    filter.setProperty("ShowBookmarksInAcrobat", true);
    const QString pdf = exportPdf(filter);

    // pdftohtml lists the outline with the page each item leads to.
    const QString xml = toolOutput(u"pdftohtml"_s, {u"-xml"_s, u"-i"_s, u"-stdout"_s, pdf});
    const QRegularExpression item(u"<item page=\"(\\d+)\">([^<]*)</item>"_s);
    QStringList items;
    for (auto match = item.globalMatch(xml); match.hasNext();) {
        const auto next = match.next();
        items << next.captured(2) + u"@"_s + next.captured(1);
    }
    EXPECT_EQ(items, (QStringList{u"Country 1@1"_s, u"Region 1.1@1"_s, u"Region 1.2@1"_s,
                                  u"Country 2@2"_s, u"Region 2.1@2"_s, u"Region 2.2@2"_s,
                                  u"Country 3@3"_s, u"Region 3.1@3"_s, u"Region 3.2@3"_s}));
    // Regions nest inside their country.
    EXPECT_TRUE(xml.contains(
        QRegularExpression(u"Country 1</item>\\s*<outline>\\s*<item page=\"1\">Region 1.1"_s)));
    const QString root = toolOutput(u"qpdf"_s, {u"--show-object=trailer"_s, pdf});
    const QString catalog =
        toolOutput(u"qpdf"_s, {u"--show-object="_s + QRegularExpression(u"/Root (\\d+ \\d+) R"_s)
                                                         .match(root)
                                                         .captured(1)
                                                         .replace(u' ', u','),
                               pdf});
    EXPECT_TRUE(catalog.contains(u"/PageMode /UseOutlines"_s)) << catalog.toStdString();
    EXPECT_EQ(runTool(u"qpdf"_s, {u"--check"_s, pdf}).exitCode, 0);
}

TEST_F(PdfExportTest, passwordsAndPermissionsEncryptWithAes)
{
    objPDFExport filter;
    filter.setProperty("UserPassword", u"wine"_s);
    filter.setProperty("OwnerPassword", u"cellar"_s);
    filter.setProperty("Permissions", objPDFExport::kAllowPrint);
    const QString pdf = exportPdf(filter);

    EXPECT_NE(runTool(u"pdfinfo"_s, {pdf}).exitCode, 0) << "opens without the password";
    const QString info = toolOutput(u"pdfinfo"_s, {u"-upw"_s, u"wine"_s, pdf});
    EXPECT_EQ(infoField(info, u"Pages"_s), u"3"_s);
    EXPECT_TRUE(infoField(info, u"Encrypted"_s).startsWith(u"yes"_s));
    EXPECT_TRUE(toolOutput(u"pdftotext"_s, {u"-opw"_s, u"cellar"_s, pdf, u"-"_s})
                    .contains(u"Grüner Veltliner"_s));

    const QString asUser =
        toolOutput(u"qpdf"_s, {u"--show-encryption"_s, u"--password=wine"_s, pdf});
    EXPECT_TRUE(asUser.contains(u"R = 6"_s)) << asUser.toStdString();
    EXPECT_TRUE(asUser.contains(u"print high resolution: allowed"_s));
    EXPECT_TRUE(asUser.contains(u"extract for any purpose: not allowed"_s));
    EXPECT_TRUE(asUser.contains(u"modify annotations: not allowed"_s));
    EXPECT_TRUE(asUser.contains(u"modify other: not allowed"_s));
    EXPECT_TRUE(asUser.contains(u"AESv3"_s));
    const QString asOwner =
        toolOutput(u"qpdf"_s, {u"--show-encryption"_s, u"--password=cellar"_s, pdf});
    EXPECT_TRUE(asOwner.contains(u"Supplied password is owner password"_s))
        << asOwner.toStdString();
    EXPECT_EQ(runTool(u"qpdf"_s, {u"--check"_s, u"--password=wine"_s, pdf}).exitCode, 0);
}

TEST_F(PdfExportTest, withheldPermissionsAloneEncryptAFileThatOpensWithoutPassword)
{
    objPDFExport filter;
    filter.setPermissions(objPDFExport::kAllowModify | objPDFExport::kAllowPrint);
    const QString pdf = exportPdf(filter);
    const QString shown = toolOutput(u"qpdf"_s, {u"--show-encryption"_s, pdf});
    EXPECT_TRUE(shown.contains(u"extract for any purpose: not allowed"_s)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(u"modify other: allowed"_s));
    EXPECT_TRUE(shown.contains(u"print high resolution: allowed"_s));
    EXPECT_FALSE(shown.contains(u"owner password"_s)) << "the empty password must not own it";

    objPDFExport onlyCopy;
    onlyCopy.setPermissions(objPDFExport::kAllowCopy);
    const QString copyOnly =
        toolOutput(u"qpdf"_s, {u"--show-encryption"_s, exportPdf(onlyCopy, u"copy.pdf"_s)});
    EXPECT_TRUE(copyOnly.contains(u"print high resolution: not allowed"_s));
    EXPECT_TRUE(copyOnly.contains(u"extract for any purpose: allowed"_s));
    EXPECT_TRUE(copyOnly.contains(u"modify annotations: not allowed"_s));
}

TEST_F(PdfExportTest, picturesAreJpegAtTheChosenQuality)
{
    objPDFExport low;
    low.setJpgQuality(10);
    const std::vector<double> lowSizes = imageSizes(exportPdf(low, u"low.pdf"_s), u"jpeg"_s);
    objPDFExport high;
    high.setJpgQuality(95);
    const std::vector<double> highSizes = imageSizes(exportPdf(high, u"high.pdf"_s), u"jpeg"_s);
    ASSERT_EQ(lowSizes.size(), 1u);
    ASSERT_EQ(highSizes.size(), 1u);
    EXPECT_LT(lowSizes[0] * 2, highSizes[0]);
}

TEST_F(PdfExportTest, aFolderThatDoesNotExistFailsNamingTheFile)
{
    objPDFExport filter;
    filter.setFileName(m_folder.filePath(u"missing/list.pdf"_s));
    try {
        filter.exportDocument(m_document, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::PathNotFound);
        EXPECT_TRUE(error.description().contains(u"list.pdf"_s));
    }
}

TEST_F(PdfExportTest, aFailedExportKeepsThePreviousFileAndLeavesNoPartialOne)
{
    objPDFExport filter;
    const QString pdf = exportPdf(filter);
    const QByteArray before = [&] {
        QFile file(pdf);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    // A progress handler that gives up half way, as an interrupted export does.
    filter.setUserPassword(u"x"_s);
    EXPECT_THROW(filter.exportDocument(m_document,
                                       [](int page) {
                                           if (page == 2)
                                               throw vb::Error(18, u"Interrupted"_s);
                                       }),
                 vb::Error);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"list.pdf"_s});
}

TEST_F(PdfExportTest, aFullDiskFailsTheExportNamingTheFileAndKeepsThePreviousOne)
{
    objPDFExport filter;
    const QString pdf = exportPdf(filter);
    const qint64 before = QFileInfo(pdf).size();
    filter.setUserPassword(u"x"_s);
    bool failed = false;
    {
        const DiskFullAfter full(2000);
        try {
            filter.exportDocument(m_document, {});
        } catch (const vb::Error& error) {
            failed = error.description().contains(QDir::toNativeSeparators(pdf));
        }
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(QFileInfo(pdf).size(), before);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"list.pdf"_s});
}
