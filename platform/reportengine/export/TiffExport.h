#pragma once

// objTIFFExport: the pages as one multi-page TIFF, one image file directory per page.
//
// Each page is rendered at 200 dpi, as 8-bit grey when it has no colour and as 24-bit RGB
// otherwise, and stored with Deflate compression and the horizontal predictor: lossless, so
// thin lines, small text and the light row shading of the reports survive (a 1-bit fax
// encoding would dither the shading away); a letter page takes about 100-300 KB. Every
// directory is marked as a page with its number and the page count.

#include "platform/reportengine/export/ExportFilter.h"

#include <QObject>

namespace report {

class objTIFFExport : public QObject, public ExportFilter
{
    Q_OBJECT

public:
    static constexpr int kDpi = 200;

    explicit objTIFFExport(QObject* parent = nullptr);

    void exportDocument(const PageDocument& document, const Progress& progress) override;
};

} // namespace report
