// Printer: the print settings of a report mapped onto QPrinterInfo/QPrinter (CUPS queues).

#include "platform/reportengine/print/Printer.h"

#include "platform/reportengine/print/PaperBins.h"
#include "platform/reportengine/print/PaperSizes.h"
#include "platform/shell/Shell.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <utility>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kPortrait = 1;
constexpr int kLandscape = 2;
constexpr int kMonochrome = 1;
constexpr int kColour = 2;
constexpr int kSimplex = 1;
constexpr int kDuplexLongEdge = 2;
constexpr int kDuplexShortEdge = 3;
constexpr int kHighestQualityLevel = -4;

// The job options the print dialog's driver settings leave in Qt's CUPS print engine
// (the CUPS plugin's PPK_CupsOptions: name, value, name, value, ...).
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QPrinterInfo defaultDevice()
{
    const QPrinterInfo device = QPrinterInfo::defaultPrinter();
    if (!device.isNull())
        return device;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    return names.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(names.first());
}

int duplexOf(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        return kDuplexLongEdge;
    case QPrinter::DuplexShortSide:
        return kDuplexShortEdge;
    case QPrinter::DuplexNone:
        break;
    }
    return kSimplex;
}

QPrinter::DuplexMode duplexModeOf(int duplex)
{
    switch (duplex) {
    case kDuplexLongEdge:
        return QPrinter::DuplexLongSide;
    case kDuplexShortEdge:
        return QPrinter::DuplexShortSide;
    default:
        return QPrinter::DuplexNone;
    }
}

// What the dialog's driver settings chose for `option`, or "" when they chose nothing.
QString chosenDriverOption(const QPrinter& printer, const QString& option)
{
    const QStringList options =
        printer.printEngine()->property(kCupsOptionsProperty).toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options.at(i) == option)
            return options.at(i + 1);
    return {};
}

// The colour mode of a driver's ColorModel choice ("Gray", "RGB", ...); 0 when none was chosen.
int colorModeOfDriverChoice(const QString& colorModel)
{
    if (colorModel.isEmpty())
        return 0;
    for (const QString& grey : {u"gray"_s, u"grey"_s, u"mono"_s, u"black"_s})
        if (colorModel.contains(grey, Qt::CaseInsensitive))
            return kMonochrome;
    return kColour;
}

