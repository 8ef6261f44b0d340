#pragma once

// The host's language helper over the language database's texts.

#include "host/LanguageTexts.h"
#include "reports/LanguageHelper.h"

#include <QObject>

namespace host {

class HostLanguageHelper : public QObject, public reports::LanguageHelper
{
    Q_OBJECT
    Q_INTERFACES(reports::LanguageHelper)

public:
    explicit HostLanguageHelper(LanguageTexts texts, QObject* parent = nullptr);

    // Labels' captions and text boxes' texts that are keys; the report object is kept.
    report::Report& SetReportFieldsLanguage(report::Report& report, const QString& reportKey,
                                            const QString& separator = QString()) override;
    // The window's title and the texts of its labels, buttons, group boxes, menus and actions.
    void SetFormControls(QWidget& window) override;
    void SetSmartUILanguage(const QString& windowName, QWidget& menuControl) override;

    const LanguageTexts& texts() const noexcept { return m_texts; }

private:
    void translateActions(const QString& section, QWidget& holder);

    LanguageTexts m_texts;
};

} // namespace host
