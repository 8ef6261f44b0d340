#include "frmMain.h"

#include "common/cRegistry.h"
#include "UpdaterTexts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace updater {

namespace {

constexpr int vbFixedSingle = 1; // the window keeps its designed size

QFont arial(int pointSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent), m_lblStatus(new QLabel(texts::CheckingVersions, this)),
      m_lblStep(new QLabel(this)), m_cmdOK(new QPushButton(texts::CloseButton, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setProperty("Tag", QStringLiteral("frmMain"));
    setProperty("BorderStyle", vbFixedSingle);
    setWindowTitle(texts::Caption);
    setFont(arial(9));

    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setFont(arial(10, true));
    m_lblStep->setObjectName(QStringLiteral("lblStep"));
    m_lblStep->setFont(arial(9));
    m_lblStep->setMinimumWidth(340);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setFont(arial(9));
    m_cmdOK->setEnabled(false);
    connect(m_cmdOK, &QPushButton::clicked, this, &QWidget::close);

    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_lblStep);
    layout->addStretch();
    layout->addWidget(m_cmdOK, 0, Qt::AlignRight);
    setFixedSize(400, 130);
}

void frmMain::showAndPaint()
{
    if (!m_positionLoaded) {
        cRegistry().LoadFormPosition(*this);
        m_positionLoaded = true;
    }
    show();
    repaint();
}

void frmMain::showProgressText(const QString& text)
{
    m_lblStep->setText(text);
    repaint();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        m_closeRefused = true;
        event->ignore();
        return;
    }
    if (isVisible())
        cRegistry().SaveFormPosition(*this);
    event->accept();
}

} // namespace updater
