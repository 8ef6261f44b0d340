// PaperBins: DMBIN numbers, CUPS InputSlot names and Qt's paper sources.

#include "platform/reportengine/print/PaperBins.h"

#include <array>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace report {

namespace {

struct BinNames
{
    int bin;
    QPrinter::PaperSource source;
    std::array<QLatin1StringView, 3> names; // PPD names first, then those CUPS makes from IPP
};

// Unused name slots are empty.
const std::array<BinNames, 13> kBins{{
    {1, QPrinter::Upper, {"Upper"_L1, "Top"_L1, "OnlyOne"_L1}},
    {2, QPrinter::Lower, {"Lower"_L1, "Bottom"_L1, {}}},
    {3, QPrinter::Middle, {"Middle"_L1, {}, {}}},
    {4, QPrinter::Manual, {"Manual"_L1, "ManualFeed"_L1, "ByPassTray"_L1}},
    {5, QPrinter::Envelope, {"Envelope"_L1, {}, {}}},
    {6, QPrinter::EnvelopeManual, {"EnvelopeManual"_L1, "EnvManual"_L1, {}}},
    {7, QPrinter::Auto, {}},
    {8, QPrinter::Tractor, {"Tractor"_L1, {}, {}}},
    {9, QPrinter::SmallFormat, {"AnySmallFormat"_L1, "SmallFormat"_L1, {}}},
    {10, QPrinter::LargeFormat, {"AnyLargeFormat"_L1, "LargeFormat"_L1, {}}},
    {11, QPrinter::LargeCapacity, {"LargeCapacity"_L1, {}, {}}},
    {14, QPrinter::Cassette, {"Cassette"_L1, "Main"_L1, {}}},
    {15, QPrinter::FormSource, {"FormSource"_L1, {}, {}}},
}};

const BinNames* findBin(int paperBin)
{
    for (const BinNames& entry : kBins)
        if (entry.bin == paperBin)
            return &entry;
    return nullptr;
}

} // namespace

QStringList inputSlotNames(int paperBin)
{
    QStringList names;
    if (paperBin >= kFirstDriverPaperBin) {
        // The driver's own bins are its numbered trays.
        names << u"Tray%1"_s.arg(paperBin - kFirstDriverPaperBin + 1);
        return names;
    }
    if (const BinNames* entry = findBin(paperBin))
        for (QLatin1StringView name : entry->names)
            if (!name.isEmpty())
                names << QString(name);
    return names;
}

QString inputSlotChoice(int paperBin, const QStringList& offered)
{
    for (const QString& name : inputSlotNames(paperBin))
        for (const QString& choice : offered)
            if (choice.compare(name, Qt::CaseInsensitive) == 0)
                return choice;
    return {};
}

int paperBinOfInputSlot(const QString& choice)
{
    if (choice.isEmpty())
        return 0;
    if (choice.compare(u"Auto"_s, Qt::CaseInsensitive) == 0)
        return kPaperBinAuto;
    for (const BinNames& entry : kBins)
        if (!inputSlotChoice(entry.bin, {choice}).isEmpty())
            return entry.bin;
    static const QRegularExpression kTray(u"^Tray(\\d+)$"_s,
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch tray = kTray.match(choice);
    const int number = tray.hasMatch() ? tray.captured(1).toInt() : 0;
    return number > 0 ? kFirstDriverPaperBin + number - 1 : 0;
}

QPrinter::PaperSource paperSourceOfBin(int paperBin)
{
    if (paperBin >= kFirstDriverPaperBin)
        return QPrinter::CustomSource;
    const BinNames* entry = findBin(paperBin);
    return entry ? entry->source : QPrinter::Auto;
}

int paperBinOfSource(QPrinter::PaperSource source)
{
    for (const BinNames& entry : kBins)
        if (entry.source == source)
            return entry.bin;
    return kPaperBinAuto;
}

} // namespace report
