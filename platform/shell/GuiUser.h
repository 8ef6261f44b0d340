#pragma once

// The user at the screen: real Qt message boxes, dialogs and file dialogs.
//
// Without a display that someone could answer (no QApplication, or the offscreen/minimal
// platform) nothing modal is shown, because it would wait forever: each prompt is written to
// standard error and answered with its default button, dialogs count as cancelled. That keeps a
// test that forgot to install a ScriptedUser from hanging; the note on stderr says why it failed.

#include "User.h"

namespace shell {

class GuiUser : public User
{
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    int execModal(QDialog& dialog) override;
    void showModal(QWidget& window) override;
    bool startProcess(const QString& program, const QStringList& arguments) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    QString fileDialog(const FileDialogRequest& request) override;

    // Whether a person can answer modal windows in this process.
    static bool canAsk();
};

} // namespace shell
