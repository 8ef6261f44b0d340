// Tests of objTIFFExport, read back with tiffinfo and compared with poppler's rendering of the
// PDF export of the same pages.

#include "platform/reportengine/export/TiffExport.h"

#include "platform/reportengine/export/PdfExport.h"
#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <memory>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <tiffio.h>

using namespace Qt::StringLiterals;
using namespace report;
using namespace report::testing;

namespace {

// Directory `index` of a TIFF as an image, read with libtiff's RGBA reader.
QImage tiffPage(const QString& path, int index)
{
    const std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(
        TIFFOpen(QFile::encodeName(path).constData(), "r"), TIFFClose);
    if (!tiff || !TIFFSetDirectory(tiff.get(), static_cast<tdir_t>(index)))
        return {};
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGBA8888);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height,
                                   reinterpret_cast<std::uint32_t*>(image.bits()),
                                   ORIENTATION_TOPLEFT, 0))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

// Mean absolute difference per channel, 0-255.
double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

TEST(TiffExport, writesOnePageDirectoryPerPageAtTheStatedResolutionAndCompression)
{
    const QTemporaryDir folder;
    PageDocument document;
    fillWineList(document, 3);
    objTIFFExport filter;
    filter.setFileName(folder.filePath(u"list.tif"_s));
    std::vector<int> pages;
    filter.exportDocument(document, [&](int page) { pages.push_back(page); });
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3}));

    const QString info = toolOutput(u"tiffinfo"_s, {filter.fileName()});
    EXPECT_EQ(info.count(u"TIFF Directory"_s), 3);
    EXPECT_EQ(info.count(u"Image Width: 1700 Image Length: 2200"_s), 3);
    EXPECT_EQ(info.count(u"Resolution: 200, 200 pixels/inch"_s), 3);
    EXPECT_EQ(info.count(u"Compression Scheme: AdobeDeflate"_s), 3);
    EXPECT_EQ(info.count(u"Bits/Sample: 8"_s), 3);
    EXPECT_TRUE(info.contains(u"Page Number: 1-3"_s)) << info.toStdString();
    EXPECT_EQ(info.count(u"Subfile Type: multi-page document"_s), 3);
}

TEST(TiffExport, aPageLooksLikeThePdfRenderingOfItWithItsShading)
{
    const QTemporaryDir folder;
    PageDocument document;
    fillWineList(document, 2);
    objTIFFExport tiff;
    tiff.setFileName(folder.filePath(u"list.tif"_s));
    tiff.exportDocument(document, {});
    objPDFExport pdf;
    pdf.setFileName(folder.filePath(u"list.pdf"_s));
    pdf.exportDocument(document, {});
    toolOutput(u"pdftoppm"_s,
               {u"-r"_s, u"200"_s, u"-png"_s, pdf.fileName(), folder.filePath(u"pdf"_s)});

    // Page 1 has a colour picture (an RGB directory), page 2 none (a grey one).
    QImage fromTiff;
    for (int page = 1; page <= 2; ++page) {
        fromTiff = tiffPage(tiff.fileName(), page - 1);
        const QImage fromPdf = QImage(folder.filePath(u"pdf-%1.png"_s.arg(page)))
                                   .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(fromTiff.isNull());
        ASSERT_EQ(fromTiff.size(), fromPdf.size());
        const QString out = QCoreApplication::applicationDirPath();
        fromTiff.save(out + u"/tiff-export-page-%1.png"_s.arg(page));
        fromPdf.save(out + u"/tiff-export-pdf-page-%1.png"_s.arg(page));
        // Anti-aliasing differs between the two rasterisers; the drawing must not.
        EXPECT_LT(meanDifference(fromTiff, fromPdf), 2.0) << page;
    }
    EXPECT_TRUE(toolOutput(u"tiffinfo"_s, {tiff.fileName()}).contains(u"min-is-black"_s));

    // The second detail row of the page is shaded light grey, left of its text.
    const int shadedY = (3400 + 400 + 300 + 300 + 100) * 200 / 1440;
    const QRgb shade = fromTiff.pixel(760 * 200 / 1440, shadedY);
    EXPECT_EQ(qGray(shade), 0xe4) << std::hex << shade;
    EXPECT_EQ(qGray(fromTiff.pixel(760 * 200 / 1440, shadedY - 300 * 200 / 1440)), 0xff);
}

TEST(TiffExport, aFullDiskFailsTheExportNamingTheFileAndLeavesNoFile)
{
    const QTemporaryDir folder;
    PageDocument document;
    fillWineList(document, 2);
    objTIFFExport filter;
    filter.setFileName(folder.filePath(u"list.tif"_s));
    bool failed = false;
    {
        const DiskFullAfter full(100000);
        try {
            filter.exportDocument(document, {});
        } catch (const vb::Error& error) {
            failed = error.description().contains(QDir::toNativeSeparators(filter.fileName()));
        }
    }
    EXPECT_TRUE(failed);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
