#pragma once

// Pages the page-stage tests draw and export: paper sizes and a page with every item kind.

#include "platform/reportengine/page/PageDocument.h"

namespace report::testing {

inline constexpr int kLetterWidth = 12240; // 8.5 x 11 inches
inline constexpr int kLetterHeight = 15840;
inline constexpr int kA4Width = 11906; // 210 x 297 mm
inline constexpr int kA4Height = 16838;

Page blankPage(int width = kLetterWidth, int height = kLetterHeight);
ShapeItem filledBox(const TwipRect& rect, QRgb fill);
TextItem textItem(const TwipRect& rect, const QStringList& lines, HAlign align = HAlign::Left);
// A solid colour picture of `width` x `height` pixels at 96 dots per inch.
QImage solidImage(int width, int height, QColor color);
// A Letter page with a shaded title band, text in every alignment, lines, shapes and a
// picture in each size mode; its picture is added to `images`.
Page samplePage(ImageStore& images);

} // namespace report::testing
