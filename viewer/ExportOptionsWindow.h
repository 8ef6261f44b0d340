#pragma once

// What the four export options windows share: their controls made from the format's options
// (check boxes, text boxes, sliders, lists; captions as language keys "d_..."), filled from the
// stored texts and read back as texts to store, the OK and Cancel buttons, and text boxes that
// select their whole text when they get the focus. A window closed from its title bar counts
// as cancelled.

#include "platform/reportengine/export/ExportSettings.h"

#include <QString>
#include <QWidget>

class QFormLayout;
class QVBoxLayout;
class QLineEdit;

namespace reports {
class CommonTools;
}

namespace lumesk {

class ExportOptionsWindow : public QWidget
{
    Q_OBJECT

public:
    // Builds the window of `format`, which must have an options window; made by
    // createOptionsWindow, not directly.
    ExportOptionsWindow(const report::ExportFormat& format, reports::CommonTools& commonTools,
                        QWidget* owner);

    // Sets every control from `stored` (missing values take their defaults; a default that is
    // the export's title takes `title`).
    void fill(const report::OptionTexts& stored, const QString& title);
    // Every option as the controls hold it, in the texts the registry keeps.
    report::OptionTexts choices() const;

    bool cancelled() const noexcept { return m_cancelled; }
    const report::ExportFormat& format() const noexcept { return m_format; }

    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    // Adds the control(s) of one option; windows with controls of their own override it.
    virtual void addOption(const report::ExportOption& option);
    virtual void fillOption(const report::ExportOption& option, const QString& text);
    virtual QString optionText(const report::ExportOption& option) const;

    // Builds the controls; called once by createOptionsWindow after construction.
    void build();
    QFormLayout& form() const { return *m_form; }
    // A text box that selects its whole text on getting the focus.
    QLineEdit* addTextBox(const QString& name, const QString& caption);
    static QString languageKey(const QString& caption);

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addButtons(QVBoxLayout& layout);

    const report::ExportFormat& m_format;
    reports::CommonTools& m_commonTools;
    QFormLayout* m_form;
    bool m_cancelled = false;
    bool m_built = false;
};

} // namespace lumesk
