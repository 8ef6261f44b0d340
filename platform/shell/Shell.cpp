#include "Shell.h"

#include "User.h"

#include <QCoreApplication>

namespace shell {

namespace {

QString askForFile(FileDialogRequest::Kind kind, QWidget* parent, const QString& caption,
                   const QString& directory, const QString& filter)
{
    FileDialogRequest request;
    request.kind = kind;
    request.parent = parent;
    request.caption = caption;
    request.directory = directory;
    request.filter = filter;
    return currentUser().fileDialog(request);
}

} // namespace

void doEvents()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

int execModal(QDialog& dialog)
{
    return currentUser().execModal(dialog);
}

void showModal(QWidget& window)
{
    currentUser().showModal(window);
}

bool startProcess(const QString& program, const QStringList& arguments)
{
    return currentUser().startProcess(program, arguments);
}

void setClipboardText(const QString& text)
{
    currentUser().setClipboardText(text);
}

QString clipboardText()
{
    return currentUser().clipboardText();
}

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& directory,
                        const QString& filter)
{
    return askForFile(FileDialogRequest::Kind::Open, parent, caption, directory, filter);
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& directory,
                        const QString& filter)
{
    return askForFile(FileDialogRequest::Kind::Save, parent, caption, directory, filter);
}

QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& directory)
{
    return askForFile(FileDialogRequest::Kind::Directory, parent, caption, directory, QString());
}

} // namespace shell
