#pragma once

// The viewer window's status bar: panels side by side, each known by its key (its object
// name): the progress bar, the insert and caps-lock indicators, the date, the time ("HH:MM")
// and the grabber that sizes the window. The window gives the progress panel its width; the
// others keep theirs.

#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;
class QProgressBar;

namespace lumesk {

class StatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit StatusBar(QWidget* parent = nullptr);

    // The panels' keys, left to right.
    QStringList panelKeys() const;
    QWidget* panel(const QString& key) const;
    int panelWidth(const QString& key) const;
    void setPanelWidth(const QString& key, int width);

    QProgressBar& progressBar() const { return *m_progress; }
    // The date and time panels' texts, as they show now.
    void refreshClock();

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Panel
    {
        QString key;
        QWidget* widget;
        int width;
    };

    QLabel* addLabel(const QString& key, int width, const QString& text = QString());
    void arrange();

    std::vector<Panel> m_panels;
    QProgressBar* m_progress;
    QLabel* m_date = nullptr;
    QLabel* m_time = nullptr;
    QTimer m_clock;
};

} // namespace lumesk
