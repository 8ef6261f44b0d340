#pragma once

// Pictures of a PDF recompressed as JPEG at a chosen quality: every 8-bit RGB or grey image
// XObject (masks stay lossless, since JPEG would blur their edges).

class QPDF;

namespace report {

// `quality` in percent (0-100). Returns the number of images recompressed.
int recompressPdfImages(QPDF& pdf, int quality);

} // namespace report
