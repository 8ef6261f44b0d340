#include "MsgBox.h"

#include "User.h"

#include <algorithm>
#include <QCoreApplication>
#include <QStringList>

namespace shell {

namespace {

constexpr int buttonSetMask = 0x0F;
constexpr int iconMask = 0xF0;
constexpr int defaultButtonMask = 0xF00;

} // namespace

std::vector<int> msgBoxButtons(int style)
{
    switch (style & buttonSetMask) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int msgBoxDefaultResult(int style)
{
    const std::vector<int> buttons = msgBoxButtons(style);
    const auto index = static_cast<std::size_t>((style & defaultButtonMask) >> 8);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

int msgBoxEscapeResult(int style)
{
    const std::vector<int> buttons = msgBoxButtons(style);
    if (buttons.size() == 1)
        return buttons.front();
    if (std::find(buttons.begin(), buttons.end(), vbCancel) != buttons.end())
        return vbCancel;
    return 0;
}

MsgBoxIcon msgBoxIcon(int style)
{
    switch (style & iconMask) {
    case vbCritical:
        return MsgBoxIcon::Critical;
    case vbQuestion:
        return MsgBoxIcon::Question;
    case vbExclamation:
        return MsgBoxIcon::Exclamation;
    case vbInformation:
        return MsgBoxIcon::Information;
    default:
        return MsgBoxIcon::None;
    }
}

bool msgBoxOffers(int style, int result)
{
    const std::vector<int> buttons = msgBoxButtons(style);
    return std::find(buttons.begin(), buttons.end(), result) != buttons.end();
}

QString msgBoxResultName(int result)
{
    switch (result) {
    case vbOK:
        return QStringLiteral("OK");
    case vbCancel:
        return QStringLiteral("Cancel");
    case vbAbort:
        return QStringLiteral("Abort");
    case vbRetry:
        return QStringLiteral("Retry");
    case vbIgnore:
        return QStringLiteral("Ignore");
    case vbYes:
        return QStringLiteral("Yes");
    case vbNo:
        return QStringLiteral("No");
    default:
        return QStringLiteral("(%1)").arg(result);
    }
}

QString describeMsgBoxStyle(int style)
{
    QStringList names;
    for (const int result : msgBoxButtons(style))
        names << msgBoxResultName(result);
    QString text = names.join(QLatin1Char('/'));
    if (names.size() > 1)
        text += QStringLiteral(", default ") + msgBoxResultName(msgBoxDefaultResult(style));
    return text;
}

int msgBox(const QString& prompt, int style, const QString& title)
{
    const QString shownTitle = title.isEmpty() ? QCoreApplication::applicationName() : title;
    return currentUser().msgBox(prompt, style, shownTitle);
}

} // namespace shell
