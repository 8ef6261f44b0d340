#pragma once

// The shell seam's entry points. Each goes to the installed user (see User.h); doEvents runs the
// pending events of this thread, as VB's DoEvents does.

#include "MsgBox.h"
#include "WaitCursor.h"

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace shell {

// Lets pending window messages run (repaints, clicks) during a long loop.
void doEvents();

// Runs `dialog` modally and returns its result code.
int execModal(QDialog& dialog);
// Shows `window` modally and returns when it has been hidden or closed.
void showModal(QWidget& window);

// Starts `program` without waiting; false when it could not be started.
bool startProcess(const QString& program, const QStringList& arguments = {});

void setClipboardText(const QString& text);
QString clipboardText();

// The chosen path, or an empty text when the user cancelled.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& directory = {},
                        const QString& filter = {});
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& directory = {},
                        const QString& filter = {});
QString getExistingDirectory(QWidget* parent, const QString& caption,
                             const QString& directory = {});

} // namespace shell
