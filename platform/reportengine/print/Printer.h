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

#include <QPageSize>
#include <QSize>
#include <QString>
#include <QStringList>

class QPrinter;
class QPrinterInfo;
class QWidget;

namespace report {

class Printer
{
public:
    // The object name of the set-up dialog, for scripts that work it.
    static constexpr char kSetupDialogName[] = "printerSetupDialog";

    Printer(); // the default device and its default paper, or Letter/A4 from the locale

    QStringList deviceNames() const;
    int deviceCount() const;
    QString deviceName() const { return m_deviceName; }
    // An unknown name is refused (returns false, nothing changes); "" selects no device. The
    // paper and print settings stay as they are (the caller restores them after the device).
    bool setDeviceName(const QString& name);

    // Values outside a property's range are ignored (the property keeps its value): the
    // viewer restores settings from the registry, where -1 stands for "not set".

    int orientation() const noexcept { return m_orientation; }
    void setOrientation(int orientation);
    int colorMode() const noexcept { return m_colorMode; }
    void setColorMode(int mode);
    int paperSize() const noexcept { return m_paperSize; }
    void setPaperSize(int paperSize);
    // Paper width and height in twips as oriented: landscape swaps them.
    int paperWidth() const;
    int paperHeight() const;
    // Sets the user-defined paper's size, used when PaperSize is 256; in twips as oriented,
    // like the getters, so that a stored width and height restore the same paper.
    void setPaperWidth(int twips);
    void setPaperHeight(int twips);
    // The paper as Qt knows it (portrait), also for PaperSize 256.
    QPageSize pageSize() const;
    int duplex() const noexcept { return m_duplex; }
    void setDuplex(int duplex);
    int printQuality() const noexcept { return m_printQuality; }
    void setPrintQuality(int quality);
    int paperBin() const noexcept { return m_paperBin; }
    void setPaperBin(int bin);

    // Puts these settings into `printer` (device, page size and orientation, colour, duplex,
    // resolution, paper source). Without a device the printer's own device or PDF output
    // stays as it is; the paper and print settings are set all the same.
    void configure(QPrinter& printer) const;
    // Takes the settings a print or set-up dialog left in `printer` (the device only when it
    // prints to a device, not to a file).
    void takeFrom(const QPrinter& printer);
    // The printer set-up dialog (device, paper, colour, duplex; through the shell seam); false
    // when cancelled, and then nothing changes.
    bool setupDialog(QWidget* parent);

private:
    void takeDeviceDefaults(const QPrinterInfo& device);
    void setPaper(const QPageSize& pageSize);
    QSize portraitPaper() const;

    QString m_deviceName;
    int m_orientation = 1;
    int m_colorMode = 2;
    int m_paperSize = 9;
    int m_userPaperWidth = 11906; // A4 portrait, twips
    int m_userPaperHeight = 16838;
    int m_duplex = 1;
    int m_printQuality = 0;
    int m_paperBin = 7;
};

} // namespace report
