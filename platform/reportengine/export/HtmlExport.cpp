// objHTMLExport: pages, contents, stylesheet and pictures as web files or one web archive.

#include "platform/reportengine/export/HtmlExport.h"

#include "platform/reportengine/export/HtmlCharset.h"
#include "platform/reportengine/export/HtmlPageMarkup.h"
#include "platform/reportengine/export/HtmlToc.h"
#include "platform/reportengine/export/ItemPicture.h"
#include "platform/reportengine/export/MimeArchive.h"
#include "platform/reportengine/export/PartialFile.h"

#include <cerrno>
#include <map>
#include <memory>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <tuple>

using namespace Qt::StringLiterals;

namespace report {

namespace {

const QString kHtmlType = u"text/html"_s;

// The export's file names, from the folder and base name.
struct HtmlFiles
{
    QString folder; // absolute
    QString base;
    QString imageFolder; // absolute
    bool frameset = false;
    bool multiPage = false;

    QString path(const QString& name) const { return folder + u'/' + name; }
    QString main() const { return base + u".htm"_s; }
    QString page(int number) const
    {
        if (!multiPage)
            return frameset ? base + u"_Report.htm"_s : main();
        if (number == 1 && !frameset)
            return main();
        return base + u"_Page"_s + QString::number(number) + u".htm"_s;
    }
    QString css() const { return base + u".css"_s; }
    QString tocFrame() const { return base + u"_TOC.htm"_s; }
    QString tocXml() const { return base + u"_TOC.xml"_s; }
    QString archive() const { return base + u".mht"_s; }
};

// A relative address of a file name or path, percent-encoded (spaces, "&", non-ASCII ...).
QString href(const QString& relativePath)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(relativePath, "/"));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    PartialFile partial(path, u"objHTMLExport"_s);
    QFile file(partial.path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw partial.writeError(file.errorString(), errno);
    file.close();
    partial.commit();
}

// Where the files go: each written as complete (the page a reader opens last, when all it
// refers to is in place), or all into one web archive.
class HtmlOutput
{
public:
    virtual ~HtmlOutput() = default;
    virtual void add(const QString& path, const QString& type, const QByteArray& bytes) = 0;
    virtual void finish(const QString& mainPath, const QByteArray& bytes) = 0;
    virtual bool writesFiles() const = 0;
};

class FileOutput : public HtmlOutput
{
public:
    void add(const QString& path, const QString&, const QByteArray& bytes) override
    {
        writeFile(path, bytes);
    }
    void finish(const QString& mainPath, const QByteArray& bytes) override
    {
        writeFile(mainPath, bytes);
    }
    bool writesFiles() const override { return true; }
};

class ArchiveOutput : public HtmlOutput
{
public:
    ArchiveOutput(QString archivePath, QString subject)
        : m_archivePath(std::move(archivePath)), m_subject(std::move(subject))
    {
    }
    void add(const QString& path, const QString& type, const QByteArray& bytes) override
    {
        m_archive.add(location(path), type, bytes);
    }
    void finish(const QString& mainPath, const QByteArray& bytes) override
    {
        m_archive.add(location(mainPath), kHtmlType, bytes, true);
        writeFile(m_archivePath, m_archive.message(m_subject));
    }
    bool writesFiles() const override { return false; }

private:
    // Parts are named by the address the file would have, so the pages' relative links
    // resolve against the root part's location.
    static QString location(const QString& path)
    {
        return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    }

    QString m_archivePath;
    QString m_subject;
    MimeArchive m_archive;
};

// The pictures as JPEG files in the image folder, each picture at each size written once.
class PictureFiles
{
public:
    PictureFiles(const HtmlFiles& files, int quality, HtmlOutput& output, const ImageStore& images)
        : m_files(files), m_quality(quality), m_output(output), m_images(images)
    {
    }

    QString href(const ImageItem& item)
    {
        const auto key = std::make_tuple(item.imageId, item.rect.width, item.rect.height,
                                         static_cast<int>(item.sizeMode));
        const auto found = m_hrefs.find(key);
        if (found != m_hrefs.end())
            return found->second;
        const QImage picture = itemPicture(item, m_images);
        QString address;
        if (!picture.isNull()) {
            const QString path =
                m_files.imageFolder + u"/img"_s + QString::number(m_hrefs.size() + 1) + u".jpg"_s;
            makeImageFolder();
            m_output.add(path, u"image/jpeg"_s, jpeg(picture));
            address = report::href(QDir(m_files.folder).relativeFilePath(path));
        }
        m_hrefs.emplace(key, address);
        return address;
    }

private:
    QByteArray jpeg(const QImage& picture) const
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", m_quality);
        return bytes;
    }

