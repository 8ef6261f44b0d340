#pragma once

// objHTMLExport: the pages as web pages. Files, all beside each other in the output folder and
// named from the base name:
//   <base>.htm        the report (or with MultiPageOutput its first page, or with
//                     CreateFramesetPage the frameset of a contents frame and a report frame)
//   <base>_Page<n>.htm  pages of a multi-page export (all of them when there is a frameset)
//   <base>_Report.htm the report frame of a single-page export with a frameset
//   <base>_TOC.htm    the contents frame;  <base>_TOC.xml  the contents as XML
//   <base>.css        the stylesheet (CreateCSSFile; else each page holds its styles)
//   pictures as JPEG files in the image folder, each stored once.
// With MHTOutput all of them are parts of the one archive <base>.mht instead. Text is written
// in CharacterSet, characters the set cannot hold as numeric character references.

#include "platform/reportengine/export/ExportFilter.h"

#include <QObject>
#include <QString>

namespace report {

class objHTMLExport : public QObject, public ExportFilter
{
    Q_OBJECT
    Q_PROPERTY(QString CharacterSet READ characterSet WRITE setCharacterSet)
    Q_PROPERTY(bool CreateCSSFile READ createCssFile WRITE setCreateCssFile)
    Q_PROPERTY(bool CreateFramesetPage READ createFramesetPage WRITE setCreateFramesetPage)
    Q_PROPERTY(QString HeadExtraInnerText READ headExtraInnerText WRITE setHeadExtraInnerText)
    Q_PROPERTY(int JPEGQuality READ jpegQuality WRITE setJpegQuality)
    Q_PROPERTY(bool MHTOutput READ mhtOutput WRITE setMhtOutput)
    Q_PROPERTY(bool MultiPageOutput READ multiPageOutput WRITE setMultiPageOutput)
    Q_PROPERTY(int TableOfContents READ tableOfContents WRITE setTableOfContents)
    Q_PROPERTY(QString PageTitle READ pageTitle WRITE setPageTitle)

public:
    enum TocKind
    {
        NoToc = 0,
        DefinitionListToc = 1,
        TreeToc = 2,
        XmlToc = 3,
    };

    explicit objHTMLExport(QObject* parent = nullptr);

    // Where the files go. When the folder or base name is empty they come from fileName()
    // (its folder; its name without a trailing ".htm" or ".html"); an empty image folder is
    // "<base>_Images", and a relative one lies in the folder.
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    QString baseName() const { return m_baseName; }
    void setBaseName(const QString& name) { m_baseName = name; }
    QString imageFolder() const { return m_imageFolder; }
    void setImageFolder(const QString& folder) { m_imageFolder = folder; }

    QString characterSet() const { return m_characterSet; }
    void setCharacterSet(const QString& name) { m_characterSet = name; }
    bool createCssFile() const noexcept { return m_createCssFile; }
    void setCreateCssFile(bool on) noexcept { m_createCssFile = on; }
    bool createFramesetPage() const noexcept { return m_createFramesetPage; }
    void setCreateFramesetPage(bool on) noexcept { m_createFramesetPage = on; }
    QString headExtraInnerText() const { return m_headExtraInnerText; }
    void setHeadExtraInnerText(const QString& html) { m_headExtraInnerText = html; }
    int jpegQuality() const noexcept { return m_jpegQuality; }
    void setJpegQuality(int percent) noexcept { m_jpegQuality = percent; }
    bool mhtOutput() const noexcept { return m_mhtOutput; }
    void setMhtOutput(bool on) noexcept { m_mhtOutput = on; }
    bool multiPageOutput() const noexcept { return m_multiPageOutput; }
    void setMultiPageOutput(bool on) noexcept { m_multiPageOutput = on; }
    int tableOfContents() const noexcept { return m_tableOfContents; }
    void setTableOfContents(int kind) noexcept { m_tableOfContents = kind; }
    QString pageTitle() const { return m_pageTitle; }
    void setPageTitle(const QString& title) { m_pageTitle = title; }

    // The file a reader opens: <folder>/<base>.htm, or .mht for an archive.
    QString mainFileName() const;

    void exportDocument(const PageDocument& document, const Progress& progress) override;

private:
    QString m_folder;
    QString m_baseName;
    QString m_imageFolder;
    QString m_characterSet = QStringLiteral("UTF-8");
    bool m_createCssFile = false;
    bool m_createFramesetPage = false;
    QString m_headExtraInnerText;
    int m_jpegQuality = 60;
    bool m_mhtOutput = false;
    bool m_multiPageOutput = false;
    int m_tableOfContents = NoToc;
    QString m_pageTitle;
};

} // namespace report
