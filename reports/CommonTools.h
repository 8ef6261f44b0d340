#pragma once

// The host's common tools, handed to every report module and to the viewer. Members keep the
// host's names. Any member may raise vb::Error; a module's entry point turns it into its call
// result.

#include "platform/vb/Variant.h"

#include <QString>
#include <QtPlugin>

class QWidget;

namespace jet {
class Connection;
}

namespace reports {

class WineRecord;

class CommonTools
{
public:
    virtual ~CommonTools() = default;

    // Busy and normal pointer, called in pairs.
    virtual void ShowHourglassPointer() = 0;
    virtual void ShowDefaultPointer() = 0;

    // Fills tblReportSource of the main wine database with one WineID per wine of the host's
    // current selection (replacing what it held).
    virtual void FillReportSourceTable() = 0;

    virtual void CenterWindow(QWidget& window) = 0;
    // Selects the whole text of a text box (a line or text edit).
    virtual void SelectTextFieldContent(QWidget& textBox) = 0;

    // `amount`, a sum in the cellar's storage currency, converted to the user's display
    // currency; `amount` is set to the converted sum and the result is its text in SQL number
    // form (full stop, no grouping, whatever the locale), ready to paste into SQL.
    virtual QString f_CorrectExchangeRate(double& amount) = 0;

    // Twips per screen pixel, horizontally.
    virtual qint32 CT_TwipsX() const = 0;
    // The host's folder, with its trailing separator.
    virtual QString AppPath() const = 0;

    // Runs an action query on `database`.
    virtual void ExecuteSQLCommand(const QString& sql, jet::Connection& database) = 0;

    // The display title of the record's current wine.
    virtual QString f_BuildWineTitle(const WineRecord& wine) = 0;

    // Splits a stored location line into the location and the bottle count there; raises
    // vb::Error naming the line when it is not a location line.
    virtual void ParseLocationLine(const QString& line, QString& location, qint16& quantity) = 0;

    // The current date and time in GMT (a Date).
    virtual vb::Variant f_GetGMTDateTime() = 0;

    // What a field should store for a value: Null for an empty text, the value otherwise (so
    // that empty texts are kept as Null in the database).
    virtual vb::Variant f_ReturnNullStringOrValue(const vb::Variant& value) = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::CommonTools, "org.quorvex.reports.CommonTools/1.0")
