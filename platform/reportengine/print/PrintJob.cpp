// PrintJob: the print dialog, the pages painted into a PDF spool file, the file queued on CUPS.

#include "platform/reportengine/print/PrintJob.h"

#include "platform/reportengine/print/CupsCommands.h"
#include "platform/reportengine/print/PaperBins.h"
#include "platform/reportengine/print/PaperSizes.h"
#include "platform/reportengine/render/PageRenderer.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"

#include <algorithm>
#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kPrinterError = 482;
const QString kSource = u"Printer"_s;
// The job options the print dialog's driver settings leave in Qt's CUPS print engine.
constexpr auto kCupsOptionsProperty = QPrintEngine::PrintEnginePropertyKey(0xfe00);

struct PageRange
{
    int first = 1;
    int last = 0;
};

[[noreturn]] void raiseNoDevice()
{
    throw vb::Error(kPrinterError,
                    u"There is no printer to print on: no printer is set up on this computer, "
                    u"or the print service (CUPS) is not running. Set up a printer, choose it "
                    u"in the printer setup and print again."_s,
                    kSource);
}

// The QPrinter the dialog works on and the job's settings come from.
void prepareDevice(QPrinter& device, const Printer& printer, const QString& title)
{
    printer.configure(device);
    device.setDocName(title);
    device.setFullPage(true);
    device.setPrintRange(QPrinter::AllPages);
}

bool runPrintDialog(QPrinter& device, QWidget* parent, int pageCount)
{
    QPrintDialog dialog(&device, parent);
    dialog.setObjectName(QString::fromLatin1(PrintJob::kDialogName));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pageCount);
    return shell::execModal(dialog) == QDialog::Accepted;
}

PageRange pagesToPrint(const QPrinter& device, int pageCount)
{
    if (device.printRange() != QPrinter::PageRange || device.fromPage() <= 0)
        return {1, pageCount};
    const int first = std::clamp(device.fromPage(), 1, pageCount);
    const int last =
        std::clamp(device.toPage() > 0 ? device.toPage() : pageCount, first, pageCount);
    return {first, last};
}

bool printsToFile(const QPrinter& device)
{
    return device.outputFormat() == QPrinter::PdfFormat && !device.outputFileName().isEmpty();
}

// A page's own paper, the full sheet with no margins.
QPageLayout paperOf(const Page& page)
{
    const int shortSide = std::min(page.paperWidth, page.paperHeight);
    const int longSide = std::max(page.paperWidth, page.paperHeight);
    const QPageLayout::Orientation orientation =
        page.paperWidth > page.paperHeight ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(pageSizeOfTwips(shortSide, longSide, QPageSize::FuzzyMatch), orientation,
                       QMarginsF(), QPageLayout::Point);
}

void setUpSpool(QPrinter& spool, const QString& fileName, const Printer& printer,
                const QString& title)
{
    spool.setOutputFormat(QPrinter::PdfFormat);
    spool.setOutputFileName(fileName);
    spool.setDocName(title);
    spool.setCreator(QCoreApplication::applicationName());
    spool.setColorMode(printer.colorMode() == 1 ? QPrinter::GrayScale : QPrinter::Color);
    if (printer.printQuality() > 0)
        spool.setResolution(printer.printQuality());
    spool.setFullPage(true);
}

// Paints pages `range` into `spool`; false when the job was cancelled after a page.
bool paintPages(QPrinter& spool, const PageDocument& pages, PageRange range, const PrintJob& job)
{
    spool.setPageLayout(paperOf(pages.page(range.first - 1)));
    QPainter painter;
    if (!painter.begin(&spool))
        throw vb::Error(kPrinterError,
                        u"The print job could not be started: the spool file \"%1\" could not "
                        u"be written. Check that the folder exists, is writable and has free "
                        u"space, and print again."_s.arg(spool.outputFileName()),
                        kSource);
    for (int number = range.first; number <= range.last; ++number) {
        const Page page = pages.page(number - 1);
        if (number > range.first) {
            spool.setPageLayout(paperOf(page));
            spool.newPage();
        }
        renderPage(painter, page, pages.images(),
                   spool.pageLayout().fullRectPixels(spool.resolution()));
        if (job.progress)
            job.progress(number);
        shell::doEvents();
        if (job.cancelRequested && job.cancelRequested()) {
            spool.abort();
            return false;
        }
    }
    return painter.end();
}

