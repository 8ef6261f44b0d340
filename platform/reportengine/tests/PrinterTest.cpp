// Printer: paper numbers and sizes, the settings round trip through QPrinter, the devices of a
// private CUPS server and of a machine without one, and the set-up dialog.

#include "platform/reportengine/print/Printer.h"

#include "platform/reportengine/print/PaperBins.h"
#include "platform/reportengine/print/PaperSizes.h"
#include "platform/reportengine/tests/CupsServer.h"
#include "platform/shell/GTestScriptedUser.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPrinter>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace report {
namespace {

using testing::CupsClientTarget;
using testing::CupsServer;

struct PaperCase
{
    int paperSize;
    int width; // portrait twips
    int height;
};

TEST(PaperSizes, PaperNumbersHaveTheirSizesAndMapBack)
{
    const PaperCase cases[] = {
        {1, 12240, 15840},  // Letter 8.5 x 11 in
        {3, 15840, 24480},  // Tabloid 11 x 17 in
        {5, 12240, 20160},  // Legal 8.5 x 14 in
        {7, 10440, 15120},  // Executive 7.25 x 10.5 in
        {8, 16838, 23811},  // A3 297 x 420 mm
        {9, 11906, 16838},  // A4 210 x 297 mm
        {11, 8391, 11906},  // A5 148 x 210 mm
        {13, 10318, 14570}, // B5 (JIS) 182 x 257 mm
    };
    for (const PaperCase& paper : cases) {
        SCOPED_TRACE(paper.paperSize);
        const QPageSize pageSize = pageSizeOfPaper(paper.paperSize);
        ASSERT_TRUE(pageSize.isValid());
        EXPECT_EQ(portraitTwips(pageSize), QSize(paper.width, paper.height));
        EXPECT_EQ(paperOfPageSize(pageSize), paper.paperSize);
    }
    EXPECT_FALSE(pageSizeOfPaper(256).isValid());
    EXPECT_FALSE(pageSizeOfPaper(-1).isValid());
    EXPECT_FALSE(pageSizeOfPaper(14).isValid()); // a number Qt has no paper for
    EXPECT_EQ(paperOfPageSize(pageSizeOfTwips(10000, 14000)), 256);
    EXPECT_EQ(portraitTwips(pageSizeOfTwips(10000, 14000)), QSize(10000, 14000));
}

TEST(PaperSizes, LocalePaperIsLetterInTheUnitedStatesAndCanadaElseA4)
{
    EXPECT_EQ(localePaperSize(QLocale(u"en_US"_s)), 1);
    EXPECT_EQ(localePaperSize(QLocale(u"fr_CA"_s)), 1);
    EXPECT_EQ(localePaperSize(QLocale(u"en_GB"_s)), 9);
    EXPECT_EQ(localePaperSize(QLocale(u"de_DE"_s)), 9);
}

TEST(PaperBins, BinsNameTheQueuesPaperSourcesTheyStandFor)
{
    const QStringList offered{u"Auto"_s, u"Upper"_s, u"Lower"_s, u"ManualFeed"_s, u"Tray3"_s};
    EXPECT_EQ(inputSlotChoice(1, offered), u"Upper"_s);
    EXPECT_EQ(inputSlotChoice(2, offered), u"Lower"_s);
    EXPECT_EQ(inputSlotChoice(4, offered), u"ManualFeed"_s);
    EXPECT_EQ(inputSlotChoice(258, offered), u"Tray3"_s);
    EXPECT_EQ(inputSlotChoice(7, offered), QString()); // automatic: nothing to ask for
    EXPECT_EQ(inputSlotChoice(8, offered), QString()); // no tractor on this device
    EXPECT_EQ(paperBinOfInputSlot(u"lower"_s), 2);
    EXPECT_EQ(paperBinOfInputSlot(u"Tray3"_s), 258);
    EXPECT_EQ(paperBinOfInputSlot(u"Auto"_s), 7);
    EXPECT_EQ(paperBinOfInputSlot(u"Photo"_s), 0);
}

// Tests that must see no printers at all: the clients look at a socket nobody listens on.
class PrinterWithoutServer : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    QTemporaryDir m_folder;
    CupsClientTarget m_noServer{m_folder.filePath(u"no-server.sock"_s)};
};

