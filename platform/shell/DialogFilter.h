#pragma once

// File dialog filters as the programs write them, in the common dialog's form
// "Text (*.txt)|*.txt|All files (*.*)|*.*" (description and patterns in pairs), turned into the
// form Qt's file dialogs read: "Text (*.txt);;All files (*.*)". A filter without "|" is taken to
// be in Qt's form already and is returned as it is.

#include <QString>

namespace shell {

QString qtDialogFilter(const QString& filter);

} // namespace shell