QString mediaOf(const QPageSize& paper)
{
    if (paper.id() != QPageSize::Custom)
        return paper.key();
    const QSizeF points = paper.size(QPageSize::Point);
    return u"Custom.%1x%2"_s.arg(points.width()).arg(points.height());
}

QString sidesOf(int duplex)
{
    switch (duplex) {
    case 2:
        return u"two-sided-long-edge"_s;
    case 3:
        return u"two-sided-short-edge"_s;
    default:
        return u"one-sided"_s;
    }
}

// The CUPS print-quality of a quality level (-1 draft .. -4 high); "" for dpi and the default.
QString qualityOf(int printQuality)
{
    switch (printQuality) {
    case -1:
    case -2:
        return u"3"_s;
    case -3:
        return u"4"_s;
    case -4:
        return u"5"_s;
    default:
        return {};
    }
}

void setOption(CupsOptions& options, const QString& name, const QString& value)
{
    for (auto& option : options) {
        if (option.first.compare(name, Qt::CaseInsensitive) == 0) {
            option.second = value;
            return;
        }
    }
    options.append({name, value});
}

CupsOptions jobOptions(const Printer& printer, const QPrinter& device, const Page& firstPage)
{
    CupsOptions options;
    // What the dialog's driver settings chose, then the printer's settings over them.
    const QStringList chosen = device.printEngine()->property(kCupsOptionsProperty).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        setOption(options, chosen.at(i), chosen.at(i + 1));
    setOption(options, u"media"_s, mediaOf(paperOf(firstPage).pageSize()));
    setOption(options, u"sides"_s, sidesOf(printer.duplex()));
    setOption(options, u"print-color-mode"_s,
              printer.colorMode() == 1 ? u"monochrome"_s : u"color"_s);
    if (const QString quality = qualityOf(printer.printQuality()); !quality.isEmpty())
        setOption(options, u"print-quality"_s, quality);
    if (printer.paperBin() != kPaperBinAuto) {
        const QString slot = inputSlotChoice(
            printer.paperBin(), cupsOptionChoices(printer.deviceName(), u"InputSlot"_s));
        if (!slot.isEmpty()) // a bin the device does not have is ignored
            setOption(options, u"InputSlot"_s, slot);
    }
    if (device.copyCount() > 1) {
        setOption(options, u"copies"_s, QString::number(device.copyCount()));
        setOption(options, u"Collate"_s, device.collateCopies() ? u"True"_s : u"False"_s);
    }
    return options;
}

// Removes a file that was written for a job that did not complete.
class PartialOutput
{
public:
    explicit PartialOutput(QString fileName) : m_fileName(std::move(fileName)) {}
    PartialOutput(const PartialOutput&) = delete;
    PartialOutput& operator=(const PartialOutput&) = delete;
    ~PartialOutput()
    {
        if (!m_kept)
            QFile::remove(m_fileName);
    }
    void keep() { m_kept = true; }

private:
    QString m_fileName;
    bool m_kept = false;
};

} // namespace

bool PrintJob::print(const PageDocument& pages, Printer& printer) const
{
    const int pageCount = pages.count();
    if (pageCount == 0)
        return false;
    QPrinter device(QPrinter::HighResolution);
    prepareDevice(device, printer, title);
    if (showDialog) {
        if (!runPrintDialog(device, dialogParent, pageCount))
            return false;
        printer.takeFrom(device);
    }
    const bool toFile = printsToFile(device);
    if (!toFile && printer.deviceName().isEmpty())
        raiseNoDevice();

    QTemporaryDir spoolFolder;
    if (!toFile && !spoolFolder.isValid())
        throw vb::Error(kPrinterError,
                        u"The print job could not be started: no spool file could be made in "
                        u"the temporary folder (%1). Check that it is writable and has free "
                        u"space, and print again."_s.arg(spoolFolder.errorString()),
                        kSource);
    const QString spoolFile = toFile ? device.outputFileName() : spoolFolder.filePath(u"job.pdf"_s);
    PartialOutput output(spoolFile);
    QPrinter spool(QPrinter::HighResolution);
    setUpSpool(spool, spoolFile, printer, title);
    const PageRange range = pagesToPrint(device, pageCount);
    if (!paintPages(spool, pages, range, *this))
        return false;
    if (toFile) {
        output.keep();
        return true;
    }
    submitCupsJob(printer.deviceName(), spoolFile, title,
                  jobOptions(printer, device, pages.page(range.first - 1)));
    return true;
}

} // namespace report
