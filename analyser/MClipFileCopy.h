#pragma once

// Putting files on the clipboard so that they paste as files.
//
// Linux desktops paste files from a URI list (text/uri-list), GNOME's file manager from
// "x-special/gnome-copied-files" and KDE's from the URI list marked as copied (not cut). The
// Windows dropped-files record is offered beside them for readers of Windows clipboard formats.

#include <memory>
#include <QByteArray>
#include <QStringList>

class QMimeData;

// Offers the files (full paths) on the clipboard, replacing what it held; true when the
// clipboard now holds them. All clipboard access goes through the shell seam.
bool ClipboardCopyFiles(const QStringList& paths);

namespace analyser {

// The MIME type the dropped-files record is offered under.
inline constexpr char kDroppedFilesMimeType[] = "application/x-qt-windows-mime;value=\"CF_HDROP\"";

// The Windows dropped-files record: a 20-byte header (offset of the list = 20, drop point 0,0,
// not in the non-client area, single-byte characters), then every path in the system's
// encoding followed by a zero byte, then one more zero byte.
QByteArray droppedFilesBlock(const QStringList& paths);

// Everything offered for the files: the URI list, the GNOME and KDE forms, the paths as plain
// text and the dropped-files record.
std::unique_ptr<QMimeData> fileListMimeData(const QStringList& paths);

} // namespace analyser
