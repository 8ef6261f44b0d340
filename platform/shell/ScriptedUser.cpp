#include "ScriptedUser.h"

#include "MsgBox.h"
#include "WaitCursor.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

namespace shell {

namespace {

QString kindName(FileDialogRequest::Kind kind)
{
    switch (kind) {
    case FileDialogRequest::Kind::Open:
        return QStringLiteral("open-file dialog");
    case FileDialogRequest::Kind::Save:
        return QStringLiteral("save-file dialog");
    case FileDialogRequest::Kind::Directory:
        return QStringLiteral("folder dialog");
    }
    return QString();
}

QString windowName(const QWidget& window)
{
    return window.objectName().isEmpty()
               ? QStringLiteral("(unnamed %1)")
                     .arg(QString::fromLatin1(window.metaObject()->className()))
               : window.objectName();
}

void pumpEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

} // namespace

ScriptedUser::ScriptedUser()
    : m_failureHandler([](const QString& what) {
          std::fprintf(stderr, "ScriptedUser: %s\n", qPrintable(what));
          std::fflush(stderr);
      })
{
}

ScriptedUser::~ScriptedUser() = default;

ScriptedUser& ScriptedUser::expectMessage(const PromptMatcher& prompt, int answer)
{
    m_expectedMessages.push_back({prompt, answer});
    return *this;
}

ScriptedUser& ScriptedUser::alwaysAnswer(const PromptMatcher& prompt, int answer)
{
    m_standingAnswers.push_back({prompt, answer});
    return *this;
}

ScriptedUser& ScriptedUser::expectModal(const QString& objectName, ModalScript script)
{
    m_expectedModals.push_back({objectName, std::move(script)});
    return *this;
}

ScriptedUser& ScriptedUser::expectOpenFileName(const QString& path)
{
    m_expectedFiles.push_back({FileDialogRequest::Kind::Open, path});
    return *this;
}

ScriptedUser& ScriptedUser::expectSaveFileName(const QString& path)
{
    m_expectedFiles.push_back({FileDialogRequest::Kind::Save, path});
    return *this;
}

ScriptedUser& ScriptedUser::expectExistingDirectory(const QString& path)
{
    m_expectedFiles.push_back({FileDialogRequest::Kind::Directory, path});
    return *this;
}

void ScriptedUser::setProcessScript(ProcessScript script)
{
    m_processScript = std::move(script);
}

void ScriptedUser::setFailureHandler(FailureHandler handler)
{
    m_failureHandler = std::move(handler);
}

QStringList ScriptedUser::unused() const
{
    QStringList list;
    for (const MessageAnswer& expected : m_expectedMessages)
        list << QStringLiteral("message box %1 (to answer %2) was never shown")
                    .arg(expected.prompt.describe(), msgBoxResultName(expected.answer));
    for (const ModalStep& step : m_expectedModals)
        list << QStringLiteral("modal window \"%1\" was never shown").arg(step.objectName);
    for (const FileAnswer& file : m_expectedFiles)
        list << QStringLiteral("%1 (to answer \"%2\") was never shown")
                    .arg(kindName(file.kind), file.path);
    return list;
}

void ScriptedUser::fail(const QString& what)
{
    m_unexpected << what;
    if (m_failureHandler)
        m_failureHandler(what);
}

int ScriptedUser::answerFor(const QString& prompt, int style)
{
    const int fallback = msgBoxDefaultResult(style);
    int answer = 0;
    if (!m_expectedMessages.empty() && m_expectedMessages.front().prompt.matches(prompt)) {
        answer = m_expectedMessages.front().answer;
        m_expectedMessages.pop_front();
    } else {
        for (const MessageAnswer& standing : m_standingAnswers) {
            if (standing.prompt.matches(prompt)) {
                answer = standing.answer;
                break;
            }
        }
    }
    if (answer == 0) {
        const QString next = m_expectedMessages.empty()
                                 ? QStringLiteral("none")
                                 : m_expectedMessages.front().prompt.describe();
        fail(QStringLiteral("unexpected message box \"%1\" (%2); next scripted: %3; answered %4")
                 .arg(prompt, describeMsgBoxStyle(style), next, msgBoxResultName(fallback)));
        return fallback;
    }
    if (!msgBoxOffers(style, answer)) {
        fail(QStringLiteral("scripted answer %1 is not a button of message box \"%2\" (%3); "
                            "answered %4")
                 .arg(msgBoxResultName(answer), prompt, describeMsgBoxStyle(style),
                      msgBoxResultName(fallback)));
        return fallback;
    }
    return answer;
}

int ScriptedUser::msgBox(const QString& prompt, int style, const QString& title)
{
    const int answer = answerFor(prompt, style);
    m_messages.push_back({prompt, style, title, answer, mousePointer() == vbHourglass});
    return answer;
}

ScriptedUser::ModalScript ScriptedUser::takeModalScript(const QWidget& window)
{
    if (m_expectedModals.empty()) {
        fail(QStringLiteral("unexpected modal window \"%1\"; no window was scripted; cancelled")
                 .arg(windowName(window)));
        return {};
    }
    const QString expectedName = m_expectedModals.front().objectName;
    if (!expectedName.isEmpty() && expectedName != window.objectName()) {
        fail(QStringLiteral("unexpected modal window \"%1\"; next scripted: \"%2\"; cancelled")
                 .arg(windowName(window), expectedName));
        return {};
    }
    ModalScript script = std::move(m_expectedModals.front().script);
    m_expectedModals.pop_front();
    return script;
}

bool ScriptedUser::runModalScript(QWidget& window, const ModalScript& script)
{
    // Shown (not exec'd) so the script sees visible widgets and works them as a user would.
    QPointer<QWidget> guarded(&window);
    window.show();
    pumpEvents();
    if (script)
        script(window);
    pumpEvents();
    return !guarded || !guarded->isVisible();
}

int ScriptedUser::execModal(QDialog& dialog)
{
    const QString name = windowName(dialog);
    const QString title = dialog.windowTitle();
    const ModalScript script = takeModalScript(dialog);
    if (!script) {
        m_modals.push_back({name, title, QDialog::Rejected});
        return QDialog::Rejected;
    }

    int result = QDialog::Rejected;
    QPointer<QDialog> guarded(&dialog);
    const auto connection =
        QObject::connect(&dialog, &QDialog::finished, [&result](int code) { result = code; });
    dialog.setResult(QDialog::Rejected);
    if (!runModalScript(dialog, script)) {
        fail(QStringLiteral("modal dialog \"%1\" was still open after its script; cancelled")
                 .arg(name));
        dialog.reject();
    }
    if (guarded) {
        QObject::disconnect(connection);
        result = guarded->result();
    }
    m_modals.push_back({name, title, result});
    return result;
}

void ScriptedUser::showModal(QWidget& window)
{
    const QString name = windowName(window);
    const QString title = window.windowTitle();
    const ModalScript script = takeModalScript(window);
    m_modals.push_back({name, title, 0});
    if (!script)
        return;
    QPointer<QWidget> guarded(&window);
    if (!runModalScript(window, script)) {
        fail(QStringLiteral("modal window \"%1\" was still open after its script; closed")
                 .arg(name));
        if (guarded)
            guarded->close();
    }
}

bool ScriptedUser::startProcess(const QString& program, const QStringList& arguments)
{
    m_processes.push_back({program, arguments});
    return m_processScript ? m_processScript(program, arguments) : true;
}

void ScriptedUser::setClipboardText(const QString& text)
{
    m_clipboard = text;
}

QString ScriptedUser::clipboardText()
{
    return m_clipboard;
}

QString ScriptedUser::fileDialog(const FileDialogRequest& request)
{
    QString answer;
    if (!m_expectedFiles.empty() && m_expectedFiles.front().kind == request.kind) {
        answer = m_expectedFiles.front().path;
        m_expectedFiles.pop_front();
    } else {
        const QString next = m_expectedFiles.empty() ? QStringLiteral("none")
                                                     : kindName(m_expectedFiles.front().kind);
        fail(QStringLiteral("unexpected %1 \"%2\"; next scripted: %3; cancelled")
                 .arg(kindName(request.kind), request.caption, next));
    }
    m_fileDialogs.push_back(
        {request.kind, request.caption, request.directory, request.filter, answer});
    return answer;
}

} // namespace shell
