// The preview's find bar.
#include "platform/reportengine/preview/FindBar.h"

#include "platform/reportengine/preview/ToolIcons.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace report {

namespace {

QToolButton* toolButton(QWidget* parent, const QString& name, const QString& text,
                        const QString& toolTip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

FindBar::FindBar(QWidget* parent)
    : QWidget(parent), m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox(u"Match case"_s, this)),
      m_wholeWord(new QCheckBox(u"Whole words"_s, this)), m_status(new QLabel(this))
{
    setObjectName(u"findBar"_s);
    m_text->setObjectName(u"findText"_s);
    m_text->setPlaceholderText(u"Find in the report"_s);
    m_text->setClearButtonEnabled(true);
    m_text->setMinimumWidth(220);
    m_text->installEventFilter(this);
    m_matchCase->setObjectName(u"findMatchCase"_s);
    m_wholeWord->setObjectName(u"findWholeWord"_s);
    m_status->setObjectName(u"findStatus"_s);

    auto* previous =
        toolButton(this, u"findPrevious"_s, u"Previous"_s, u"Previous hit (Shift+Enter)"_s);
    previous->setIcon(toolIcon(ToolIcon::PreviousPage));
    previous->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* next = toolButton(this, u"findNext"_s, u"Next"_s, u"Next hit (Enter)"_s);
    next->setIcon(toolIcon(ToolIcon::NextPage));
    next->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* close = toolButton(this, u"findClose"_s, u"\u2715"_s, u"Close (Escape)"_s);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 3, 6, 3);
    row->addWidget(new QLabel(u"Find:"_s, this));
    row->addWidget(m_text);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(m_matchCase);
    row->addWidget(m_wholeWord);
    row->addWidget(m_status, 1);
    row->addWidget(close);

    connect(previous, &QToolButton::clicked, this, [this] { emit findRequested(true); });
    connect(next, &QToolButton::clicked, this, [this] { emit findRequested(false); });
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit closed();
    });
    connect(m_text, &QLineEdit::textEdited, this, &FindBar::textEdited);
    connect(m_matchCase, &QCheckBox::toggled, this, &FindBar::textEdited);
    connect(m_wholeWord, &QCheckBox::toggled, this, &FindBar::textEdited);
}

QString FindBar::text() const
{
    return m_text->text();
}

FindOptions FindBar::options(bool backwards) const
{
    FindOptions options;
    options.caseSensitivity = m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    options.wholeWord = m_wholeWord->isChecked();
    options.backwards = backwards;
    return options;
}

void FindBar::setStatus(const QString& status)
{
    m_status->setText(status);
}

void FindBar::activate()
{
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findRequested(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace report
