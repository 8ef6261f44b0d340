#pragma once

// The user of an unattended run: nobody is there to answer. Every message box is written to the
// output (standard output unless another device is given) and answered with the preferred answer
// when the box offers it, else with the box's default button. Dialogs and file dialogs count as
// cancelled (and are written too); programs are started and the clipboard is used for real.

#include "GuiUser.h"
#include "InstalledUser.h"

#include <memory>

class QIODevice;

namespace shell {

class NonInteractiveUser : public InstalledUser
{
public:
    // `output` is not owned and must outlive this user; null means standard output.
    explicit NonInteractiveUser(int preferredAnswer, QIODevice* output = nullptr);
    ~NonInteractiveUser() override;

    int msgBox(const QString& prompt, int style, const QString& title) override;
    int execModal(QDialog& dialog) override;
    void showModal(QWidget& window) override;
    bool startProcess(const QString& program, const QStringList& arguments) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    QString fileDialog(const FileDialogRequest& request) override;

private:
    void writeLine(const QString& line);

    int m_preferredAnswer;
    std::unique_ptr<QIODevice> m_ownOutput;
    QIODevice* m_output;
    GuiUser m_desktop; // for what needs no person: processes and the clipboard
};

} // namespace shell
