#pragma once

// Paper sizes as the printer properties number them (DMPAPER numbers, 256 user-defined) and as
// Qt knows them (QPageSize), with their size in twips.

#include <QLocale>
#include <QPageSize>
#include <QSize>

namespace report {

inline constexpr int kUserDefinedPaper = 256;
inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperA4 = 9;

// The standard paper of a paper size number; an invalid QPageSize for 256 and unknown numbers.
QPageSize pageSizeOfPaper(int paperSize);
// The paper size number of `pageSize`: its DMPAPER number, or 256 when it has none.
int paperOfPageSize(const QPageSize& pageSize);
// The paper's width and height in twips, portrait (width <= height).
QSize portraitTwips(const QPageSize& pageSize);
// A paper of this size in twips (portrait or landscape, as given); Fuzzy takes the standard
// paper within a few points of it.
QPageSize pageSizeOfTwips(int widthTwips, int heightTwips,
                          QPageSize::SizeMatchPolicy match = QPageSize::ExactMatch);
// The paper a machine without printers uses: Letter in the United States and Canada, else A4.
int localePaperSize(const QLocale& locale);

} // namespace report