    void makeImageFolder()
    {
        if (m_folderMade || !m_output.writesFiles())
            return;
        if (!QFileInfo(m_files.imageFolder).isDir() && !QDir().mkdir(m_files.imageFolder))
            throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                            u"The image folder %1 cannot be created."_s.arg(
                                QDir::toNativeSeparators(m_files.imageFolder)),
                            u"objHTMLExport"_s);
        m_folderMade = true;
    }

    const HtmlFiles& m_files;
    int m_quality;
    HtmlOutput& m_output;
    const ImageStore& m_images;
    std::map<std::tuple<std::uint32_t, int, int, int>, QString> m_hrefs;
    bool m_folderMade = false;
};

struct TocLink
{
    int level;
    QString text;
    int page;
    int anchor;
};

QString stripSuffix(QString name, const QString& suffix)
{
    if (name.endsWith(suffix, Qt::CaseInsensitive))
        name.chop(suffix.size());
    return name;
}

} // namespace

objHTMLExport::objHTMLExport(QObject* parent) : QObject(parent)
{
    setObjectName(u"objHTMLExport"_s);
}

namespace {

HtmlFiles resolveFiles(const objHTMLExport& filter)
{
    const QFileInfo chosen(filter.fileName());
    HtmlFiles files;
    files.folder =
        QDir(filter.folder().isEmpty() ? chosen.absolutePath() : filter.folder()).absolutePath();
    files.base = filter.baseName();
    if (files.base.isEmpty())
        files.base = stripSuffix(stripSuffix(chosen.fileName(), u".htm"_s), u".html"_s);
    const QString images =
        filter.imageFolder().isEmpty() ? files.base + u"_Images"_s : filter.imageFolder();
    files.imageFolder = QDir(files.folder).absoluteFilePath(images);
    files.frameset = filter.createFramesetPage();
    files.multiPage = filter.multiPageOutput();
    return files;
}

// Builds the documents of one export.
class HtmlDocuments
{
public:
    HtmlDocuments(const objHTMLExport& filter, const HtmlFiles& files, HtmlPageMarkup& markup)
        : m_filter(filter), m_files(files), m_markup(markup),
          m_title(filter.pageTitle().isEmpty() ? files.base : filter.pageTitle())
    {
    }

    const QString& title() const { return m_title; }

    QByteArray page(const QString& body) const
    {
        return encode(u"<!DOCTYPE html>\n<html>\n"_s + head() + u"<body>\n"_s + body +
                      u"</body>\n</html>\n"_s);
    }

    QByteArray frameset() const
    {
        const QString first = href(m_files.page(1));
        return encode(u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" "
                      u"\"http://www.w3.org/TR/html4/frameset.dtd\">\n<html>\n"_s +
                      head() + u"<frameset cols=\"25%,75%\">\n<frame name=\"contents\" src=\""_s +
                      href(m_files.tocFrame()).toHtmlEscaped() +
                      u"\">\n<frame name=\"report\" src=\""_s + first.toHtmlEscaped() +
                      u"\">\n<noframes><body><p><a href=\""_s + first.toHtmlEscaped() + u"\">"_s +
                      m_title.toHtmlEscaped() +
                      u"</a></p></body></noframes>\n</frameset>\n</html>\n"_s);
    }

    QByteArray styleSheet() const
    {
        return (u"@charset \"UTF-8\";\n"_s + m_markup.styleSheet()).toUtf8();
    }

    // First / previous / next / last links of a page of a multi-page export.
    QString navigation(int number, int count) const
    {
        const auto a = [this](int target, const QString& text) {
            return u"<a href=\""_s + href(m_files.page(target)).toHtmlEscaped() + u"\">"_s + text +
                   u"</a>"_s;
        };
        QStringList parts;
        if (number > 1)
            parts << a(1, u"First"_s) << a(number - 1, u"Previous"_s);
        parts << u"Page %1 of %2"_s.arg(number).arg(count);
        if (number < count)
            parts << a(number + 1, u"Next"_s) << a(count, u"Last"_s);
        return u"<div class=\"nav\">"_s + parts.join(u" | "_s) + u"</div>\n"_s;
    }

    // The contents as links from the file `from` (empty: from the folder, for the XML).
    std::vector<HtmlTocEntry> entries(const std::vector<TocLink>& links, const QString& from) const
    {
        std::vector<HtmlTocEntry> entries;
        for (const TocLink& link : links) {
            const QString file = m_files.page(link.page);
            const QString anchor = u"#toc"_s + QString::number(link.anchor);
            entries.push_back(
                {link.level, link.text, file == from ? anchor : href(file) + anchor, link.page});
        }
        return entries;
    }

    // The contents block shown in a page (DL list or tree), empty for the other kinds.
    QString contents(const std::vector<TocLink>& links, const QString& from,
                     const QString& target) const
    {
        if (links.empty())
            return {};
        switch (m_filter.tableOfContents()) {
        case objHTMLExport::DefinitionListToc:
            return u"<div class=\"contents\">\n"_s +
                   tocDefinitionList(entries(links, from), target) + u"</div>\n"_s;
        case objHTMLExport::TreeToc:
            return u"<div class=\"contents\">\n"_s + tocTree(entries(links, from), target) +
                   u"</div>\n"_s;
        default:
            return {};
        }
    }

