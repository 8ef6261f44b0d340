#include "frmUpdateToVersion3_4.h"

#include "platform/shell/MsgBox.h"
#include "platform/shell/Shell.h"
#include "updater/UpdaterTexts.h"

#include <array>
#include <QButtonGroup>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* wrappedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmUpdateToVersion3_4::frmUpdateToVersion3_4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUpdateToVersion3_4"));
    setWindowTitle(updater::texts::Caption);
    setFont(QFont(QStringLiteral("Arial"), 9));
    setMinimumWidth(480);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrappedLabel(
        QStringLiteral("Label1"),
        QStringLiteral("In the previous versions of Quorvex, there was three important fields used "
                       "to evaluate when a wine is ready: the FROM, BEST and TO fields (these were "
                       "the original names, maybe you changed them)."),
        this));
    layout->addWidget(wrappedLabel(
        QStringLiteral("Label2"),
        QStringLiteral("In this new version, we are changing the way we handle this process by "
                       "adding new fields that will make things more precise for each of your "
                       "wines."),
        this));
    layout->addWidget(wrappedLabel(
        QStringLiteral("Label3"),
        QStringLiteral("But first, we need your help in understanding how exactly you were using "
                       "the FROM / BEST / TO years to manage your wines. Please answer the "
                       "following questions carefuly and then click OK."),
        this));
    layout->addWidget(addGroup(
        QStringLiteral("fraFrom"), QStringLiteral("FROM"), QStringLiteral("Label4"),
        QStringLiteral("In your database, you used the FROM year to specify when the wine:"),
        QStringLiteral("optFrom"),
        {QStringLiteral("would still benefit from aging, but really starts being drinkable"),
         QStringLiteral("enters its peak (best) period")},
        m_optFrom));
    layout->addWidget(addGroup(
        QStringLiteral("fraBest"), QStringLiteral("BEST"), QStringLiteral("Label5"),
        QStringLiteral("In your database, you used the BEST year to specify when the wine:"),
        QStringLiteral("optBest"),
        {QStringLiteral("enters its peak (best) periode"),
         QStringLiteral("reaches its very top quality"),
         QStringLiteral("is at the end of its peak (best) period")},
        m_optBest));
    layout->addWidget(
        addGroup(QStringLiteral("fraT"), QStringLiteral("TO"), QStringLiteral("Label6"),
                 QStringLiteral("In your database, you used the TO year to specify when the wine:"),
                 QStringLiteral("optTo"),
                 {QStringLiteral("is at the end of its peak (best) period / starts degrading"),
                  QStringLiteral("is dead (at the end of the degrading period)")},
                 m_optTo));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);

    // The first answer of each group is selected when the window opens.
    for (QButtonGroup* group : {m_optFrom, m_optBest, m_optTo})
        group->button(0)->setChecked(true);
    connect(m_optFrom, &QButtonGroup::idClicked, this, &frmUpdateToVersion3_4::optFrom_Click);
    connect(m_optBest, &QButtonGroup::idClicked, this, &frmUpdateToVersion3_4::optBest_Click);
}

QGroupBox* frmUpdateToVersion3_4::addGroup(const QString& frameName, const QString& caption,
                                           const QString& labelName, const QString& question,
                                           const QString& groupName, const QStringList& options,
                                           QButtonGroup*& group)
{
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(frameName);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(wrappedLabel(labelName, question, frame));
    group = new QButtonGroup(this);
    group->setObjectName(groupName);
    for (int index = 0; index < options.size(); ++index) {
        auto* option = new QRadioButton(options[index], frame);
        option->setObjectName(QStringLiteral("%1(%2)").arg(groupName).arg(index));
        group->addButton(option, index);
        layout->addWidget(option);
    }
    return frame;
}

void frmUpdateToVersion3_4::optFrom_Click(int index)
{
    QAbstractButton* bestPeak = m_optBest->button(0);
    if (index == 1) {
        const bool wasSelected = bestPeak->isChecked();
        bestPeak->setEnabled(false);
        if (wasSelected)
            m_optBest->button(1)->setChecked(true);
    } else if (index == 0) {
        bestPeak->setEnabled(true);
    }
}

void frmUpdateToVersion3_4::optBest_Click(int index)
{
    QAbstractButton* toEndOfPeak = m_optTo->button(0);
    if (index == 2) {
        const bool wasSelected = toEndOfPeak->isChecked();
        toEndOfPeak->setEnabled(false);
        if (wasSelected)
            m_optTo->button(1)->setChecked(true);
    } else {
        toEndOfPeak->setEnabled(true);
    }
}

int frmUpdateToVersion3_4::selectedIndex(const QButtonGroup& group, int none)
{
    const QList<QAbstractButton*> buttons = group.buttons();
    for (int index = 0; index < buttons.size(); ++index) {
        const QAbstractButton* option = group.button(index);
        if (option != nullptr && option->isChecked())
            return index;
    }
    return none;
}

std::uint8_t frmUpdateToVersion3_4::drinkWindowCode(int from, int best, int to)
{
    struct Answers
    {
        int from, best, to;
    };
    static constexpr std::array<Answers, 8> codes{
        {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 1, 1}, {0, 2, 1}, {1, 1, 0}, {1, 1, 1}, {1, 2, 1}}};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i].from == from && codes[i].best == best && codes[i].to == to)
            return static_cast<std::uint8_t>(i + 1);
    }
    return 0;
}

std::uint8_t frmUpdateToVersion3_4::drinkWindowCode() const
{
    return drinkWindowCode(selectedIndex(*m_optFrom, 0), selectedIndex(*m_optBest, 2),
                           selectedIndex(*m_optTo, 0));
}

std::uint8_t frmUpdateToVersion3_4::ShowForm()
{
    shell::showModal(*this);
    shell::msgBox(QStringLiteral("Thank you for your cooperation! We will now convert your data "
                                 "based on the information you supplied."),
                  shell::vbOKOnly, updater::texts::Caption);
    const std::uint8_t code = drinkWindowCode();
    hide();
    return code;
}
