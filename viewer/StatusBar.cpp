// The viewer window's status bar panels.
#include "viewer/StatusBar.h"

#include "platform/vb/DateFunctions.h"
#include "platform/vb/Format.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QSizeGrip>

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

constexpr int kClockIntervalMs = 10'000;
constexpr int kHeight = 22;

QLabel* sunkenLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent), m_progress(new QProgressBar(this))
{
    m_progress->setObjectName(u"stsProgressBar"_s);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_panels.push_back({m_progress->objectName(), m_progress, 0});

    // The keyboard's states are not known to a Qt program: the indicators stay dimmed.
    addLabel(u"stsINS"_s, 40, u"INS"_s)->setEnabled(false);
    addLabel(u"stsCAPS"_s, 46, u"CAPS"_s)->setEnabled(false);
    m_date = addLabel(u"stsDATE"_s, 86);
    m_time = addLabel(u"stsTIME"_s, 52);

    auto* grabber = new QSizeGrip(this);
    grabber->setObjectName(u"stsGrabber"_s);
    m_panels.push_back({grabber->objectName(), grabber, 18});

    refreshClock();
    m_clock.setInterval(kClockIntervalMs);
    connect(&m_clock, &QTimer::timeout, this, &StatusBar::refreshClock);
    m_clock.start();
}

QLabel* StatusBar::addLabel(const QString& key, int width, const QString& text)
{
    QLabel* label = sunkenLabel(this, text);
    label->setObjectName(key);
    m_panels.push_back({key, label, width});
    return label;
}

QStringList StatusBar::panelKeys() const
{
    QStringList keys;
    for (const Panel& panel : m_panels)
        keys << panel.key;
    return keys;
}

QWidget* StatusBar::panel(const QString& key) const
{
    for (const Panel& panel : m_panels)
        if (panel.key == key)
            return panel.widget;
    return nullptr;
}

int StatusBar::panelWidth(const QString& key) const
{
    for (const Panel& panel : m_panels)
        if (panel.key == key)
            return panel.width;
    return 0;
}

void StatusBar::setPanelWidth(const QString& key, int width)
{
    for (Panel& panel : m_panels)
        if (panel.key == key)
            panel.width = std::max(0, width);
    arrange();
}

void StatusBar::refreshClock()
{
    const vb::Variant now = vb::Now();
    m_date->setText(vb::Format(now, u"Short Date"_s).toString());
    m_time->setText(vb::Format(now, u"HH:MM"_s).toString());
}

QSize StatusBar::sizeHint() const
{
    return QSize(400, kHeight);
}

void StatusBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void StatusBar::arrange()
{
    int x = 0;
    for (const Panel& panel : m_panels) {
        panel.widget->setGeometry(x, 1, panel.width, height() - 2);
        x += panel.width;
    }
}

} // namespace lumesk
