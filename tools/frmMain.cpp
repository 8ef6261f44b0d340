#include "frmMain.h"

#include "common/cRegistry.h"
#include "DatabaseOpening.h"
#include "DateCenturyRepair.h"
#include "GlobalValueChange.h"
#include "GorvaneTexts.h"
#include "MarketValueRepair.h"
#include "NormalisedMonth.h"
#include "NumberBox.h"
#include "platform/jet/Connection.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/WaitCursor.h"
#include "platform/vb/Error.h"
#include "ProgramPathRepair.h"
#include "ZeroPadding.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace gorvane {

namespace {

QLabel* namedLabel(const QString& name, const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QComboBox* fieldList(const QString& name, const QStringList& items, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(-1); // nothing chosen until the user chooses
    return list;
}

// The message a repair ends with.
QString completionMessage(long long count)
{
    return texts::operationCompleted(count);
}

QString completionMessage(const PadResult& result)
{
    return texts::zeroPaddingCompleted(result.written, result.leftAmbiguous);
}

} // namespace

frmMain::frmMain(ToolsSettings settings, QWidget* parent)
    : QWidget(parent), m_settings(std::move(settings))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(texts::WindowCaption);
    // The window's position is kept under its own name among the suite's windows.
    setProperty("Tag", QStringLiteral("frmGorvane"));
    setProperty("BorderStyle", 1); // fixed single: only the position is restored

    auto* layout = new QVBoxLayout(this);
    buildMenu();
    layout->setMenuBar(findChild<QMenuBar*>(QStringLiteral("menu")));
    m_cmdFixFullPathProblem =
        addButton(QStringLiteral("cmdFixFullPathProblem"), texts::FixFullPathProblem);
    m_cmdFixMarketValue = addButton(QStringLiteral("cmdFixMarketValue"), texts::FixMarketValue);
    m_cmdY2KFix = addButton(QStringLiteral("cmdY2KFix"), texts::Y2KFix);
    for (QPushButton* button : {m_cmdFixFullPathProblem, m_cmdFixMarketValue, m_cmdY2KFix})
        layout->addWidget(button);
    layout->addWidget(buildGlobalValueChange());
    layout->addWidget(buildZeroPadding());
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("stsStatus"));
    status->setSizeGripEnabled(false);
    layout->addWidget(status);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdFixFullPathProblem, &QPushButton::clicked, this,
            &frmMain::cmdFixFullPathProblem_Click);
    connect(m_cmdFixMarketValue, &QPushButton::clicked, this, &frmMain::cmdFixMarketValue_Click);
    connect(m_cmdY2KFix, &QPushButton::clicked, this, &frmMain::cmdY2KFix_Click);
    connect(m_cmdGO, &QPushButton::clicked, this, &frmMain::cmdGO_Click);
    connect(m_cmdZeroPadding, &QPushButton::clicked, this, &frmMain::cmdZeroPadding_Click);
    arrangeTabOrder();

    cRegistry().LoadFormPosition(*this);
}

frmMain::~frmMain() = default;

void frmMain::buildMenu()
{
    auto* menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("menu"));
    QMenu* file = menu->addMenu(texts::MenuFile);
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = file->addAction(texts::MenuFileExit);
    exit->setObjectName(QStringLiteral("mnuFile_Exit"));
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    // The shortcut works while the menu is closed, too.
    addAction(exit);
    connect(exit, &QAction::triggered, this, &frmMain::mnuFile_Exit_Click);
}

QPushButton* frmMain::addButton(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(true); // Enter presses the button that has the focus
    return button;
}

QWidget* frmMain::buildGlobalValueChange()
{
    auto* frame = new QGroupBox(texts::GlobalValueChange, this);
    frame->setObjectName(QStringLiteral("fraGlobalValueChange"));
    auto* form = new QFormLayout(frame);
    m_cboFields = fieldList(QStringLiteral("cboFields"), globalChangeCaptions(), frame);
    m_txtFromValue = new QLineEdit(frame);
    m_txtFromValue->setObjectName(QStringLiteral("txtFromValue"));
    m_txtNewValue = new QLineEdit(frame);
    m_txtNewValue->setObjectName(QStringLiteral("txtNewValue"));
    m_cmdGO = addButton(QStringLiteral("cmdGO"), texts::ChangeAll);
    form->addRow(namedLabel(QStringLiteral("lblField"), texts::FieldToChange, m_cboFields, frame),
                 m_cboFields);
    form->addRow(
        namedLabel(QStringLiteral("lblFromValue"), texts::OriginalValue, m_txtFromValue, frame),
        m_txtFromValue);
    form->addRow(namedLabel(QStringLiteral("lblNewValue"), texts::NewValue, m_txtNewValue, frame),
                 m_txtNewValue);
    form->addRow(m_cmdGO);
    return frame;
}

