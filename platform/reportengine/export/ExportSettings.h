#pragma once

// The export formats and their options: the one table the viewer's export and the host's batch
// output both read (codes, menu names, settings sub-keys, file-dialog filters, and per option
// its registry value, default and kind), with the filter factory and the translation between
// stored option texts and a filter object's options. Registry access stays with the callers.

#include "platform/reportengine/export/ExportFilter.h"

#include <memory>
#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

namespace report {

enum class OptionKind
{
    CheckBox, // stored "-1" (on) or "0" (off); any number but 0 reads as on
    Number,   // decimal text within [minimum, maximum]
    Text,     // stored as typed
    List,     // one of `items`: stored as the item's text or as its position
};

struct ExportOption
{
    QString valueName;   // registry value name (compared without case)
    QString defaultText; // stored text used when nothing is stored
    OptionKind kind = OptionKind::Text;
    QString control; // the options window's control
    QString caption; // its caption, "" when it has none
    int minimum = 0; // numbers
    int maximum = 0;
    QStringList items;           // lists: the items offered, in order
    bool storesPosition = false; // lists: the stored value is the item's position, not its text
    bool defaultIsTitle = false; // the default is the export's stored "Title" value instead
};

struct ExportFormat
{
    int code = 0;
    QString menuName;       // "mnuFile_Export_" + name, compared in capitals
    QString subKey;         // below "Reports\Export\<report name>\"
    QString optionsWindow;  // "" when the format has no options window
    QString optionsCaption; // that window's caption
    QString filterObject;   // the engine's name of the filter object
    QString dialogFilter;   // file dialog filter, "description|pattern"
    std::vector<ExportOption> options;
};

// Stored option texts by registry value name.
using OptionTexts = QMap<QString, QString>;

// Every format, in code order (1 Text .. 6 TIFF).
const std::vector<ExportFormat>& exportFormats();
// The format of a code, nullptr for an unknown code.
const ExportFormat* exportFormat(int code);
// The format of a menu name ("Text", "excel", ...), compared in capitals; nullptr when none.
const ExportFormat* exportFormatByMenuName(const QString& menuName);
// The option of a format by registry value name, compared without case; nullptr when none.
const ExportOption* exportOption(const ExportFormat& format, const QString& valueName);

// The stored text of `valueName` in `stored` (names compared without case), else the option's
// default (for a title-defaulted option: `title`).
QString storedOptionText(const OptionTexts& stored, const ExportOption& option,
                         const QString& title = {});

// A new filter object of the format with its own defaults; nullptr for an unknown code.
std::unique_ptr<ExportFilter> createExportFilter(int code);

// Sets every option of the format on `filter` from `stored` (missing values take the default;
// numbers out of range are brought into it; a list text that is not offered takes the
// default). `filter` must be the format's filter object, else vb::Error 13.
void applyExportOptions(int code, ExportFilter& filter, const OptionTexts& stored,
                        const QString& title = {});

// The filter's options as they are stored: check boxes "-1"/"0", numbers as decimal text, lists
// as item text or position as the format keeps them.
OptionTexts exportOptionTexts(int code, const ExportFilter& filter);

} // namespace report
