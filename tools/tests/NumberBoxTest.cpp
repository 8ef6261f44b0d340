// The window as the keyboard sees it: the count boxes' key rules, the tab order, the captions
// and the File menu.

#include "tools/NumberBox.h"

#include "tools/frmMain.h"
#include "tools/GorvaneTexts.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace gorvane::testing {

namespace {

void press(QWidget& widget, int key, const QString& text = QString(),
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &event);
}

void loseFocus(QWidget& widget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &event);
}

TEST(NumberBox, TakesOnlyDigitsAndEditingKeys)
{
    NumberBox box(QStringLiteral("2"));
    box.clear();
    press(box, Qt::Key_1, QStringLiteral("1"));
    press(box, Qt::Key_Minus, QStringLiteral("-"));
    press(box, Qt::Key_Period, QStringLiteral("."));
    press(box, Qt::Key_A, QStringLiteral("a"));
    press(box, Qt::Key_V, QStringLiteral("v"), Qt::ControlModifier); // paste
    press(box, Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(box.text(), QStringLiteral("15"));
    press(box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QStringLiteral("1"));
}

TEST(NumberBox, PutsItsDefaultBackForTextThatIsNoNumber)
{
    NumberBox digits(QStringLiteral("2"));
    digits.clear();
    loseFocus(digits);
    EXPECT_EQ(digits.text(), QStringLiteral("2"));

    NumberBox decimals(QStringLiteral("0"));
    decimals.setText(QStringLiteral("x"));
    loseFocus(decimals);
    EXPECT_EQ(decimals.text(), QStringLiteral("0"));
    decimals.setText(QStringLiteral("3"));
    loseFocus(decimals);
    EXPECT_EQ(decimals.text(), QStringLiteral("3"));
}

TEST(ToolsWindow, ShowsTheCaptionsAndFieldLists)
{
    frmMain window(ToolsSettings{});
    EXPECT_EQ(window.windowTitle(), texts::WindowCaption);
    const auto caption = [&window](const char* name) {
        if (auto* button = window.findChild<QPushButton*>(QLatin1String(name)))
            return button->text();
        if (auto* label = window.findChild<QLabel*>(QLatin1String(name)))
            return label->text();
        return QStringLiteral("<missing>");
    };
    EXPECT_EQ(caption("cmdFixFullPathProblem"),
              QStringLiteral("Fix \"Cannot find its own executable\" problem"));
    EXPECT_EQ(caption("cmdFixMarketValue"),
              QStringLiteral("Set All ZERO Market Value to Last Transaction Value"));
    EXPECT_EQ(caption("cmdY2KFix"), QStringLiteral("Fix Y2K Problem"));
    EXPECT_EQ(caption("cmdGO"), QStringLiteral("CHANGE ALL!"));
    EXPECT_EQ(caption("cmdZeroPadding"), QStringLiteral("PAD ALL!"));
    EXPECT_EQ(caption("lblField"), QStringLiteral("Field to change:"));
    EXPECT_EQ(caption("lblFromValue"), QStringLiteral("Original value:"));
    EXPECT_EQ(caption("lblNewValue"), QStringLiteral("New value:"));
    EXPECT_EQ(caption("lblDigits"), QStringLiteral("Number of digits:"));
    EXPECT_EQ(caption("lblDecimals"), QStringLiteral("Number of decimals:"));

    auto* fields = window.findChild<QComboBox*>(QStringLiteral("cboFields"));
    ASSERT_NE(fields, nullptr);
    EXPECT_EQ(fields->count(), 11);
    EXPECT_EQ(fields->itemText(1), QStringLiteral("From"));
    EXPECT_EQ(fields->currentIndex(), -1);
    auto* padFields = window.findChild<QComboBox*>(QStringLiteral("cboZeroPadFields"));
    ASSERT_NE(padFields, nullptr);
    EXPECT_EQ(padFields->count(), 5);
    EXPECT_EQ(padFields->currentIndex(), -1);
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtDigits"))->text(),
              QStringLiteral("2"));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("txtDecimals"))->text(),
              QStringLiteral("0"));
}

TEST(ToolsWindow, TabsThroughTheControlsTopToBottom)
{
    frmMain window(ToolsSettings{});
    QStringList order;
    QWidget* widget = window.findChild<QWidget*>(QStringLiteral("cmdFixFullPathProblem"));
    for (int i = 0; i < 40 && widget && order.size() < 11; ++i, widget = widget->nextInFocusChain())
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
    EXPECT_EQ(order,
              (QStringList{"cmdFixFullPathProblem", "cmdFixMarketValue", "cmdY2KFix", "cboFields",
                           "txtFromValue", "txtNewValue", "cmdGO", "cboZeroPadFields", "txtDigits",
                           "txtDecimals", "cmdZeroPadding"}));
}

TEST(ToolsWindow, FileExitClosesTheWindow)
{
    frmMain window(ToolsSettings{});
    window.show();
    auto* exit = window.findChild<QAction*>(QStringLiteral("mnuFile_Exit"));
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    auto* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    exit->trigger();
    EXPECT_FALSE(window.isVisible());
}

} // namespace

} // namespace gorvane::testing
