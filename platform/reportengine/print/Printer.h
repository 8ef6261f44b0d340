#pragma once

// The printer of a report or of the preview: which device, which paper and how to print, with
// the property values the report engine's callers store and restore (all small integers, as
// the Windows printer settings they stand for):
//   Orientation   1 portrait, 2 landscape
//   ColorMode     1 monochrome, 2 colour
//   PaperSize     1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5, ... (DMPAPER numbers); 256 user-defined,
//                 with PaperWidth and PaperHeight in twips
//   Duplex        1 simplex, 2 long edge ("vertical"), 3 short edge ("horizontal")
//   PrintQuality  -1 draft, -2 low, -3 medium, -4 high, or dots per inch; 0 the device's
//   PaperBin      DMBIN numbers, 7 automatic; passed to CUPS as the media source where it has one
// Devices are the CUPS queues of the machine (QPrinterInfo). A machine without printers, or
// without a CUPS server, has no devices and an empty DeviceName, and reports still generate,
// preview and export on the paper set here.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace report {

class Printer
{
public:
    Printer(); // the default device and its default paper, or Letter/A4 from the locale

    QStringList deviceNames() const;
    int deviceCount() const;
    QString deviceName() const { return m_deviceName; }
    // An unknown name is refused (returns false, nothing changes); "" selects no device.
    bool setDeviceName(const QString& name);

    int orientation() const noexcept { return m_orientation; }
    void setOrientation(int orientation);
    int colorMode() const noexcept { return m_colorMode; }
    void setColorMode(int mode);
    int paperSize() const noexcept { return m_paperSize; }
    void setPaperSize(int paperSize);
    // Paper width and height in twips as oriented: landscape swaps them.
    int paperWidth() const;
    int paperHeight() const;
    // Sets the user-defined paper's size (portrait twips); used when PaperSize is 256.
    void setPaperWidth(int twips);
    void setPaperHeight(int twips);
    int duplex() const noexcept { return m_duplex; }
    void setDuplex(int duplex);
    int printQuality() const noexcept { return m_printQuality; }
    void setPrintQuality(int quality);
    int paperBin() const noexcept { return m_paperBin; }
    void setPaperBin(int bin);

    // Puts these settings into `printer` (device, page size and orientation, colour, duplex,
    // resolution). Without a device, a QPrinter writing PDF to nowhere is left untouched.
    void configure(QPrinter& printer) const;
    // Takes the settings a print or set-up dialog left in `printer`.
    void takeFrom(const QPrinter& printer);
    // The printer set-up dialog (through the shell seam); false when cancelled.
    bool setupDialog(QWidget* parent);

private:
    QString m_deviceName;
    int m_orientation = 1;
    int m_colorMode = 2;
    int m_paperSize = 9;
    int m_userPaperWidth = 11906;  // A4 portrait, twips
    int m_userPaperHeight = 16838;
    int m_duplex = 1;
    int m_printQuality = 0;
    int m_paperBin = 7;
};

} // namespace report
