#include "MessageBoxWidget.h"

#include "MsgBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace shell {

namespace {

constexpr const char* resultProperty = "vbResult";

// OK and Cancel answer to Enter and Escape; the other buttons carry an accelerator on their
// first letter.
QString buttonCaption(int result)
{
    const QString name = msgBoxResultName(result);
    if (result == vbOK || result == vbCancel)
        return name;
    return QLatin1Char('&') + name;
}

QMessageBox::Icon qtIcon(MsgBoxIcon icon)
{
    switch (icon) {
    case MsgBoxIcon::Critical:
        return QMessageBox::Critical;
    case MsgBoxIcon::Question:
        return QMessageBox::Question;
    case MsgBoxIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxIcon::Information:
        return QMessageBox::Information;
    case MsgBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const QString& prompt, int style, const QString& title,
                                            QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    // Prompts are plain text; a "<" in a file name must not turn them into markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->setIcon(qtIcon(msgBoxIcon(style)));

    // One role for every button keeps VB's left-to-right order on every desktop style, and leaves
    // Escape to the buttons VB allows it for (OK alone, or Cancel).
    const int defaultResult = msgBoxDefaultResult(style);
    const int escapeResult = msgBoxEscapeResult(style);
    for (const int result : msgBoxButtons(style)) {
        QPushButton* button = box->addButton(buttonCaption(result), QMessageBox::ActionRole);
        button->setProperty(resultProperty, result);
        if (result == defaultResult)
            box->setDefaultButton(button);
        if (result == escapeResult)
            box->setEscapeButton(button);
    }
    return box;
}

int messageBoxResult(const QAbstractButton* button)
{
    return button ? button->property(resultProperty).toInt() : 0;
}

} // namespace shell
