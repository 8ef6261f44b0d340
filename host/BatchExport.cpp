// The batch export through the engine's filters and the viewer's stored options.

#include "host/BatchExport.h"

#include "common/Registry_Management.h"
#include "platform/reportengine/export/ExportSettings.h"
#include "platform/reportengine/export/HtmlExport.h"
#include "platform/reportengine/model/Report.h"
#include "platform/vb/Error.h"

#include <array>

using namespace Qt::StringLiterals;

namespace host {

namespace {

struct BatchFormat
{
    const char16_t* name;     // on the command line
    const char16_t* menuName; // the viewer's export menu
};

constexpr std::array<BatchFormat, 6> kFormats{{{u"text", u"Text"},
                                               {u"pdf", u"PDF"},
                                               {u"rtf", u"RTF"},
                                               {u"html", u"HTML"},
                                               {u"xls", u"Excel"},
                                               {u"tif", u"TIF"}}};

const report::ExportFormat& formatOf(const QString& name)
{
    for (const BatchFormat& format : kFormats)
        if (name.compare(QString::fromUtf16(format.name), Qt::CaseInsensitive) == 0)
            if (const report::ExportFormat* found =
                    report::exportFormatByMenuName(QString::fromUtf16(format.menuName)))
                return *found;
    throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                    u"Unknown export format \"%1\" (use one of: %2)"_s.arg(
                        name, batchFormatNames().join(u", "_s)),
                    u"clsReportViewer"_s);
}

// What the user's viewer stored for the format, value by value.
report::OptionTexts storedOptions(const report::ExportFormat& format, const QString& key)
{
    report::OptionTexts stored;
    const QString missing = u"\x01missing"_s;
    for (const report::ExportOption& option : format.options) {
        const QString text = Registry_Management::GetProductSetting(reg::HKEY_CURRENT_USER, key,
                                                                    option.valueName, missing);
        if (text != missing)
            stored.insert(option.valueName, text);
    }
    return stored;
}

} // namespace

QStringList batchFormatNames()
{
    QStringList names;
    for (const BatchFormat& format : kFormats)
        names << QString::fromUtf16(format.name);
    return names;
}

bool isBatchFormat(const QString& name)
{
    return batchFormatNames().contains(name, Qt::CaseInsensitive);
}

QString exportSettingsKey(const QString& reportName, const QString& formatName)
{
    return u"Reports\\Export\\"_s + reportName + u'\\' + formatOf(formatName).subKey;
}

QString exportGeneratedReport(report::Report& report, const QString& reportName,
                              const QString& formatName, const QString& fileName)
{
    const report::ExportFormat& format = formatOf(formatName);
    std::unique_ptr<report::ExportFilter> filter = report::createExportFilter(format.code);
    report::applyExportOptions(format.code, *filter,
                               storedOptions(format, exportSettingsKey(reportName, formatName)),
                               reportName);
    filter->setFileName(fileName);
    report.exportReport(*filter);
    if (const auto* html = dynamic_cast<const report::objHTMLExport*>(filter.get()))
        return html->mainFileName();
    return fileName;
}

} // namespace host