// The set-up dialog is the print dialog without what belongs to one print only.
void makeSetupDialog(QPrintDialog& dialog)
{
    dialog.setObjectName(QString::fromLatin1(Printer::kSetupDialogName));
    dialog.setWindowTitle(QPrintDialog::tr("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QDialogButtonBox::tr("OK"));
}

} // namespace

Printer::Printer()
{
    const QPrinterInfo device = defaultDevice();
    if (device.isNull()) {
        m_paperSize = localePaperSize(QLocale());
        return;
    }
    m_deviceName = device.printerName();
    takeDeviceDefaults(device);
}

void Printer::takeDeviceDefaults(const QPrinterInfo& device)
{
    const QPageSize paper = device.defaultPageSize();
    if (paper.isValid())
        setPaper(paper);
    else
        m_paperSize = localePaperSize(QLocale());
    m_colorMode = device.defaultColorMode() == QPrinter::GrayScale ? kMonochrome : kColour;
    m_duplex = duplexOf(device.defaultDuplexMode());
}

void Printer::setPaper(const QPageSize& pageSize)
{
    m_paperSize = paperOfPageSize(pageSize);
    if (m_paperSize == kUserDefinedPaper) {
        const QSize twips = portraitTwips(pageSize);
        m_userPaperWidth = twips.width();
        m_userPaperHeight = twips.height();
    }
}

QStringList Printer::deviceNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

int Printer::deviceCount() const
{
    return int(deviceNames().size());
}

bool Printer::setDeviceName(const QString& name)
{
    if (name.isEmpty()) {
        m_deviceName.clear();
        return true;
    }
    for (const QString& device : deviceNames()) {
        if (device.compare(name, Qt::CaseInsensitive) == 0) {
            m_deviceName = device;
            return true;
        }
    }
    return false;
}

void Printer::setOrientation(int orientation)
{
    if (orientation == kPortrait || orientation == kLandscape)
        m_orientation = orientation;
}

void Printer::setColorMode(int mode)
{
    if (mode == kMonochrome || mode == kColour)
        m_colorMode = mode;
}

void Printer::setPaperSize(int paperSize)
{
    if (paperSize == kUserDefinedPaper || pageSizeOfPaper(paperSize).isValid())
        m_paperSize = paperSize;
}

QPageSize Printer::pageSize() const
{
    if (m_paperSize == kUserDefinedPaper)
        return pageSizeOfTwips(m_userPaperWidth, m_userPaperHeight);
    return pageSizeOfPaper(m_paperSize);
}

QSize Printer::portraitPaper() const
{
    if (m_paperSize == kUserDefinedPaper)
        return {m_userPaperWidth, m_userPaperHeight};
    return portraitTwips(pageSizeOfPaper(m_paperSize));
}

int Printer::paperWidth() const
{
    const QSize paper = portraitPaper();
    return m_orientation == kLandscape ? paper.height() : paper.width();
}

int Printer::paperHeight() const
{
    const QSize paper = portraitPaper();
    return m_orientation == kLandscape ? paper.width() : paper.height();
}

void Printer::setPaperWidth(int twips)
{
    if (twips > 0)
        (m_orientation == kLandscape ? m_userPaperHeight : m_userPaperWidth) = twips;
}

void Printer::setPaperHeight(int twips)
{
    if (twips > 0)
        (m_orientation == kLandscape ? m_userPaperWidth : m_userPaperHeight) = twips;
}

void Printer::setDuplex(int duplex)
{
    if (duplex >= kSimplex && duplex <= kDuplexShortEdge)
        m_duplex = duplex;
}

void Printer::setPrintQuality(int quality)
{
    if (quality >= kHighestQualityLevel)
        m_printQuality = quality;
}

void Printer::setPaperBin(int bin)
{
    if (bin > 0)
        m_paperBin = bin;
}

void Printer::configure(QPrinter& printer) const
{
    if (!m_deviceName.isEmpty()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(m_deviceName);
    }
    printer.setPageSize(pageSize());
    printer.setPageOrientation(m_orientation == kLandscape ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
    printer.setColorMode(m_colorMode == kMonochrome ? QPrinter::GrayScale : QPrinter::Color);
    printer.setDuplex(duplexModeOf(m_duplex));
    if (m_printQuality > 0)
        printer.setResolution(m_printQuality);
    printer.setPaperSource(paperSourceOfBin(m_paperBin));
}

void Printer::takeFrom(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        m_deviceName = printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    m_orientation = layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
    setPaper(layout.pageSize());
    // A device's colour is chosen among its driver settings, a file's in the dialog itself.
    const int driverColour = colorModeOfDriverChoice(chosenDriverOption(printer, u"ColorModel"_s));
    if (driverColour != 0)
        m_colorMode = driverColour;
    else
        m_colorMode = printer.colorMode() == QPrinter::GrayScale ? kMonochrome : kColour;
    m_duplex = duplexOf(printer.duplex());
    if (m_printQuality > 0)
        m_printQuality = printer.resolution();
    const QString inputSlot = chosenDriverOption(printer, u"InputSlot"_s);
    if (const int bin = paperBinOfInputSlot(inputSlot); bin > 0)
        m_paperBin = bin;
    else if (printer.paperSource() != paperSourceOfBin(m_paperBin))
        m_paperBin = paperBinOfSource(printer.paperSource());
}

bool Printer::setupDialog(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    configure(printer);
    QPrintDialog dialog(&printer, parent);
    makeSetupDialog(dialog);
    if (shell::execModal(dialog) != QDialog::Accepted)
        return false;
    takeFrom(printer);
    return true;
}

} // namespace report
