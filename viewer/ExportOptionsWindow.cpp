// The shared part of the export options windows: controls from the format's options, filling
// and reading them, OK, Cancel and the select-all of text boxes.
#include "viewer/ExportOptionsWindow.h"

#include "platform/vb/ConversionFunctions.h"
#include "reports/CommonTools.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

bool isSlider(const report::ExportOption& option)
{
    return option.control.startsWith(u"sld"_s);
}

} // namespace

ExportOptionsWindow::ExportOptionsWindow(const report::ExportFormat& format,
                                         reports::CommonTools& commonTools, QWidget* owner)
    : QWidget(owner, Qt::Dialog), m_format(format), m_commonTools(commonTools),
      m_form(new QFormLayout)
{
    setObjectName(format.optionsWindow);
    setWindowTitle(languageKey(format.optionsCaption));
    setWindowModality(Qt::ApplicationModal);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QString ExportOptionsWindow::languageKey(const QString& caption)
{
    return u"d_"_s + caption;
}

void ExportOptionsWindow::build()
{
    if (m_built)
        return;
    m_built = true;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addLayout(m_form);
    for (const report::ExportOption& option : m_format.options)
        addOption(option);
    addButtons(*layout);
    setMinimumWidth(420);
    adjustSize();
}

void ExportOptionsWindow::addButtons(QVBoxLayout& layout)
{
    auto* cmdOk = new QPushButton(u"d_OK"_s, this);
    cmdOk->setObjectName(u"cmdOk"_s);
    cmdOk->setDefault(true);
    auto* cmdCancel = new QPushButton(u"d_Cancel"_s, this);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cmdOk);
    row->addWidget(cmdCancel);
    layout.addLayout(row);
    connect(cmdOk, &QPushButton::clicked, this, &ExportOptionsWindow::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &ExportOptionsWindow::cmdCancel_Click);
}

QLineEdit* ExportOptionsWindow::addTextBox(const QString& name, const QString& caption)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->installEventFilter(this);
    auto* label = new QLabel(languageKey(caption), this);
    label->setObjectName(u"lbl"_s + name.mid(3));
    label->setBuddy(box);
    m_form->addRow(label, box);
    return box;
}

void ExportOptionsWindow::addOption(const report::ExportOption& option)
{
    switch (option.kind) {
    case report::OptionKind::CheckBox: {
        auto* box = new QCheckBox(languageKey(option.caption), this);
        box->setObjectName(option.control);
        m_form->addRow(box);
        return;
    }
    case report::OptionKind::Text:
        addTextBox(option.control, option.caption);
        return;
    case report::OptionKind::List: {
        auto* list = new QComboBox(this);
        list->setObjectName(option.control);
        list->addItems(option.items);
        auto* label = new QLabel(languageKey(option.caption), this);
        label->setBuddy(list);
        m_form->addRow(label, list);
        return;
    }
    case report::OptionKind::Number:
        break;
    }
    if (isSlider(option)) {
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(option.control);
        slider->setRange(option.minimum, option.maximum);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(10);
        auto* shown = new QLabel(this);
        shown->setMinimumWidth(32);
        shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(slider, &QSlider::valueChanged, shown,
                [shown](int value) { shown->setNum(value); });
        auto* row = new QHBoxLayout;
        row->addWidget(slider, 1);
        row->addWidget(shown);
        auto* label = new QLabel(languageKey(option.caption), this);
        label->setBuddy(slider);
        m_form->addRow(label, row);
        return;
    }
    addTextBox(option.control, option.caption);
}

void ExportOptionsWindow::fill(const report::OptionTexts& stored, const QString& title)
{
    for (const report::ExportOption& option : m_format.options)
        fillOption(option, report::storedOptionText(stored, option, title));
}

void ExportOptionsWindow::fillOption(const report::ExportOption& option, const QString& text)
{
    QWidget* control = findChild<QWidget*>(option.control);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        box->setChecked(vb::valueOfText(text) != 0.0);
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
        slider->setValue(static_cast<int>(vb::valueOfText(text)));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        int index = option.storesPosition ? static_cast<int>(vb::valueOfText(text))
                                          : list->findText(text.trimmed(), Qt::MatchFixedString);
        if (index < 0 || index >= list->count())
            index = option.storesPosition ? static_cast<int>(vb::valueOfText(option.defaultText))
                                          : list->findText(option.defaultText);
        list->setCurrentIndex(index);
    } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setText(text);
    }
}

report::OptionTexts ExportOptionsWindow::choices() const
{
    report::OptionTexts texts;
    for (const report::ExportOption& option : m_format.options)
        texts.insert(option.valueName, optionText(option));
    return texts;
}

QString ExportOptionsWindow::optionText(const report::ExportOption& option) const
{
    QWidget* control = findChild<QWidget*>(option.control);
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked() ? u"-1"_s : u"0"_s;
    if (auto* slider = qobject_cast<QSlider*>(control))
        return QString::number(slider->value());
    if (auto* list = qobject_cast<QComboBox*>(control))
        return option.storesPosition ? QString::number(list->currentIndex()) : list->currentText();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    return storedOptionText({}, option);
}

void ExportOptionsWindow::cmdOk_Click()
{
    m_cancelled = false;
    hide();
}

void ExportOptionsWindow::cmdCancel_Click()
{
    m_cancelled = true;
    hide();
}

void ExportOptionsWindow::closeEvent(QCloseEvent* event)
{
    // Only the buttons hide the window on purpose; a close from the title bar is a cancel.
    if (isVisible())
        m_cancelled = true;
    event->accept();
}

bool ExportOptionsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            m_commonTools.SelectTextFieldContent(*box);
    return QWidget::eventFilter(watched, event);
}

} // namespace lumesk
