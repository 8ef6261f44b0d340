#pragma once

// The viewer printer's settings, kept per report in the registry below the application key
// ("Reports\PrintSettings\<report>"), every value a text of a small number (the device name a
// text of its own). What was stored is restored onto the printer with the report's own page as
// the default where nothing was stored, and saved back when the viewer closes.

#include <QString>

class cRegistry;

namespace report {
class Printer;
class Report;
} // namespace report

namespace lumesk {

// Restores `printer` (the viewer's, which prints `report`) from `key`: the device only when it
// still exists, and then its paper bin; the orientation (the printer's when the report's page
// leaves it to the printer); colour and paper size; the paper's height and width only for a
// user-defined paper (256); duplex unless -1 and quality unless 0. A stored text that is no
// small number raises vb::Error (13, or 6 past 32767) as VB's conversion does.
void RestorePrintSettings(cRegistry& registry, const QString& key, report::Printer& printer,
                          const report::Report& report);

// DeviceName, Orientation, ColorMode, PaperSize, Duplex, PaperBin, PrintQuality, PaperHeight
// and PaperWidth of `printer` as texts under `key`.
void SavePrintSettings(cRegistry& registry, const QString& key, const report::Printer& printer);

} // namespace lumesk
