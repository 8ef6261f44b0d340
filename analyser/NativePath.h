#pragma once

// File names on Linux are bytes. Most are UTF-8, but nothing guarantees it, so the analyser
// keeps every path in its native bytes for file-system calls and turns it into text only for
// showing it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace analyser {

// The native bytes of a path given as text.
QByteArray nativePath(const QString& path);

// Text for showing a native path: valid UTF-8 is decoded (upper-cased when asked), every byte
// that is not part of a valid UTF-8 sequence is shown as "\xNN", so two different names never
// show alike and the text always reads back unambiguously.
QString pathText(QByteArrayView native, bool upperCase = false);

// pathText() for a line of the report: besides invalid bytes, whatever could break the line or
// pass for another text (control characters, the Unicode line separators, the backslash) is
// shown as "\xNN" for each of its bytes, so a file name can never forge a report line.
QString reportText(QByteArrayView native, bool upperCase = false);

// The absolute form of `path` by GetFullPathName's rules: a relative path is taken from the
// current folder, "." and ".." are resolved by their text (links are not followed). Empty when
// the current folder cannot be found.
QByteArray absolutePath(const QByteArray& path);

// True when the bytes are valid UTF-8, i.e. the name survives a round trip through QString.
bool isValidUtf8(QByteArrayView bytes);

} // namespace analyser
