#pragma once

// The text box of a count (txtDigits, txtDecimals): it takes only the keys 0 to 9, Backspace,
// Tab and Escape, selects its whole text when it gets the focus, and puts its default back
// when it loses the focus holding something that is not a number.

#include <QLineEdit>
#include <QString>

namespace gorvane {

class NumberBox : public QLineEdit
{
    Q_OBJECT

public:
    NumberBox(const QString& defaultText, QWidget* parent = nullptr);

    const QString& defaultText() const { return m_defaultText; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_defaultText;
};

} // namespace gorvane
