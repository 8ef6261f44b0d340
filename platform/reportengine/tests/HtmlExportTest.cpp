// objHTMLExport: the wine list as web pages read back by Python's html.parser, codecs, email
// and XML readers (tests/html_check.py): escaping, every character set, the stylesheet, the
// frameset, the HEAD text, pictures, the web archive, multi-page links and the contents kinds.

#include "platform/reportengine/export/HtmlExport.h"

#include "platform/reportengine/export/HtmlCharset.h"
#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/reportengine/tests/SamplePages.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace report {
namespace {

QJsonObject check(const QStringList& arguments)
{
    const QString script = testing::testScriptFolder() + u"/html_check.py"_s;
    const QString out = testing::toolOutput(u"python3"_s, QStringList{script} + arguments);
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

QStringList strings(const QJsonValue& array)
{
    QStringList list;
    for (const QJsonValue& value : array.toArray())
        list << value.toString();
    return list;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

class HtmlExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        testing::fillWineList(m_document, 3);
        m_filter.setFolder(m_folder.path());
        m_filter.setBaseName(u"wines"_s);
    }

    void run()
    {
        m_pages.clear();
        m_filter.exportDocument(m_document, [this](int page) { m_pages.push_back(page); });
    }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QJsonObject page(const QString& name, const QString& codec = u"utf-8"_s)
    {
        const QJsonObject facts = check({u"page"_s, path(name), codec});
        EXPECT_TRUE(facts[u"errors"_s].toArray().isEmpty())
            << name.toStdString() << ": "
            << QJsonDocument(facts[u"errors"_s].toArray()).toJson().toStdString();
        return facts;
    }
    QStringList files() const
    {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_folder;
    PageDocument m_document;
    objHTMLExport m_filter;
    std::vector<int> m_pages;
};

TEST_F(HtmlExportTest, OnePageFileWithEscapedTextAndPictures)
{
    m_filter.setPageTitle(u"Wines & <Co>"_s);
    run();
    EXPECT_EQ(m_pages, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(files(), QStringList({u"wines.htm"_s}));

    const QJsonObject facts = page(u"wines.htm"_s);
    EXPECT_EQ(facts[u"title"_s].toString(), u"Wines & <Co>"_s);
    const QStringList texts = strings(facts[u"texts"_s]);
    EXPECT_TRUE(texts.contains(u"A & B Cellars <unknown> 3"_s));
    EXPECT_TRUE(texts.contains(u"甲州 Koshu 5"_s));
    EXPECT_EQ(texts.count(u"Wine list"_s), 3);
    // Reading order: a row's name, year and price follow each other.
    const int name = texts.indexOf(u"Château Margaux 1"_s);
    ASSERT_GE(name, 0);
    EXPECT_EQ(texts.mid(name, 3), QStringList({u"Château Margaux 1"_s, u"1990"_s, u"1,234.50"_s}));
    EXPECT_TRUE(strings(facts[u"ids"_s]).contains(u"page3"_s));
    EXPECT_TRUE(facts[u"styles"_s].toString().contains(u".page{"_s));

    // The picture: a JPEG in the image folder, referred to relatively.
    QString picture;
    for (const QJsonValue& link : facts[u"links"_s].toArray())
        if (link[u"tag"_s].toString() == u"img"_s)
            picture = link[u"url"_s].toString();
    EXPECT_EQ(picture, u"wines_Images/img1.jpg"_s);
    EXPECT_EQ(QImage(path(picture)).size(), QSize(120, 200)); // the source's own detail
    EXPECT_TRUE(readAll(path(picture)).startsWith("\xff\xd8\xff"));
}

TEST_F(HtmlExportTest, EveryCharacterSetDecodesBackToTheSameText)
{
    const QString text = u"Château Müller — 日本 Ржавец ~+ A & B <unknown>"_s;
    PageDocument document;
    Page sheet = testing::blankPage();
    sheet.items.push_back(testing::textItem({1440, 1440, 8000, 276}, {text}));
    document.append(sheet);
    document.setState(GenerationState::Finished);

    const QMap<QString, QString> codecs = {
        {u"UTF-8"_s, u"utf-8"_s},
        {u"UTF-7"_s, u"utf-7"_s},
        {u"UTF-7MIME"_s, u"utf-7"_s},
        {u"KOI8-r"_s, u"koi8_r"_s},
        {u"KSC5601"_s, u"euc_kr"_s},
        {u"shift-jis"_s, u"shift_jis"_s},
        {u"iso-2022-jp"_s, u"iso2022_jp"_s},
        {u"iso-2022-kr"_s, u"iso2022_kr"_s},
        {u"euc-jp"_s, u"euc_jp"_s},
        {u"big5"_s, u"big5"_s},
        {u"HZ-GB-2312"_s, u"hz"_s},
        {u"IBM850"_s, u"cp850"_s},
        {u"iso-8859-1"_s, u"latin_1"_s},
        {u"iso-8859-2"_s, u"iso8859_2"_s},
        {u"iso-8859-5"_s, u"iso8859_5"_s},
        {u"iso-8859-6"_s, u"iso8859_6"_s},
    };
    ASSERT_EQ(codecs.size(), htmlCharacterSets().size());
    QStringList arguments = {u"pages"_s};
    for (int index = 0; index < htmlCharacterSets().size(); ++index) {
        const QString set = htmlCharacterSets()[index];
        m_filter.setCharacterSet(set);
        m_filter.setBaseName(u"set%1"_s.arg(index));
        m_filter.exportDocument(document, {});
        arguments << path(u"set%1.htm"_s.arg(index)) << codecs.value(set);
    }
    const QString script = testing::testScriptFolder() + u"/html_check.py"_s;
    const QJsonArray pages =
        QJsonDocument::fromJson(
            testing::toolOutput(u"python3"_s, QStringList{script} + arguments).toUtf8())
            .array();
    ASSERT_EQ(pages.size(), htmlCharacterSets().size());
    for (int index = 0; index < pages.size(); ++index) {
        const QString set = htmlCharacterSets()[index];
        SCOPED_TRACE(set.toStdString());
        const QJsonObject facts = pages[index].toObject();
        EXPECT_TRUE(facts[u"errors"_s].toArray().isEmpty());
        EXPECT_EQ(strings(facts[u"texts"_s]), QStringList({text}));
        // The declared set is the one written.
        EXPECT_EQ(facts[u"charsetCodec"_s].toString(), facts[u"codec"_s].toString());
        const QByteArray raw = readAll(path(u"set%1.htm"_s.arg(index)));
        if (set == u"iso-8859-1"_s) {
            EXPECT_TRUE(raw.contains("&#26085;&#26412;")); // 日本 as references
        }
        if (set.startsWith(u"UTF-7"_s) || set.startsWith(u"iso-2022"_s) ||
            set.startsWith(u"HZ"_s)) {
            EXPECT_TRUE(facts[u"ascii"_s].toBool()); // seven-bit sets
        }
    }
    m_filter.setCharacterSet(u"EBCDIC"_s);
    EXPECT_THROW(m_filter.exportDocument(document, {}), vb::Error);
}

TEST_F(HtmlExportTest, StylesheetFileAndHeadText)
{
    m_filter.setCreateCssFile(true);
    m_filter.setHeadExtraInnerText(u"<meta name=\"author\" content=\"Anna & Co\">"_s);
    run();
    EXPECT_EQ(files(), QStringList({u"wines.css"_s, u"wines.htm"_s}));
    const QJsonObject facts = page(u"wines.htm"_s);
    EXPECT_EQ(facts[u"tags"_s][u"style"_s].toInt(), 0);
    bool linked = false;
    for (const QJsonValue& link : facts[u"links"_s].toArray())
        linked = linked || (link[u"rel"_s].toString() == u"stylesheet"_s &&
                            link[u"url"_s].toString() == u"wines.css"_s);
    EXPECT_TRUE(linked);
    EXPECT_EQ(strings(facts[u"head"_s]).last(), u"meta"_s); // the extra text closes HEAD
    EXPECT_TRUE(readAll(path(u"wines.htm"_s))
                    .contains("<meta name=\"author\" content=\"Anna & Co\">\n</head>"));
    const QByteArray css = readAll(path(u"wines.css"_s));
    EXPECT_TRUE(css.contains(".t0{font-family:\"Arial\",\"Liberation Sans\""));
    EXPECT_TRUE(css.contains("font-weight:bold"));
}

TEST_F(HtmlExportTest, FramesetWithContentsFrame)
{
    m_filter.setCreateFramesetPage(true);
    m_filter.setTableOfContents(objHTMLExport::DefinitionListToc);
    run();
    EXPECT_EQ(files(), QStringList({u"wines.htm"_s, u"wines_Report.htm"_s, u"wines_TOC.htm"_s}));
    const QJsonObject frameset = page(u"wines.htm"_s);
    EXPECT_EQ(frameset[u"tags"_s][u"frameset"_s].toInt(), 1);
    EXPECT_EQ(frameset[u"tags"_s][u"frame"_s].toInt(), 2);
    const QJsonObject contents = page(u"wines_TOC.htm"_s);
    EXPECT_EQ(contents[u"tags"_s][u"dt"_s].toInt(), 9); // 3 countries, 6 regions
    for (const QJsonValue& link : contents[u"links"_s].toArray())
        EXPECT_EQ(link[u"target"_s].toString(), u"report"_s);
    const QJsonObject site = check({u"site"_s, path(u"wines.htm"_s)});
    EXPECT_TRUE(site[u"broken"_s].toArray().isEmpty())
        << QJsonDocument(site[u"broken"_s].toArray()).toJson().toStdString();
    EXPECT_EQ(strings(site[u"files"_s]).size(), 4); // with the picture
}

TEST_F(HtmlExportTest, MultiPageOutputLinksEveryPage)
{
    m_filter.setMultiPageOutput(true);
    m_filter.setTableOfContents(objHTMLExport::TreeToc);
    run();
    EXPECT_EQ(files(), QStringList({u"wines.htm"_s, u"wines_Page2.htm"_s, u"wines_Page3.htm"_s}));
    const QJsonObject first = page(u"wines.htm"_s);
    EXPECT_EQ(first[u"tags"_s][u"details"_s].toInt(), 3); // each country opens on its regions
    EXPECT_EQ(first[u"tags"_s][u"summary"_s].toInt(), 3);
    EXPECT_TRUE(strings(first[u"texts"_s]).contains(u"Region 3.2"_s));
    const QJsonObject second = page(u"wines_Page2.htm"_s);
    EXPECT_TRUE(strings(second[u"texts"_s]).join(u' ').contains(u"Page 2 of 3"_s));
    EXPECT_FALSE(strings(second[u"texts"_s]).contains(u"Country 1"_s));
    const QJsonObject site = check({u"site"_s, path(u"wines.htm"_s)});
    EXPECT_TRUE(site[u"broken"_s].toArray().isEmpty())
        << QJsonDocument(site[u"broken"_s].toArray()).toJson().toStdString();
    EXPECT_EQ(strings(site[u"files"_s]), QStringList({u"wines.htm"_s, u"wines_Images/img1.jpg"_s,
                                                      u"wines_Page2.htm"_s, u"wines_Page3.htm"_s}));
}

TEST_F(HtmlExportTest, ContentsAsXml)
{
    m_filter.setTableOfContents(objHTMLExport::XmlToc);
    m_filter.setPageTitle(u"Cellar <2024>"_s);
    run();
    const QJsonObject xml = check({u"xml"_s, path(u"wines_TOC.xml"_s)});
    EXPECT_EQ(xml[u"title"_s].toString(), u"Cellar <2024>"_s);
    const QJsonArray entries = xml[u"entries"_s].toArray();
    ASSERT_EQ(entries.size(), 9);
    EXPECT_EQ(entries[0][u"text"_s].toString(), u"Country 1"_s);
    EXPECT_EQ(entries[0][u"depth"_s].toInt(), 0);
    EXPECT_EQ(entries[1][u"text"_s].toString(), u"Region 1.1"_s);
    EXPECT_EQ(entries[1][u"depth"_s].toInt(), 1);
    EXPECT_EQ(entries[8][u"page"_s].toString(), u"3"_s);
    EXPECT_EQ(entries[8][u"href"_s].toString(), u"wines.htm#toc9"_s);
    EXPECT_EQ(page(u"wines.htm"_s)[u"tags"_s][u"dl"_s].toInt(), 0);
}

TEST_F(HtmlExportTest, PictureQualityFollowsTheOption)
{
    m_filter.setJpegQuality(10);
    run();
    const qsizetype low = readAll(path(u"wines_Images/img1.jpg"_s)).size();
    m_filter.setJpegQuality(95);
    run();
    const qsizetype high = readAll(path(u"wines_Images/img1.jpg"_s)).size();
    EXPECT_LT(low * 2, high);
}

TEST_F(HtmlExportTest, WebArchiveHoldsPagesAndPictures)
{
    m_filter.setMhtOutput(true);
    m_filter.setMultiPageOutput(true);
    m_filter.setCreateCssFile(true);
    m_filter.setPageTitle(u"Château list"_s);
    run();
    EXPECT_EQ(files(), QStringList({u"wines.mht"_s}));
    EXPECT_EQ(m_filter.mainFileName(), path(u"wines.mht"_s));
    const QJsonObject mht = check({u"mht"_s, path(u"wines.mht"_s)});
    EXPECT_EQ(mht[u"type"_s].toString(), u"multipart/related"_s);
    EXPECT_EQ(mht[u"subject"_s].toString(), u"Château list"_s);
    QStringList types;
    QStringList locations;
    for (const QJsonValue& part : mht[u"parts"_s].toArray()) {
        types << part[u"type"_s].toString();
        locations << QUrl(part[u"location"_s].toString()).fileName();
        EXPECT_GT(part[u"size"_s].toInt(), 0);
    }
    EXPECT_EQ(types, QStringList({u"text/html"_s, u"image/jpeg"_s, u"text/html"_s, u"text/html"_s,
                                  u"text/css"_s}));
    EXPECT_EQ(locations, QStringList({u"wines.htm"_s, u"img1.jpg"_s, u"wines_Page2.htm"_s,
                                      u"wines_Page3.htm"_s, u"wines.css"_s}));
    EXPECT_TRUE(mht[u"unresolved"_s].toArray().isEmpty())
        << QJsonDocument(mht[u"unresolved"_s].toArray()).toJson().toStdString();
    EXPECT_TRUE(strings(mht[u"texts"_s]).contains(u"A & B Cellars <unknown> 3"_s));
}

TEST_F(HtmlExportTest, NamesComeFromTheChosenFile)
{
    objHTMLExport filter;
    filter.setFileName(path(u"Wine list - Anna.html"_s));
    filter.exportDocument(m_document, {});
    EXPECT_EQ(files(), QStringList({u"Wine list - Anna.htm"_s}));
    EXPECT_TRUE(QFileInfo(path(u"Wine list - Anna_Images/img1.jpg"_s)).isFile());
    const QJsonObject facts = page(u"Wine list - Anna.htm"_s);
    EXPECT_EQ(facts[u"title"_s].toString(), u"Wine list - Anna"_s);
    const QJsonObject site = check({u"site"_s, path(u"Wine list - Anna.htm"_s)});
    EXPECT_TRUE(site[u"broken"_s].toArray().isEmpty());
}

TEST_F(HtmlExportTest, FailureLeavesNoPage)
{
    m_filter.setMultiPageOutput(true);
    EXPECT_THROW(m_filter.exportDocument(m_document,
                                         [](int page) {
                                             if (page == 3)
                                                 throw vb::Error(vb::ErrorNumber::Overflow);
                                         }),
                 vb::Error);
    EXPECT_FALSE(files().contains(u"wines.htm"_s));
    for (const QString& name : files())
        EXPECT_FALSE(name.endsWith(u".part"_s)) << name.toStdString();

    m_filter.setFolder(path(u"missing"_s));
    try {
        m_filter.exportDocument(m_document, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::PathNotFound);
        EXPECT_TRUE(
            error.description().contains(QDir::toNativeSeparators(path(u"missing/wines.htm"_s))));
    }
}

} // namespace
} // namespace report
