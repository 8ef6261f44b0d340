#pragma once

// The page a report is designed for: paper size, orientation and margins, in twips. An
// orientation of -1 ("default") takes the printer's; the paper size 0 takes the printer's.

namespace report {

enum class Orientation
{
    Default = -1,
    Portrait = 1,
    Landscape = 2,
};

struct PageSettings
{
    Orientation orientation = Orientation::Default;
    int paperWidth = 0; // twips, as designed (portrait); 0 takes the printer's
    int paperHeight = 0;
    int leftMargin = 1440;
    int rightMargin = 1440;
    int topMargin = 1440;
    int bottomMargin = 1440;
};

} // namespace report
