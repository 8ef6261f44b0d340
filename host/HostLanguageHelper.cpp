// Translating reports, windows and menus.

#include "host/HostLanguageHelper.h"

#include "platform/reportengine/model/Report.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace host {

HostLanguageHelper::HostLanguageHelper(LanguageTexts texts, QObject* parent)
    : QObject(parent), m_texts(std::move(texts))
{
    setObjectName(QStringLiteral("langHelper"));
}

report::Report& HostLanguageHelper::SetReportFieldsLanguage(report::Report& report,
                                                            const QString& reportKey,
                                                            const QString& separator)
{
    for (report::Control* control : report.allControls()) {
        if (control->kind() == report::ControlKind::Label) {
            auto* label = static_cast<report::Label*>(control);
            label->setCaption(m_texts.translate(reportKey, label->caption(), separator));
        } else if (control->kind() == report::ControlKind::TextBox) {
            auto* box = static_cast<report::TextBox*>(control);
            box->setText(m_texts.translate(reportKey, box->text(), separator));
        }
    }
    return report;
}

void HostLanguageHelper::SetFormControls(QWidget& window)
{
    const QString section = window.objectName();
    window.setWindowTitle(m_texts.translate(section, window.windowTitle()));
    for (QLabel* label : window.findChildren<QLabel*>())
        label->setText(m_texts.translate(section, label->text()));
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        button->setText(m_texts.translate(section, button->text()));
    for (QGroupBox* box : window.findChildren<QGroupBox*>())
        box->setTitle(m_texts.translate(section, box->title()));
    translateActions(section, window);
}

void HostLanguageHelper::SetSmartUILanguage(const QString& windowName, QWidget& menuControl)
{
    translateActions(windowName, menuControl);
}

void HostLanguageHelper::translateActions(const QString& section, QWidget& holder)
{
    QList<QAction*> actions = holder.actions();
    for (QAction* action : holder.findChildren<QAction*>())
        if (!actions.contains(action))
            actions << action;
    for (QMenu* menu : holder.findChildren<QMenu*>()) {
        menu->setTitle(m_texts.translate(section, menu->title()));
        for (QAction* action : menu->actions())
            if (!actions.contains(action))
                actions << action;
    }
    for (QAction* action : actions)
        action->setText(m_texts.translate(section, action->text()));
}

} // namespace host
