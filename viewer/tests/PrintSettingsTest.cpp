// The viewer printer's settings in the registry: what is restored onto a real printer, with
// the defaults and conditions of each value, and the round trip through a save. Devices are
// the queues of a private CUPS server, or none at all.
#include "viewer/PrintSettings.h"

#include "common/cRegistry.h"
#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/tests/CupsServer.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using report::testing::CupsClientTarget;
using report::testing::CupsServer;

namespace lumesk {
namespace {

const QString kKey = u"Reports\\PrintSettings\\rptSettingsTest"_s;

class PrintSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { m_registry.DeleteKey(reg::HKEY_CURRENT_USER, fullKey()); }
    void TearDown() override { m_registry.DeleteKey(reg::HKEY_CURRENT_USER, fullKey()); }

    QString fullKey() { return m_registry.GetRegistryKeyNameForApp() + u"\\"_s + kKey; }
    void store(const QString& name, const QString& value)
    {
        ASSERT_TRUE(m_registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER, kKey, name, value));
    }
    QString stored(const QString& name)
    {
        return m_registry.GetPrivateRegistryString(reg::HKEY_CURRENT_USER, kKey, name, u"-"_s);
    }
    void restore(report::Printer& printer)
    {
        RestorePrintSettings(m_registry, kKey, printer, m_report);
    }

    cRegistry m_registry;
    report::Report m_report;
};

// A machine without printers: no CUPS server answers.
class PrintSettingsWithoutPrinters : public PrintSettingsTest
{
protected:
    CupsClientTarget m_nowhere{u"/nonexistent/cups.sock"_s};
};

TEST_F(PrintSettingsWithoutPrinters, NothingStoredTakesTheDefaults)
{
    report::Printer printer;
    ASSERT_EQ(printer.deviceCount(), 0);
    printer.setColorMode(1);
    printer.setDuplex(2);
    printer.setPrintQuality(-2);
    printer.setPaperBin(4);
    const int paper = printer.paperSize();

    m_report.pageSettings().orientation = report::Orientation::Landscape;
    restore(printer);
    EXPECT_EQ(printer.orientation(), 2);   // the report's page
    EXPECT_EQ(printer.colorMode(), 2);     // "2"
    EXPECT_EQ(printer.paperSize(), paper); // "-1" is no paper: the printer keeps its own
    EXPECT_EQ(printer.duplex(), 2);        // "-1": not applied
    EXPECT_EQ(printer.printQuality(), -2); // "0": not applied
    EXPECT_EQ(printer.paperBin(), 4);      // no device, so no bin

    // A report that leaves the orientation to the printer keeps the printer's.
    m_report.pageSettings().orientation = report::Orientation::Default;
    printer.setOrientation(2);
    restore(printer);
    EXPECT_EQ(printer.orientation(), 2);
    printer.setOrientation(1);
    restore(printer);
    EXPECT_EQ(printer.orientation(), 1);
}

TEST_F(PrintSettingsWithoutPrinters, StoredTextsAreAppliedWithTheirConditions)
{
    store(u"Orientation"_s, u"2"_s);
    store(u"ColorMode"_s, u"1"_s);
    store(u"PaperSize"_s, u"5"_s); // Legal
    store(u"Duplex"_s, u"3"_s);
    store(u"PrintQuality"_s, u"-3"_s);
    store(u"PaperHeight"_s, u"20000"_s); // only for a user-defined paper
    store(u"PaperWidth"_s, u"10000"_s);
    report::Printer printer;
    restore(printer);
    EXPECT_EQ(printer.orientation(), 2);
    EXPECT_EQ(printer.colorMode(), 1);
    EXPECT_EQ(printer.paperSize(), 5);
    EXPECT_EQ(printer.paperWidth(), 20160); // Legal, landscape: 14 x 8.5 inches
    EXPECT_EQ(printer.paperHeight(), 12240);
    EXPECT_EQ(printer.duplex(), 3);
    EXPECT_EQ(printer.printQuality(), -3);

    store(u"PaperSize"_s, u"256"_s);
    store(u"Orientation"_s, u"1"_s);
    restore(printer);
    EXPECT_EQ(printer.paperSize(), 256);
    EXPECT_EQ(printer.paperWidth(), 10000);
    EXPECT_EQ(printer.paperHeight(), 20000);
}

TEST_F(PrintSettingsWithoutPrinters, AUserDefinedPaperWithoutItsSizeTakesTheReportsPage)
{
    store(u"PaperSize"_s, u"256"_s);
    store(u"Orientation"_s, u"1"_s);
    m_report.pageSettings().paperWidth = 8640; // 6 x 9 inches
    m_report.pageSettings().paperHeight = 12960;
    report::Printer printer;
    restore(printer);
    EXPECT_EQ(printer.paperSize(), 256);
    EXPECT_EQ(printer.paperWidth(), 8640);
    EXPECT_EQ(printer.paperHeight(), 12960);
}

