#pragma once

// CFileVersionInfo: the version information of one file: the fixed version block, the first
// translation's language and the string table. Windows PE files carry it as a version
// resource; our own Linux programs and libraries carry the same facts in an ELF note (see
// platform/versioninfo).

#include "VersionInfo.h"

#include <QByteArray>
#include <QString>

class CFileVersionInfo
{
public:
    static constexpr int kPredefinedCount = 15;

    // As in CFileInfo: setting it makes the path absolute and refreshes.
    QString FullPathName() const;
    void setFullPathName(const QString& path);
    const QByteArray& nativePath() const { return m_path; }
    void setNativePath(const QByteArray& path);
    // setNativePath(folderPath + name) for a file of a folder open as `folderFd` (folderPath
    // absolute and ending with "/"): a walk over a tree need not look every folder up again.
    void setNativePathAt(int folderFd, const QByteArray& folderPath, const QByteArray& name);
    // Reads the file open as `fd` (for reading), known as the absolute `path`.
    void setOpenFile(int fd, const QByteArray& path);

    // The file carries version information (a regular file only: pipes and devices are never
    // read).
    bool Available() const { return m_available; }

    QString VerStructure() const { return m_verStructure; }
    // "3.06.0102" for 3.6.1.2, "3.06.0000" for 3.6.0.0.
    QString VerFile() const { return m_verFile; }
    QString VerProduct() const { return m_verProduct; }
    QString FileFlags() const { return m_fileFlags; }
    QString FileOS() const { return m_fileOS; }
    QString FileType() const { return m_fileType; }
    QString FileSubType() const { return m_fileSubType; }
    QString Language() const { return m_language; }

    QString Comments() const { return string(1); }
    QString CompanyName() const { return string(2); }
    QString FileDescription() const { return string(3); }
    QString FileVersion() const { return string(4); }
    QString InternalName() const { return string(5); }
    QString LegalCopyright() const { return string(6); }
    QString LegalTrademarks() const { return string(7); }
    QString OriginalFilename() const { return string(8); }
    QString ProductName() const { return string(9); }
    QString ProductVersion() const { return string(10); }
    QString PrivateBuild() const { return string(11); }
    QString SpecialBuild() const { return string(12); }

    // Index 0..14: "Language", "Comments", "Company Name", ... "LegalTrademarks2"; empty text
    // for any other index.
    static QString PredefinedName(int index);
    QString PredefinedValue(int index) const;

    // Reads the file again. Every property is cleared first, so a file without version
    // information never shows the values of the file described before.
    void Refresh();

    // The fixed-block version as the properties show it.
    static QString formatVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

private:
    void refreshAt(int folderFd, const char* path);
    void readOpenFile(int fd);
    QString string(int index) const;
    void clear();
    void readFixedBlock(const verinfo::FixedFileInfo& fixed);
    void readStrings(const verinfo::VersionInfo& info);

    QByteArray m_path;
    bool m_available = false;
    QString m_verStructure;
    QString m_verFile;
    QString m_verProduct;
    QString m_fileFlags;
    QString m_fileOS;
    QString m_fileType;
    QString m_fileSubType;
    QString m_language;
    // Index 1..14 of PredefinedValue; 0 (the language) lives in m_language.
    QString m_strings[kPredefinedCount];
};
