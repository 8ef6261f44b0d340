#pragma once

// The preview's find bar: the text to find, next and previous, match case and whole words, and
// a line saying where the hit is or that there is none. Enter finds the next hit, Shift+Enter
// the previous one, Escape closes the bar.

#include "platform/reportengine/preview/TextFinder.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace report {

class FindBar : public QWidget
{
    Q_OBJECT

public:
    explicit FindBar(QWidget* parent = nullptr);

    QString text() const;
    FindOptions options(bool backwards) const;
    void setStatus(const QString& status);
    // Shows the bar with the text selected, ready for typing.
    void activate();

signals:
    void findRequested(bool backwards);
    void textEdited();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QCheckBox* m_wholeWord;
    QLabel* m_status;
};

} // namespace report
