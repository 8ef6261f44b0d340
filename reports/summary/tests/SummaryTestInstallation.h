#pragma once

// The cellar summary tests' installation: the sample installation at the current database
// versions, registered, made once for the test program; the PDF text and page pictures of
// exported reports, read by poppler's tools.

#include "host/HostFiles.h"

#include <QString>

namespace feldrake::testing {

host::HostFiles installationFiles();

// pdftotext -layout of the file.
QString pdfText(const QString& pdfFile);
// The first page as <build tests folder>/<baseName>-1.png, for a look.
void savePagePicture(const QString& pdfFile, const QString& baseName);

} // namespace feldrake::testing
