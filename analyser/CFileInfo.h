#pragma once

// CFileInfo: the file-system facts of one file (names, sizes, times, attributes, the desktop's
// type name and icon) and the display forms of a size and a date.
//
// On Linux several Windows notions have no exact counterpart; each property keeps its name
// and means the nearest honest equivalent, noted where it is declared. Paths are kept in their
// native bytes, so files whose names are not valid UTF-8 are described too (see nativePath).

#include <cstdint>
#include <QByteArray>
#include <QDateTime>
#include <QIcon>
#include <QString>

class CFileInfo
{
public:
    // The Windows attribute bits the properties below are made of.
    static constexpr std::uint32_t kReadOnly = 1;
    static constexpr std::uint32_t kHidden = 2;
    static constexpr std::uint32_t kSystem = 4;
    static constexpr std::uint32_t kDirectory = 16;
    static constexpr std::uint32_t kArchive = 32;
    static constexpr std::uint32_t kNormal = 128;
    static constexpr std::uint32_t kTemporary = 256;
    static constexpr std::uint32_t kReparsePoint = 1024;
    static constexpr std::uint32_t kCompressed = 2048;

    // Setting it makes the path absolute (lexically, against the current folder) and refreshes;
    // an empty path changes nothing. After a refresh it is FilePath + filename.
    QString FullPathName() const;
    void setFullPathName(const QString& path);
    // The same path as native bytes, for names that are not valid UTF-8.
    const QByteArray& nativePath() const { return m_path; }
    void setNativePath(const QByteArray& path);
    // setNativePath(folderPath + name) for a file of a folder open as `folderFd` (folderPath
    // absolute and ending with "/"): a walk over a tree need not look every folder up again.
    void setNativePathAt(int folderFd, const QByteArray& folderPath, const QByteArray& name);
    // Describes the file open as `fd` (not a symbolic link), known as the absolute `path`:
    // one who also reads the file opens it once.
    void setOpenFile(int fd, const QByteArray& path);

    QString filename() const;
    // Always ends with "/".
    QString FilePath() const;
    // Text after the last "." of the file name; empty when there is none.
    QString FileExtension() const;
    // Linux file systems keep no 8.3 alternate names: the short path is the path itself, the
    // short name the upper-cased file name (what Windows reports for a file without one) and
    // the short path its folder.
    QString ShortPathName() const
    {
        return m_fileExists || m_pathExists ? FullPathName() : QString();
    }
    QString ShortName() const { return filename().toUpper(); }
    QString ShortPath() const { return m_fileExists || m_pathExists ? FilePath() : QString(); }

    // What a file manager shows: the file name, and the type's description from the shared MIME
    // database (the upper-cased extension + " File" when it knows no better). Asked for on
    // first use after each refresh, so walking a large tree does not read every file's content.
    QString DisplayName() const;
    QString TypeName() const;
    // The icon theme's icon for the file's type; a null icon without a GUI application.
    QIcon hIcon() const;

    bool FileExists() const { return m_fileExists; }
    // Set with FileExists; not reset when a file is not found.
    bool PathExists() const { return m_pathExists; }

    // The whole size: a file of 2 GiB or more reads as its true size, never as a negative low
    // half. FileSizeHigh is the upper 32 bits, kept for callers that combine the halves.
    qint64 FileSize() const { return m_size; }
    std::int32_t FileSizeHigh() const { return static_cast<std::int32_t>(m_size >> 32); }
    // Bytes the file occupies on disk (allocated blocks): smaller than FileSize for sparse or
    // file-system-compressed files, as Windows reports for compressed and sparse files.
    qint64 CompressedFileSize() const { return m_allocated; }
    std::int32_t CompressedFileSizeHigh() const
    {
        return static_cast<std::int32_t>(m_allocated >> 32);
    }

    // Local times. Creation is the birth time where the file system records it, else the time
    // of the last status change (the closest Linux keeps); it cannot be set here.
    QDateTime CreationTime() const { return localTime(m_createdMs); }
    void setCreationTime(const QDateTime& time);
    QDateTime LastAccessTime() const { return localTime(m_accessedMs); }
    void setLastAccessTime(const QDateTime& time);
    QDateTime ModifyTime() const { return localTime(m_modifiedMs); }
    void setModifyTime(const QDateTime& time);

    // Windows attribute bits made from what Linux has: read-only = nobody may write (no write
    // permission bit), hidden = the name begins with ".", system = a device, pipe or socket,
    // directory, reparse point = a symbolic link, compressed = the file system compresses it,
    // archive = a regular file (Linux keeps no "changed since the last backup" mark, so every
    // file counts as not yet backed up). Only the read-only bit can be changed; the others are
    // facts of the file here and a change to them is ignored.
    std::uint32_t Attributes() const { return m_attributes; }
    void setAttributes(std::uint32_t attributes);
    bool attrReadOnly() const { return (m_attributes & kReadOnly) != 0; }
    void setAttrReadOnly(bool on) { setAttributeBit(kReadOnly, on); }
    bool attrHidden() const { return (m_attributes & kHidden) != 0; }
    void setAttrHidden(bool on) { setAttributeBit(kHidden, on); }
    bool attrSystem() const { return (m_attributes & kSystem) != 0; }
    void setAttrSystem(bool on) { setAttributeBit(kSystem, on); }
    bool attrArchive() const { return (m_attributes & kArchive) != 0; }
    void setAttrArchive(bool on) { setAttributeBit(kArchive, on); }
    bool attrTemporary() const { return (m_attributes & kTemporary) != 0; }
    void setAttrTemporary(bool) {}
    bool attrCompressed() const { return (m_attributes & kCompressed) != 0; }
    void setAttrCompressed(bool) {}

    // Reads the file's facts again. A missing file only clears FileExists.
    void Refresh();

    // "1,023 bytes", "4.88KB (5,000 bytes)", "3.00GB (3,221,225,472 bytes)", in the locale's
    // number format.
    static QString FormatFileSize(qint64 size);
    // The locale's long date, a blank, the locale's long time.
    static QString FormatFileDate(const QDateTime& time);

private:
    // `flags` AT_EMPTY_PATH: folderFd is the file itself.
    void refreshAt(int folderFd, const char* path, int flags = 0);
    // Times are kept as read and converted when asked for: a walk over many files asks for
    // two of the three.
    static QDateTime localTime(qint64 msSinceEpoch);
    void setAttributeBit(std::uint32_t bit, bool on);
    // Writes one of the two settable times (the other left alone); refreshes on success.
    void setTime(const QDateTime& time, bool modifyTime);
    void forgetShellInfo();
    void askShell() const;

    QByteArray m_path;
    QByteArray m_name;
    bool m_fileExists = false;
    bool m_pathExists = false;
    qint64 m_size = 0;
    qint64 m_allocated = 0;
    qint64 m_createdMs = 0;
    qint64 m_accessedMs = 0;
    qint64 m_modifiedMs = 0;
    std::uint32_t m_attributes = 0;

    mutable bool m_shellAsked = false;
    mutable QString m_displayName;
    mutable QString m_typeName;
    mutable QIcon m_icon;
};
