// Restoring and saving the viewer printer's settings of a report.
#include "viewer/PrintSettings.h"

#include "common/cRegistry.h"
#include "platform/reportengine/model/Report.h"
#include "platform/vb/Variant.h"

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

constexpr int kUserDefinedPaper = 256;

// One stored setting read as text with its default, converted as CInt converts.
class StoredSettings
{
public:
    StoredSettings(cRegistry& registry, const QString& key) : m_registry(registry), m_key(key) {}

    QString text(const QString& name, const QString& fallback) const
    {
        return m_registry.GetPrivateRegistryString(reg::HKEY_CURRENT_USER, m_key, name, fallback);
    }
    int number(const QString& name, int fallback) const
    {
        return vb::Variant(text(name, QString::number(fallback))).toInteger();
    }

private:
    cRegistry& m_registry;
    const QString& m_key;
};

} // namespace

void RestorePrintSettings(cRegistry& registry, const QString& key, report::Printer& printer,
                          const report::Report& report)
{
    const StoredSettings stored(registry, key);
    const QString device = stored.text(u"DeviceName"_s, QString());
    if (!device.isEmpty() && printer.deviceNames().contains(device)) {
        printer.setDeviceName(device);
        printer.setPaperBin(stored.number(u"PaperBin"_s, 7));
    }
    const report::PageSettings& page = report.pageSettings();
    const int orientation = page.orientation == report::Orientation::Default
                                ? printer.orientation()
                                : static_cast<int>(page.orientation);
    printer.setOrientation(stored.number(u"Orientation"_s, orientation));
    printer.setColorMode(stored.number(u"ColorMode"_s, 2));
    printer.setPaperSize(stored.number(u"PaperSize"_s, -1));
    if (printer.paperSize() == kUserDefinedPaper) {
        printer.setPaperHeight(stored.number(u"PaperHeight"_s, page.paperHeight));
        printer.setPaperWidth(stored.number(u"PaperWidth"_s, page.paperWidth));
    }
    if (const int duplex = stored.number(u"Duplex"_s, -1); duplex != -1)
        printer.setDuplex(duplex);
    if (const int quality = stored.number(u"PrintQuality"_s, 0); quality != 0)
        printer.setPrintQuality(quality);
}

void SavePrintSettings(cRegistry& registry, const QString& key, const report::Printer& printer)
{
    const auto put = [&](const QString& name, const QString& value) {
        registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER, key, name, value);
    };
    put(u"DeviceName"_s, printer.deviceName());
    put(u"Orientation"_s, QString::number(printer.orientation()));
    put(u"ColorMode"_s, QString::number(printer.colorMode()));
    put(u"PaperSize"_s, QString::number(printer.paperSize()));
    put(u"Duplex"_s, QString::number(printer.duplex()));
    put(u"PaperBin"_s, QString::number(printer.paperBin()));
    put(u"PrintQuality"_s, QString::number(printer.printQuality()));
    put(u"PaperHeight"_s, QString::number(printer.paperHeight()));
    put(u"PaperWidth"_s, QString::number(printer.paperWidth()));
}

} // namespace lumesk
