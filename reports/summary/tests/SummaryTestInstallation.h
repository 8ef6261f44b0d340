#pragma once

// The cellar summary tests' installation: the report tests' sample cellar; the PDF text and page
// pictures of exported reports, read by poppler's tools.

#include "host/HostFiles.h"
#include "reports/tests/PdfReading.h"

#include <QString>

namespace feldrake::testing {

host::HostFiles installationFiles();

using reports::testing::pdfText;

// The first page as <build tests folder>/<baseName>-1.png, for a look.
inline void savePagePicture(const QString& pdfFile, const QString& baseName)
{
    reports::testing::savePagePictures(pdfFile, baseName, 1);
}

} // namespace feldrake::testing
