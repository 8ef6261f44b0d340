#pragma once

// Builds the QMessageBox for a VB message box style: VB's button captions in VB's order, its
// icon, its default and Escape buttons. Kept apart from showing it so it can be checked headless.

#include <memory>
#include <QString>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace shell {

std::unique_ptr<QMessageBox> makeMessageBox(const QString& prompt, int style, const QString& title,
                                            QWidget* parent);
// The VB result of a button made by makeMessageBox (0 for any other button or none).
int messageBoxResult(const QAbstractButton* button);

} // namespace shell
