#pragma once

// Paper bins as the printer properties number them (DMBIN numbers: 1 upper, 2 lower, 3 middle,
// 4 manual, 5 envelope, 6 envelope manual, 7 automatic, 8 tractor, 9 small format, 10 large
// format, 11 large capacity, 14 cassette, 15 form source, 256 and up the driver's own) and as
// CUPS queues name their paper sources (the InputSlot choices of the queue's driver).

#include <QPrinter>
#include <QStringList>

namespace report {

inline constexpr int kPaperBinAuto = 7;
inline constexpr int kFirstDriverPaperBin = 256;

// The InputSlot choice names a driver may use for `paperBin`, most common first; empty for the
// automatic bin (nothing to ask for) and for numbers no driver names.
QStringList inputSlotNames(int paperBin);
// The bin among `offered` (a queue's InputSlot choices) that `paperBin` asks for; empty when the
// queue has none of its names.
QString inputSlotChoice(int paperBin, const QStringList& offered);

// The bin an InputSlot choice stands for; 0 for choices that name no bin.
int paperBinOfInputSlot(const QString& choice);

// Qt's paper source for a bin and back (Qt keeps it but its CUPS printing does not use it).
QPrinter::PaperSource paperSourceOfBin(int paperBin);
int paperBinOfSource(QPrinter::PaperSource source);

} // namespace report
