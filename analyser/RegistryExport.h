#pragma once

// The registry section's source: the export the registry editor writes ("regedit /E file key"),
// read back as text whatever its encoding.

#include <chrono>
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace analyser {

inline const QString kRegistryEditorName = QStringLiteral("regedit");
inline const QString kQuorvexKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex");

// The registry editor to start: the one in the tools folder, else the one beside this program,
// else the first on PATH; the bare name when there is none (starting it then fails).
QString findRegistryEditor(const QString& toolsFolder, const QString& ownFolder);

// The export file's identity (existence, file, size, modification time): a new export
// replaces the file, so the identity changes once the editor has finished.
struct FileStamp
{
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    static FileStamp of(const QString& path);
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Starts the export through the shell seam without waiting. False when the editor could not be
// started.
bool startRegistryExport(const QString& editor, const QString& exportFile);

// Waits until the export file's identity differs from `before`, at most `limit`, letting
// pending events run meanwhile. True when a new export appeared.
bool waitForNewExport(const QString& exportFile, const FileStamp& before,
                      std::chrono::milliseconds limit);

// The text of an export file split into lines: UTF-16 (either byte order, with or without a
// byte order mark), UTF-8 (with or without a mark), else single-byte text. Line ends may be
// CR LF, LF or CR; a final line end adds no empty line.
QStringList exportLines(const QByteArray& contents);

// An export line fit for a support report: the values of the exports' PDF passwords
// ("UserPassword", "OwnerPassword", names compared without case) read "(hidden)"; every other
// line is returned as it is.
QString withPasswordsHidden(const QString& line);

} // namespace analyser