TEST_F(PrinterWithoutServer, HasNoDevicesAndThePaperOfTheLocale)
{
    QLocale::setDefault(QLocale(u"en_US"_s));
    QElapsedTimer clock;
    clock.start();
    Printer letter;
    EXPECT_LT(clock.elapsed(), 2000) << "asking for printers without a server must not wait";
    EXPECT_TRUE(letter.deviceNames().isEmpty());
    EXPECT_EQ(letter.deviceCount(), 0);
    EXPECT_EQ(letter.deviceName(), QString());
    EXPECT_EQ(letter.paperSize(), 1);
    EXPECT_EQ(letter.paperWidth(), 12240);
    EXPECT_EQ(letter.paperHeight(), 15840);
    EXPECT_FALSE(letter.setDeviceName(u"PDF"_s));
    EXPECT_TRUE(letter.setDeviceName(QString()));

    QLocale::setDefault(QLocale(u"de_DE"_s));
    const Printer a4;
    EXPECT_EQ(a4.paperSize(), 9);
    EXPECT_EQ(a4.paperWidth(), 11906);
}

TEST_F(PrinterWithoutServer, PropertiesKeepTheirValueWhenGivenOneOutOfRange)
{
    Printer printer;
    printer.setPaperSize(9);
    printer.setOrientation(2);
    EXPECT_EQ(printer.paperWidth(), 16838); // as oriented
    EXPECT_EQ(printer.paperHeight(), 11906);

    // The viewer's "not set" values and garbage change nothing.
    printer.setPaperSize(-1);
    printer.setPaperSize(14);
    printer.setOrientation(0);
    printer.setColorMode(3);
    printer.setDuplex(-1);
    printer.setPrintQuality(-5);
    printer.setPaperBin(0);
    EXPECT_EQ(printer.paperSize(), 9);
    EXPECT_EQ(printer.orientation(), 2);
    EXPECT_EQ(printer.colorMode(), 2);
    EXPECT_EQ(printer.duplex(), 1);
    EXPECT_EQ(printer.printQuality(), 0);
    EXPECT_EQ(printer.paperBin(), 7);
}

TEST_F(PrinterWithoutServer, UserDefinedPaperRestoresFromItsStoredWidthAndHeight)
{
    Printer stored;
    stored.setOrientation(2);
    stored.setPaperSize(256);
    stored.setPaperWidth(20000); // as oriented: the long side across
    stored.setPaperHeight(9000);
    EXPECT_EQ(stored.paperWidth(), 20000);
    EXPECT_EQ(stored.paperHeight(), 9000);

    // The viewer stores the getters' values and restores them in its own order.
    Printer restored;
    restored.setOrientation(stored.orientation());
    restored.setPaperSize(stored.paperSize());
    restored.setPaperHeight(stored.paperHeight());
    restored.setPaperWidth(stored.paperWidth());
    EXPECT_EQ(restored.paperWidth(), 20000);
    EXPECT_EQ(restored.paperHeight(), 9000);
    restored.setOrientation(1);
    EXPECT_EQ(restored.paperWidth(), 9000);
    EXPECT_EQ(restored.pageSize().size(QPageSize::Point), QSizeF(450, 1000));
}

