#include "NonInteractiveUser.h"

#include "MsgBox.h"

#include <cstdio>
#include <QDialog>
#include <QFile>

namespace shell {

namespace {

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString severity(int style)
{
    switch (msgBoxIcon(style)) {
    case MsgBoxIcon::Critical:
        return QStringLiteral("Error");
    case MsgBoxIcon::Exclamation:
        return QStringLiteral("Warning");
    case MsgBoxIcon::Question:
        return QStringLiteral("Question");
    case MsgBoxIcon::Information:
    case MsgBoxIcon::None:
        break;
    }
    return QStringLiteral("Message");
}

} // namespace

NonInteractiveUser::NonInteractiveUser(int preferredAnswer, QIODevice* output)
    : m_preferredAnswer(preferredAnswer), m_output(output)
{
    if (m_output == nullptr) {
        auto standardOutput = std::make_unique<QFile>();
        if (standardOutput->open(stdout, QIODevice::WriteOnly | QIODevice::Text))
            m_ownOutput = std::move(standardOutput);
        m_output = m_ownOutput.get();
    }
}

NonInteractiveUser::~NonInteractiveUser() = default;

void NonInteractiveUser::writeLine(const QString& line)
{
    if (m_output == nullptr)
        return;
    m_output->write((line + QLatin1Char('\n')).toUtf8());
    if (auto* file = qobject_cast<QFile*>(m_output))
        file->flush();
}

int NonInteractiveUser::msgBox(const QString& prompt, int style, const QString& title)
{
    const int answer =
        msgBoxOffers(style, m_preferredAnswer) ? m_preferredAnswer : msgBoxDefaultResult(style);
    writeLine(QStringLiteral("%1 - %2: %3 [%4: %5]")
                  .arg(title, severity(style), oneLine(prompt), describeMsgBoxStyle(style),
                       msgBoxResultName(answer)));
    return answer;
}

int NonInteractiveUser::execModal(QDialog& dialog)
{
    writeLine(
        QStringLiteral("%1: window not shown in an unattended run (cancelled)")
            .arg(dialog.windowTitle().isEmpty() ? dialog.objectName() : dialog.windowTitle()));
    return QDialog::Rejected;
}

void NonInteractiveUser::showModal(QWidget& window)
{
    writeLine(
        QStringLiteral("%1: window not shown in an unattended run")
            .arg(window.windowTitle().isEmpty() ? window.objectName() : window.windowTitle()));
}

bool NonInteractiveUser::startProcess(const QString& program, const QStringList& arguments)
{
    return m_desktop.startProcess(program, arguments);
}

void NonInteractiveUser::setClipboardText(const QString& text)
{
    m_desktop.setClipboardText(text);
}

QString NonInteractiveUser::clipboardText()
{
    return m_desktop.clipboardText();
}

QString NonInteractiveUser::fileDialog(const FileDialogRequest& request)
{
    writeLine(QStringLiteral("%1: no file can be chosen in an unattended run (cancelled)")
                  .arg(request.caption));
    return QString();
}

} // namespace shell
