#pragma once

// A user for tests: answers from a script, records everything shown, never waits.
//
// Scripted message answers and modal-window scripts are used in the order they were given: each
// message box must match the next scripted answer (or one of the standing answers given with
// alwaysAnswer). Anything the script did not foresee - an unknown prompt, a prompt out of order,
// an answer the box does not offer, a dialog nobody scripted or that its script left open - is
// recorded in unexpected(), reported to the failure handler and given a defined answer (the
// default button; "cancelled" for dialogs), so a forgotten script fails a test instead of
// hanging it. GTestScriptedUser turns those reports into GoogleTest failures.

#include "InstalledUser.h"
#include "PromptMatcher.h"

#include <deque>
#include <functional>
#include <QString>
#include <QStringList>
#include <vector>

namespace shell {

struct ShownMessage
{
    QString prompt;
    int style = 0;
    QString title;
    int answer = 0;
    bool hourglass = false; // whether the wait cursor was showing when the box came up
};

struct ShownModal
{
    QString objectName;
    QString windowTitle;
    int result = 0; // the dialog's result code; 0 for windows that are not dialogs
};

struct ShownFileDialog
{
    FileDialogRequest::Kind kind = FileDialogRequest::Kind::Open;
    QString caption;
    QString directory;
    QString filter;
    QString answer;
};

struct StartedProcess
{
    QString program;
    QStringList arguments;
};

class ScriptedUser : public InstalledUser
{
public:
    // Works the window's real widgets; it should close the window (accept(), reject(), done(),
    // close(), or a click on a button that does so).
    using ModalScript = std::function<void(QWidget&)>;
    using ProcessScript = std::function<bool(const QString&, const QStringList&)>;
    using FailureHandler = std::function<void(const QString&)>;

    ScriptedUser();
    ~ScriptedUser() override;

    // The next message box must match `prompt`; it is answered `answer` (vbYes, vbOK, ...).
    ScriptedUser& expectMessage(const PromptMatcher& prompt, int answer);
    // Every message box matching `prompt` that is not the next expected one gets `answer`.
    ScriptedUser& alwaysAnswer(const PromptMatcher& prompt, int answer);
    // The next modal window must have this object name (empty: any window).
    ScriptedUser& expectModal(const QString& objectName, ModalScript script);
    // The next file dialog must be of this kind and is answered with `path` (empty: cancelled).
    ScriptedUser& expectOpenFileName(const QString& path);
    ScriptedUser& expectSaveFileName(const QString& path);
    ScriptedUser& expectExistingDirectory(const QString& path);
    // Decides whether a started program "starts"; without one, every start succeeds. Nothing is
    // really started unless the script does it.
    void setProcessScript(ProcessScript script);
    // Replaces the default handler, which writes each failure to standard error.
    void setFailureHandler(FailureHandler handler);

    const std::vector<ShownMessage>& messages() const { return m_messages; }
    const std::vector<ShownModal>& modals() const { return m_modals; }
    const std::vector<ShownFileDialog>& fileDialogs() const { return m_fileDialogs; }
    const std::vector<StartedProcess>& processes() const { return m_processes; }
    // Every failure so far, in order.
    const QStringList& unexpected() const { return m_unexpected; }
    // The scripted answers and modal scripts that were never used.
    QStringList unused() const;

    int msgBox(const QString& prompt, int style, const QString& title) override;
    int execModal(QDialog& dialog) override;
    void showModal(QWidget& window) override;
    bool startProcess(const QString& program, const QStringList& arguments) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    QString fileDialog(const FileDialogRequest& request) override;

private:
    struct MessageAnswer
    {
        PromptMatcher prompt;
        int answer;
    };
    struct ModalStep
    {
        QString objectName;
        ModalScript script;
    };
    struct FileAnswer
    {
        FileDialogRequest::Kind kind;
        QString path;
    };

    void fail(const QString& what);
    int answerFor(const QString& prompt, int style);
    // Takes the next modal script if it is meant for `window`; empty when there is none.
    ModalScript takeModalScript(const QWidget& window);
    // Runs the script on the shown window; false when the window was still open afterwards.
    bool runModalScript(QWidget& window, const ModalScript& script);

    std::deque<MessageAnswer> m_expectedMessages;
    std::vector<MessageAnswer> m_standingAnswers;
    std::deque<ModalStep> m_expectedModals;
    std::deque<FileAnswer> m_expectedFiles;
    ProcessScript m_processScript;
    FailureHandler m_failureHandler;
    QString m_clipboard;

    std::vector<ShownMessage> m_messages;
    std::vector<ShownModal> m_modals;
    std::vector<ShownFileDialog> m_fileDialogs;
    std::vector<StartedProcess> m_processes;
    QStringList m_unexpected;
};

} // namespace shell
