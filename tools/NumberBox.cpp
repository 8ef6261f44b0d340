#include "NumberBox.h"

#include "platform/vb/ConversionFunctions.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMetaObject>

namespace gorvane {

namespace {

// Two characters are enough for any count the field can hold.
constexpr int MaxCountLength = 2;

bool acceptedKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        break;
    }
    const bool plain = (event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == 0;
    return plain && event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9;
}

} // namespace

NumberBox::NumberBox(const QString& defaultText, QWidget* parent)
    : QLineEdit(defaultText, parent), m_defaultText(defaultText)
{
    setMaxLength(MaxCountLength);
    // Pasting would bring in what the keys keep out.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    if (!acceptedKey(*event)) {
        event->accept(); // discarded: it reaches neither the box nor the window
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->ignore(); // the window decides what Escape does
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // After the click that brought the focus has placed the cursor.
    QMetaObject::invokeMethod(this, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    if (!vb::IsNumeric(vb::Variant(text())).toBoolean())
        setText(m_defaultText);
    QLineEdit::focusOutEvent(event);
}

} // namespace gorvane
