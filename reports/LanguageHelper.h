#pragma once

// The host's language helper: puts the texts of the user's language in place of the caption
// keys ("d_...") of reports and windows. A key the language has no text for keeps a readable
// caption: the key without its "d_".

#include <QString>
#include <QtPlugin>

class QWidget;

namespace report {
class Report;
}

namespace reports {

class LanguageHelper
{
public:
    virtual ~LanguageHelper() = default;

    // Translates the labels and text boxes of `report` with the texts of `reportKey`
    // ("repWineList", "repCellarSummary", "repBookWine", "repLocationsByWine",
    // "repLocationsByLocation"). With a separator, a caption that ends in it keeps it after the
    // translated text. Returns the report to go on with: callers use the returned object from
    // then on (a helper may hand back a replacement; it then keeps that replacement alive for
    // as long as the helper lives).
    virtual report::Report& SetReportFieldsLanguage(report::Report& report,
                                                    const QString& reportKey,
                                                    const QString& separator = QString()) = 0;

    // Translates the captions of a window's controls; the window's object name is its key.
    virtual void SetFormControls(QWidget& window) = 0;
    // Translates the items of a window's menu control (a menu bar, or any widget holding
    // actions) with the texts of `windowName`.
    virtual void SetSmartUILanguage(const QString& windowName, QWidget& menuControl) = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::LanguageHelper, "org.quorvex.reports.LanguageHelper/1.0")
