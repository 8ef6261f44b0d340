#pragma once

// Message boxes with VB's MsgBox numbers: the style is a sum of one button set, one icon and one
// default-button flag; the result names the button that was pressed.

#include <QString>
#include <vector>

namespace shell {

// Button sets.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;

// Icons.
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

// Which button is the default (pressed by Enter).
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Results.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

enum class MsgBoxIcon
{
    None,
    Critical,
    Question,
    Exclamation,
    Information
};

// The results of the style's buttons, left to right. An unknown button set counts as OK only.
std::vector<int> msgBoxButtons(int style);
// The result of the default button; a default flag beyond the last button means the first.
int msgBoxDefaultResult(int style);
// The result Escape gives, or 0 when the box cannot be dismissed that way (Yes/No,
// Abort/Retry/Ignore).
int msgBoxEscapeResult(int style);
MsgBoxIcon msgBoxIcon(int style);
// Whether `result` is one of the style's buttons.
bool msgBoxOffers(int style, int result);
// The button's caption without accelerator ("Yes"), for logs and test messages.
QString msgBoxResultName(int result);
// "Yes/No, default No": a box's buttons, for logs and test messages.
QString describeMsgBoxStyle(int style);

// Shows a message box through the installed user (GUI, scripted or non-interactive) and returns
// the button pressed. An empty title means the application's name, as in VB.
int msgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

} // namespace shell
