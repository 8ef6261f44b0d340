#pragma once

// The shell seam. Everything that needs a person in front of the screen (message boxes, modal
// windows, file dialogs) or touches the desktop (starting programs, the clipboard) goes through
// the installed User. Programs use the GUI user; tests install a ScriptedUser that answers from
// a script and records what was shown; unattended runs install a NonInteractiveUser.

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace shell {

struct FileDialogRequest
{
    enum class Kind
    {
        Open,
        Save,
        Directory
    };
    Kind kind = Kind::Open;
    QWidget* parent = nullptr;
    QString caption;
    QString directory;
    QString filter; // empty for a folder choice
};

class User
{
public:
    User() = default;
    User(const User&) = delete;
    User& operator=(const User&) = delete;
    virtual ~User() = default;

    // `title` is already resolved (never empty unless the application has no name).
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // Runs the dialog modally; returns its result code (QDialog::Accepted / Rejected / done()).
    virtual int execModal(QDialog& dialog) = 0;
    // Shows a window modally and returns when it has been hidden or closed.
    virtual void showModal(QWidget& window) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startProcess(const QString& program, const QStringList& arguments) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual QString clipboardText() = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
};

// The user installed now: the innermost installed one, else the GUI user.
User& currentUser();

} // namespace shell