TEST_F(PrintSettingsWithoutPrinters, TextsThatAreNoSmallNumbersFailAsVbConverts)
{
    report::Printer printer;
    store(u"ColorMode"_s, u"colour"_s);
    try {
        restore(printer);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::TypeMismatch);
    }
    store(u"ColorMode"_s, u" 1 "_s); // VB reads it
    store(u"PaperSize"_s, u"256"_s);
    store(u"PaperHeight"_s, u"40000"_s);
    try {
        restore(printer);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::Overflow);
    }
    EXPECT_EQ(printer.colorMode(), 1);
}

TEST_F(PrintSettingsWithoutPrinters, SavedValuesComeBackOnAnotherPrinter)
{
    report::Printer printer;
    printer.setOrientation(2);
    printer.setColorMode(1);
    printer.setPaperSize(256);
    printer.setPaperWidth(15000);
    printer.setPaperHeight(9000);
    printer.setDuplex(2);
    printer.setPrintQuality(-4);
    printer.setPaperBin(4);
    SavePrintSettings(m_registry, kKey, printer);
    EXPECT_EQ(stored(u"DeviceName"_s), QString());
    EXPECT_EQ(stored(u"Orientation"_s), u"2"_s);
    EXPECT_EQ(stored(u"PaperSize"_s), u"256"_s);
    EXPECT_EQ(stored(u"PaperWidth"_s), u"15000"_s);
    EXPECT_EQ(stored(u"PaperHeight"_s), u"9000"_s);
    EXPECT_EQ(stored(u"PaperBin"_s), u"4"_s);

    report::Printer again;
    restore(again);
    EXPECT_EQ(again.orientation(), 2);
    EXPECT_EQ(again.colorMode(), 1);
    EXPECT_EQ(again.paperSize(), 256);
    EXPECT_EQ(again.paperWidth(), 15000);
    EXPECT_EQ(again.paperHeight(), 9000);
    EXPECT_EQ(again.duplex(), 2);
    EXPECT_EQ(again.printQuality(), -4);
}

// Two queues on a private CUPS server: "PDF" (the default) and "Draft".
class PrintSettingsWithPrinters : public PrintSettingsTest
{
protected:
    static void SetUpTestSuite()
    {
        if (!CupsServer::installed())
            return;
        s_server = std::make_unique<CupsServer>();
        if (!s_server->start() ||
            !s_server->addPdfQueue(u"PDF"_s, s_server->folder() + u"/pdf.pdf"_s, true) ||
            !s_server->addPdfQueue(u"Draft"_s, s_server->folder() + u"/draft.pdf"_s))
            s_failure = s_server->error();
    }
    static void TearDownTestSuite() { s_server.reset(); }
    void SetUp() override
    {
        if (!CupsServer::installed())
            GTEST_SKIP() << "cupsd is not installed (Debian package cups)";
        ASSERT_TRUE(s_failure.isEmpty()) << s_failure.toStdString();
        PrintSettingsTest::SetUp();
    }

    static inline std::unique_ptr<CupsServer> s_server;
    static inline QString s_failure;
};

TEST_F(PrintSettingsWithPrinters, AStoredDeviceIsTakenOnlyWhileItExistsAndOnlyThenItsBin)
{
    store(u"DeviceName"_s, u"Draft"_s);
    store(u"PaperBin"_s, u"4"_s);
    report::Printer printer;
    ASSERT_EQ(printer.deviceName(), u"PDF"_s);
    restore(printer);
    EXPECT_EQ(printer.deviceName(), u"Draft"_s);
    EXPECT_EQ(printer.paperBin(), 4);

    store(u"DeviceName"_s, u"Gone"_s); // a queue since removed
    report::Printer other;
    restore(other);
    EXPECT_EQ(other.deviceName(), u"PDF"_s);
    EXPECT_EQ(other.paperBin(), 7);

    store(u"DeviceName"_s, u"draft"_s); // names are compared exactly
    restore(other);
    EXPECT_EQ(other.deviceName(), u"PDF"_s);
}

TEST_F(PrintSettingsWithPrinters, TheDeviceSurvivesTheRoundTrip)
{
    report::Printer printer;
    ASSERT_TRUE(printer.setDeviceName(u"Draft"_s));
    printer.setPaperBin(4);
    SavePrintSettings(m_registry, kKey, printer);
    EXPECT_EQ(stored(u"DeviceName"_s), u"Draft"_s);
    report::Printer again;
    restore(again);
    EXPECT_EQ(again.deviceName(), u"Draft"_s);
    EXPECT_EQ(again.paperBin(), 4);
}

} // namespace
} // namespace lumesk
