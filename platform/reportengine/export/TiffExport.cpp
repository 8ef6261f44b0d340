// objTIFFExport: pages rendered to images and written as TIFF directories through libtiff.

#include "platform/reportengine/export/TiffExport.h"

#include "platform/reportengine/export/PartialFile.h"
#include "platform/reportengine/render/PageRenderer.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <QFile>
#include <QImage>
#include <tiffio.h>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// libtiff reports errors through a process-wide handler; the last message of this thread is
// kept to name the cause in the error raised.
thread_local QString t_lastTiffError;

void keepTiffError(const char* module, const char* format, va_list args)
{
    char buffer[512];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    t_lastTiffError = module ? QString::fromLocal8Bit(module) + u": "_s : QString();
    t_lastTiffError += QString::fromLocal8Bit(buffer);
}

void ignoreTiffWarning(const char*, const char*, va_list) {}

struct TiffCloser
{
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// The page as 8-bit grey when it has no colour (a third of the data to compress), else RGB.
QImage tiffImage(const QImage& rendered)
{
    return rendered.allGray() ? rendered.convertToFormat(QImage::Format_Grayscale8)
                              : rendered.convertToFormat(QImage::Format_RGB888);
}

bool writeDirectory(TIFF* tiff, const QImage& image, int pageIndex, int pageCount)
{
    const bool grey = image.format() == QImage::Format_Grayscale8;
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
    TIFFSetField(tiff, TIFFTAG_PAGENUMBER, static_cast<std::uint16_t>(pageIndex),
                 static_cast<std::uint16_t>(pageCount));
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, grey ? 1 : 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, 1);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(objTIFFExport::kDpi));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(objTIFFExport::kDpi));
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    TIFFSetField(tiff, TIFFTAG_SOFTWARE, "Quorvex report engine");
    for (std::uint32_t row = 0; row < height; ++row) {
        // libtiff takes a non-const buffer but does not change it (the predictor works on a
        // copy), so the image's own line is passed.
        auto* line = const_cast<uchar*>(image.constScanLine(static_cast<int>(row)));
        if (TIFFWriteScanline(tiff, line, row, 0) < 0)
            return false;
    }
    return TIFFWriteDirectory(tiff) != 0;
}

} // namespace

objTIFFExport::objTIFFExport(QObject* parent) : QObject(parent) {}

void objTIFFExport::exportDocument(const PageDocument& document, const Progress& progress)
{
    PartialFile file(fileName(), u"objTIFFExport"_s);
    TIFFSetErrorHandler(keepTiffError);
    TIFFSetWarningHandler(ignoreTiffWarning);
    t_lastTiffError.clear();
    TiffHandle tiff(TIFFOpen(QFile::encodeName(file.path()).constData(), "w"));
    if (!tiff)
        throw file.writeError(t_lastTiffError);
    const int count = document.count();
    for (int i = 0; i < count; ++i) {
        const QImage image = tiffImage(renderPageImage(document.page(i), document.images(), kDpi));
        if (!writeDirectory(tiff.get(), image, i, count))
            throw file.writeError(t_lastTiffError);
        if (progress)
            progress(i + 1);
    }
    // Only a file flushed whole may replace the target.
    if (TIFFFlush(tiff.get()) == 0)
        throw file.writeError(t_lastTiffError);
    tiff.reset();
    file.commit();
}

} // namespace report