QWidget* frmMain::buildZeroPadding()
{
    auto* frame = new QGroupBox(texts::ZeroPadding, this);
    frame->setObjectName(QStringLiteral("fraZeroPadding"));
    auto* form = new QFormLayout(frame);
    m_cboZeroPadFields = fieldList(QStringLiteral("cboZeroPadFields"), zeroPadFields(), frame);
    m_txtDigits = new NumberBox(texts::DefaultDigits, frame);
    m_txtDigits->setObjectName(QStringLiteral("txtDigits"));
    m_txtDecimals = new NumberBox(texts::DefaultDecimals, frame);
    m_txtDecimals->setObjectName(QStringLiteral("txtDecimals"));
    m_cmdZeroPadding = addButton(QStringLiteral("cmdZeroPadding"), texts::PadAll);
    form->addRow(namedLabel(QStringLiteral("lblZeroPadField"), texts::FieldToChange,
                            m_cboZeroPadFields, frame),
                 m_cboZeroPadFields);
    form->addRow(namedLabel(QStringLiteral("lblDigits"), texts::NumberOfDigits, m_txtDigits, frame),
                 m_txtDigits);
    form->addRow(
        namedLabel(QStringLiteral("lblDecimals"), texts::NumberOfDecimals, m_txtDecimals, frame),
        m_txtDecimals);
    form->addRow(m_cmdZeroPadding);
    return frame;
}

void frmMain::arrangeTabOrder()
{
    QWidget* const order[] = {m_cmdFixFullPathProblem,
                              m_cmdFixMarketValue,
                              m_cmdY2KFix,
                              m_cboFields,
                              m_txtFromValue,
                              m_txtNewValue,
                              m_cmdGO,
                              m_cboZeroPadFields,
                              m_txtDigits,
                              m_txtDecimals,
                              m_cmdZeroPadding};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    cRegistry().SaveFormPosition(*this);
    QWidget::closeEvent(event);
}

int frmMain::message(const QString& prompt, int style) const
{
    return shell::msgBox(prompt, style, texts::WindowCaption);
}

bool frmMain::confirmed(const QString& question) const
{
    return message(question, shell::vbYesNo | shell::vbQuestion) == shell::vbYes;
}

bool frmMain::openDatabase(jet::Connection& connection)
{
    {
        const shell::WaitCursor hourglass;
        if (openForRepair(connection, m_settings.databasePath, m_settings.lockWait))
            return true;
    }
    message(texts::openError(m_settings.databasePath), shell::vbCritical);
    close();
    return false;
}

template <typename Repair>
void frmMain::runRepair(Repair&& repair)
{
    jet::Connection connection;
    if (!openDatabase(connection))
        return;
    decltype(repair(connection)) result{};
    try {
        const shell::WaitCursor hourglass;
        result = repair(connection);
        connection.close();
    } catch (const vb::Error& error) {
        message(texts::repairFailed(error.description(), error.source()), shell::vbCritical);
        return;
    } catch (const std::exception& error) {
        message(texts::repairFailed(QString::fromLocal8Bit(error.what()), QString()),
                shell::vbCritical);
        return;
    }
    message(completionMessage(result), shell::vbInformation);
}

void frmMain::cmdFixFullPathProblem_Click()
{
    const QString& programFolder = m_settings.programFolder;
    message(texts::currentAppPath(programFolder), shell::vbOKOnly);
    const std::optional<QString> mainFolder = mainFolderOf(programFolder);
    if (!mainFolder) {
        message(texts::noToolsFolder(programFolder), shell::vbExclamation);
        return;
    }
    if (!confirmed(texts::mainFolderQuestion(*mainFolder)))
        return;
    const reg::Status status = saveMainFolder(*mainFolder);
    if (status != reg::ERROR_SUCCESS) {
        message(texts::repairFailed(QStringLiteral("The main folder path could not be written to "
                                                   "the registry (status %1).")
                                        .arg(status),
                                    QString()),
                shell::vbCritical);
        return;
    }
    message(texts::OperationCompletedPlain, shell::vbInformation);
}

void frmMain::cmdFixMarketValue_Click()
{
    if (!confirmed(texts::marketValueQuestion()))
        return;
    runRepair(SetZeroMarketValues);
}

void frmMain::cmdY2KFix_Click()
{
    runRepair(FixY2KDates);
}

void frmMain::cmdGO_Click()
{
    const QString caption = m_cboFields->currentText();
    const QString field = wineField(caption);
    if (field.isEmpty()) {
        message(texts::NoFieldChosen, shell::vbExclamation);
        return;
    }
    if (caption == QLatin1String("Vintage")) {
        if (!isValidVintage(m_txtFromValue->text()) || !isValidVintage(m_txtNewValue->text())) {
            message(texts::InvalidYearValue, shell::vbExclamation);
            return;
        }
    } else if (isDrinkingWindowCaption(caption)) {
        m_txtFromValue->setText(NormaliseMonth(m_txtFromValue->text()));
        m_txtNewValue->setText(NormaliseMonth(m_txtNewValue->text()));
    }
    const QString oldValue = m_txtFromValue->text();
    const QString newValue = m_txtNewValue->text();
    if (!confirmed(texts::changeAllQuestion(caption, oldValue, newValue)))
        return;
    runRepair([&](jet::Connection& connection) {
        return ChangeAllValues(connection, field, oldValue, newValue);
    });
}

void frmMain::cmdZeroPadding_Click()
{
    const QString field = m_cboZeroPadFields->currentText();
    if (m_cboZeroPadFields->currentIndex() < 0 || field.isEmpty()) {
        message(texts::NoFieldChosen, shell::vbExclamation);
        return;
    }
    const QString format = zeroPadFormat(m_txtDigits->text(), m_txtDecimals->text());
    const QString sample = zeroPadSample(format, localeDecimalSign());
    if (!confirmed(texts::zeroPadQuestion(field, sample)))
        return;
    runRepair([&](jet::Connection& connection) { return PadAllValues(connection, field, format); });
}

void frmMain::mnuFile_Exit_Click()
{
    close();
}

} // namespace gorvane