    // The contents frame: a link to every page, then the contents.
    QByteArray contentsFrame(const std::vector<TocLink>& links, int pageCount) const
    {
        QString body =
            u"<div class=\"contents\">\n<p>"_s + m_title.toHtmlEscaped() + u"</p>\n<ul>\n"_s;
        for (int number = 1; number <= pageCount; ++number) {
            const QString target =
                m_files.multiPage ? href(m_files.page(number))
                                  : href(m_files.page(1)) + u"#page"_s + QString::number(number);
            body += u"<li><a href=\""_s + target.toHtmlEscaped() + u"\" target=\"report\">Page "_s +
                    QString::number(number) + u"</a></li>\n"_s;
        }
        body += u"</ul>\n</div>\n"_s + contents(links, m_files.tocFrame(), u"report"_s);
        return page(body);
    }

private:
    QString head() const
    {
        QString head = u"<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
                       u"charset="_s +
                       htmlCharsetLabel(m_filter.characterSet()) + u"\">\n<title>"_s +
                       m_title.toHtmlEscaped() + u"</title>\n"_s;
        if (m_filter.createCssFile())
            head += u"<link rel=\"stylesheet\" type=\"text/css\" href=\""_s +
                    href(m_files.css()).toHtmlEscaped() + u"\">\n"_s;
        else
            head += u"<style type=\"text/css\">\n"_s + m_markup.styleSheet() + u"</style>\n"_s;
        if (m_filter.tableOfContents() == objHTMLExport::XmlToc)
            head += u"<link rel=\"contents\" type=\"text/xml\" href=\""_s +
                    href(m_files.tocXml()).toHtmlEscaped() + u"\">\n"_s;
        // Placed as written: the user's own markup.
        if (!m_filter.headExtraInnerText().isEmpty())
            head += m_filter.headExtraInnerText() + u'\n';
        return head + u"</head>\n"_s;
    }

    QByteArray encode(const QString& html) const
    {
        return encodeHtml(html, m_filter.characterSet());
    }

    const objHTMLExport& m_filter;
    const HtmlFiles& m_files;
    HtmlPageMarkup& m_markup;
    QString m_title;
};

} // namespace

QString objHTMLExport::mainFileName() const
{
    const HtmlFiles files = resolveFiles(*this);
    return files.path(m_mhtOutput ? files.archive() : files.main());
}

void objHTMLExport::exportDocument(const PageDocument& document, const Progress& progress)
{
    htmlCharsetLabel(m_characterSet); // an unknown set fails before anything is written
    const HtmlFiles files = resolveFiles(*this);
    if (!QFileInfo(files.folder).isDir())
        throw vb::Error(vb::ErrorNumber::PathNotFound,
                        u"The file %1 cannot be written: its folder does not exist."_s.arg(
                            QDir::toNativeSeparators(mainFileName())),
                        objectName());
    std::unique_ptr<HtmlOutput> output;
    const QString title = m_pageTitle.isEmpty() ? files.base : m_pageTitle;
    if (m_mhtOutput)
        output = std::make_unique<ArchiveOutput>(files.path(files.archive()), title);
    else
        output = std::make_unique<FileOutput>();
    PictureFiles pictures(files, m_jpegQuality, *output, document.images());
    HtmlPageMarkup markup([&pictures](const ImageItem& item) { return pictures.href(item); });
    const HtmlDocuments documents(*this, files, markup);

    std::vector<TocLink> toc;
    QString body; // the single page, or the first page of a multi-page export
    const int count = document.count();
    for (int number = 1; number <= count; ++number) {
        const Page page = document.page(number - 1);
        const int firstAnchor = static_cast<int>(toc.size()) + 1;
        for (const TocEntry& entry : page.toc)
            toc.push_back({entry.level, entry.text, number, static_cast<int>(toc.size()) + 1});
        const QString block = markup.page(page, number, firstAnchor);
        if (!files.multiPage)
            body += block;
        else if (number == 1 && !files.frameset)
            body = documents.navigation(number, count) + block;
        else
            output->add(files.path(files.page(number)), kHtmlType,
                        documents.page(documents.navigation(number, count) + block));
        if (progress)
            progress(number);
    }

    if (m_createCssFile)
        output->add(files.path(files.css()), u"text/css"_s, documents.styleSheet());
    if (m_tableOfContents == XmlToc)
        output->add(files.path(files.tocXml()), u"text/xml"_s,
                    tocXml(documents.entries(toc, {}), title));
    if (files.frameset) {
        if (!files.multiPage)
            output->add(files.path(files.page(1)), kHtmlType, documents.page(body));
        output->add(files.path(files.tocFrame()), kHtmlType, documents.contentsFrame(toc, count));
        output->finish(files.path(files.main()), documents.frameset());
    } else {
        const QString contents = documents.contents(toc, files.main(), {});
        output->finish(files.path(files.main()), documents.page(contents + body));
    }
}

} // namespace report