TEST_F(PrinterWithoutServer, SettingsGoIntoAQPrinterAndComeBack)
{
    Printer printer;
    printer.setPaperSize(11);
    printer.setOrientation(2);
    printer.setColorMode(1);
    printer.setPrintQuality(300);
    printer.setPaperBin(2);
    QPrinter qprinter(QPrinter::HighResolution);
    printer.configure(qprinter);
    EXPECT_EQ(qprinter.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(qprinter.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(qprinter.colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(qprinter.resolution(), 300);
    EXPECT_EQ(qprinter.paperSource(), QPrinter::Lower);

    Printer taken;
    taken.setPrintQuality(600);
    taken.takeFrom(qprinter);
    EXPECT_EQ(taken.paperSize(), 11);
    EXPECT_EQ(taken.orientation(), 2);
    EXPECT_EQ(taken.colorMode(), 1);
    EXPECT_EQ(taken.printQuality(), 300);
    EXPECT_EQ(taken.paperBin(), 2);
    EXPECT_EQ(taken.paperWidth(), 11906);

    // A paper without a number comes back as user-defined with its size.
    Printer custom;
    custom.setPaperSize(256);
    custom.setPaperWidth(10000);
    custom.setPaperHeight(14000);
    QPrinter customPrinter(QPrinter::HighResolution);
    custom.configure(customPrinter);
    Printer takenCustom;
    takenCustom.takeFrom(customPrinter);
    EXPECT_EQ(takenCustom.paperSize(), 256);
    EXPECT_EQ(takenCustom.paperWidth(), 10000);
    EXPECT_EQ(takenCustom.paperHeight(), 14000);
}

// A private CUPS server with two PDF printers, "PDF" the default, for the whole suite.
class PrinterOnServer : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!CupsServer::installed())
            return;
        s_server = std::make_unique<CupsServer>();
        const QString out = s_server->folder();
        if (!s_server->start() || !s_server->addPdfQueue(u"PDF"_s, out + u"/pdf.pdf"_s, true) ||
            !s_server->addPdfQueue(u"Draft"_s, out + u"/draft.pdf"_s))
            s_failure = s_server->error();
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override
    {
        if (!CupsServer::installed())
            GTEST_SKIP() << "cupsd is not installed (Debian package cups): no print server to "
                            "test the printer with";
        ASSERT_TRUE(s_failure.isEmpty()) << s_failure.toStdString();
    }

    static inline std::unique_ptr<CupsServer> s_server;
    static inline QString s_failure;
};

TEST_F(PrinterOnServer, ListsTheQueuesAndStartsOnTheDefaultWithItsPaper)
{
    Printer printer;
    QStringList names = printer.deviceNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{u"Draft"_s, u"PDF"_s}));
    EXPECT_EQ(printer.deviceCount(), 2);
    EXPECT_EQ(printer.deviceName(), u"PDF"_s);
    EXPECT_EQ(printer.paperSize(), 5); // the queue's default paper: Legal
    EXPECT_EQ(printer.paperHeight(), 20160);
}

TEST_F(PrinterOnServer, DeviceNameTakesOnlyQueuesThatExist)
{
    Printer printer;
    printer.setPaperSize(9);
    EXPECT_TRUE(printer.setDeviceName(u"Draft"_s));
    EXPECT_EQ(printer.deviceName(), u"Draft"_s);
    EXPECT_EQ(printer.paperSize(), 9) << "choosing a device keeps the paper";
    EXPECT_FALSE(printer.setDeviceName(u"Printer that was removed"_s));
    EXPECT_EQ(printer.deviceName(), u"Draft"_s);
    EXPECT_TRUE(printer.setDeviceName(u"pdf"_s)); // CUPS names ignore case
    EXPECT_EQ(printer.deviceName(), u"PDF"_s);

    QPrinter qprinter(QPrinter::HighResolution);
    printer.setDuplex(3);
    printer.configure(qprinter);
    EXPECT_EQ(qprinter.printerName(), u"PDF"_s);
    EXPECT_EQ(qprinter.duplex(), QPrinter::DuplexShortSide); // the queue can print both sides
}

TEST_F(PrinterOnServer, SetupDialogChoosesDeviceAndDuplexOrChangesNothing)
{
    Printer printer;
    {
        shell::GTestScriptedUser user;
        user.expectModal(QString::fromLatin1(Printer::kSetupDialogName),
                         [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
        EXPECT_FALSE(printer.setupDialog(nullptr));
    }
    EXPECT_EQ(printer.deviceName(), u"PDF"_s);

    shell::GTestScriptedUser user;
    user.expectModal(QString::fromLatin1(Printer::kSetupDialogName), [](QWidget& dialog) {
        auto* devices = dialog.findChild<QComboBox*>(u"printers"_s);
        ASSERT_NE(devices, nullptr);
        devices->setCurrentIndex(devices->findText(u"Draft"_s));
        auto* shortEdge = dialog.findChild<QRadioButton*>(u"duplexShort"_s);
        ASSERT_NE(shortEdge, nullptr);
        shortEdge->setChecked(true);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_TRUE(printer.setupDialog(nullptr));
    EXPECT_EQ(printer.deviceName(), u"Draft"_s);
    EXPECT_EQ(printer.duplex(), 3);
}

} // namespace
} // namespace report
