#pragma once

// objPDFExport: the pages as a PDF that readers open as the report looks. The renderer paints
// the pages on QPdfWriter (fonts embedded as subsets, text selectable and searchable); libqpdf
// then adds what Qt does not write: pictures recompressed as JPEG at JPGQuality, bookmarks
// from the table-of-contents entries, the bookmark pane open on loading, and AES-256
// encryption with the permissions.
//
// The options are properties named as the export settings store them.

#include "platform/reportengine/export/ExportFilter.h"

#include <QObject>
#include <QString>

namespace report {

class objPDFExport : public QObject, public ExportFilter
{
    Q_OBJECT
    Q_PROPERTY(int JPGQuality READ jpgQuality WRITE setJpgQuality)
    Q_PROPERTY(bool OutputTOCAsBookmarks READ outputTocAsBookmarks WRITE setOutputTocAsBookmarks)
    Q_PROPERTY(
        bool ShowBookmarksInAcrobat READ showBookmarksInAcrobat WRITE setShowBookmarksInAcrobat)
    Q_PROPERTY(QString UserPassword READ userPassword WRITE setUserPassword)
    Q_PROPERTY(QString OwnerPassword READ ownerPassword WRITE setOwnerPassword)
    Q_PROPERTY(int Permissions READ permissions WRITE setPermissions)

public:
    // Permission bits: what a reader opening the file with the user password may do.
    static constexpr int kAllowPrint = 4;
    static constexpr int kAllowModify = 8; // change and annotate
    static constexpr int kAllowCopy = 16;
    static constexpr int kAllowAll = kAllowPrint | kAllowModify | kAllowCopy;

    explicit objPDFExport(QObject* parent = nullptr);

    int jpgQuality() const noexcept { return m_jpgQuality; }
    void setJpgQuality(int percent) noexcept;
    bool outputTocAsBookmarks() const noexcept { return m_outputTocAsBookmarks; }
    void setOutputTocAsBookmarks(bool on) noexcept { m_outputTocAsBookmarks = on; }
    bool showBookmarksInAcrobat() const noexcept { return m_showBookmarksInAcrobat; }
    void setShowBookmarksInAcrobat(bool on) noexcept { m_showBookmarksInAcrobat = on; }
    QString userPassword() const { return m_userPassword; }
    void setUserPassword(const QString& password) { m_userPassword = password; }
    QString ownerPassword() const { return m_ownerPassword; }
    void setOwnerPassword(const QString& password) { m_ownerPassword = password; }
    int permissions() const noexcept { return m_permissions; }
    void setPermissions(int bits) noexcept { m_permissions = bits & kAllowAll; }

    // Whether the file is encrypted: a password is set or a permission is withheld.
    bool encrypts() const noexcept;

    void exportDocument(const PageDocument& document, const Progress& progress) override;

private:
    int m_jpgQuality = 80;
    bool m_outputTocAsBookmarks = false;
    bool m_showBookmarksInAcrobat = false;
    QString m_userPassword;
    QString m_ownerPassword;
    int m_permissions = kAllowAll;
};

} // namespace report
