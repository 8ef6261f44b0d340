// PdfOutput: pages painted by the renderer into a QPdfWriter, committed when complete.

#include "platform/reportengine/render/PdfOutput.h"

#include "platform/reportengine/render/PageRenderer.h"
#include "platform/vb/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// Fine enough that positions in twips keep their precision on the PDF's own grid.
constexpr int kPdfResolution = 1200;
constexpr double kPointsPerTwip = 1.0 / kTwipsPerPoint;

// The page's paper as a QPageLayout: a standard size where the paper is one (so viewers and
// printers name it), landscape when wider than tall, no margins.
QPageLayout paperLayout(const Page& page)
{
    const double width = page.paperWidth * kPointsPerTwip;
    const double height = page.paperHeight * kPointsPerTwip;
    const bool landscape = width > height;
    const QPageSize size(QSizeF(qMin(width, height), qMax(width, height)), QPageSize::Point,
                         QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

vb::Error writeError(const QString& fileName, const QString& reason)
{
    return vb::Error(vb::ErrorNumber::PathFileAccessError,
                     u"The PDF file %1 cannot be written: %2. Check that its folder exists, that "
                     "you may write there, that the disk is not full and that the file is not "
                     "open in another program."_s.arg(QDir::toNativeSeparators(fileName), reason),
                     u"report"_s);
}

} // namespace

void writePdf(const PageDocument& document, const QString& fileName,
              const std::function<void(int)>& progress)
{
    // Declared in this order so that on an error the painter ends, then the unfinished file
    // is discarded by the QSaveFile.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw writeError(fileName, file.errorString());
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setTitle(QFileInfo(fileName).completeBaseName());
    writer.setCreator(u"Quorvex report engine"_s);
    const int count = document.count();
    writer.setPageLayout(count > 0 ? paperLayout(document.page(0)) : QPageLayout());
    QPainter painter;
    if (!painter.begin(&writer))
        throw writeError(fileName, u"the PDF writer could not start"_s);
    // Pictures go in as they are; the PDF filter compresses them at the quality the user chose.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const double scale = double(kPdfResolution) / kTwipsPerInch;
    for (int i = 0; i < count; ++i) {
        const Page page = document.page(i);
        if (i > 0) {
            writer.setPageLayout(paperLayout(page));
            writer.newPage();
        }
        renderPage(painter, page, document.images(),
                   QRectF(0, 0, page.paperWidth * scale, page.paperHeight * scale));
        if (progress)
            progress(i + 1);
    }
    painter.end();
    if (!file.commit())
        throw writeError(fileName, file.errorString());
}

} // namespace report
