// objRTFExport: the wine list read back by unrtf in reading order, the document's pages,
// shading and picture, and a look at it through LibreOffice when that is installed.

#include "platform/reportengine/export/RtfExport.h"

#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/reportengine/tests/SamplePages.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace report {
namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The lines of `unrtf --text` (which shows only ASCII), without its comment header.
QStringList unrtfTextLines(const QString& path)
{
    QStringList lines;
    for (const QString& line : testing::toolOutput(u"unrtf"_s, {u"--text"_s, path}).split(u'\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith(u"###"_s) && !line.startsWith(u"-----"_s))
            lines << line.trimmed();
    return lines;
}

// Every line unrtf reads, with all characters (from its HTML output).
QStringList unrtfLines(const QString& path)
{
    const QString out = testing::toolOutput(
        u"python3"_s, {testing::testScriptFolder() + u"/unrtf_lines.py"_s, path});
    QStringList lines;
    for (const QJsonValue& line : QJsonDocument::fromJson(out.toUtf8()).array())
        lines << line.toString();
    return lines;
}

// Whether `lines` hold `expected` in that order (other lines may come between).
void expectInOrder(const QStringList& lines, const QStringList& expected)
{
    int at = -1;
    for (const QString& text : expected) {
        const int found = lines.indexOf(text, at + 1);
        EXPECT_GT(found, at) << "\"" << text.toStdString() << "\" after line " << at;
        if (found > at)
            at = found;
    }
}

bool isAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

class RtfExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        testing::fillWineList(m_document, 3);
        // A text that grew to three lines.
        Page last = m_document.page(2);
        TextItem note = testing::textItem(
            {720, 13200, 6000, 828},
            {u"Tasting note: firm,"_s, u"long finish {oak}"_s, u"Château Müller — 日本"_s});
        note.font.italic = true;
        last.items.push_back(note);
        m_withNote.append(m_document.page(0));
        m_withNote.append(m_document.page(1));
        m_withNote.append(last);
        const QImage bottle = m_document.images().image(1);
        m_withNote.images().add(bottle);
        m_withNote.setState(GenerationState::Finished);
    }

    QString exportTo(const QString& name)
    {
        objRTFExport filter;
        filter.setFileName(m_folder.filePath(name));
        filter.exportDocument(m_withNote, [this](int page) { m_pages.push_back(page); });
        return filter.fileName();
    }

    QTemporaryDir m_folder;
    PageDocument m_document;
    PageDocument m_withNote;
    std::vector<int> m_pages;
};

TEST_F(RtfExportTest, UnrtfReadsEveryTextInReadingOrder)
{
    const QString rtf = exportTo(u"wines.rtf"_s);
    EXPECT_EQ(m_pages, std::vector<int>({1, 2, 3}));

    QStringList expected;
    for (int page = 0; page < 3; ++page) {
        expected << u"Wine list"_s << u"Country %1"_s.arg(page + 1)
                 << u"Region %1.1"_s.arg(page + 1);
        const QStringList names = testing::wineListNames(page);
        for (int row = 0; row < names.size(); ++row)
            expected << names[row] << QString::number(1990 + row);
        if (page == 2)
            expected << u"Tasting note: firm,"_s << u"long finish {oak}"_s
                     << u"Château Müller — 日本"_s;
        expected << u"Page"_s << QString::number(page + 1) << u"of"_s << u"3"_s;
    }
    const QStringList lines = unrtfLines(rtf);
    expectInOrder(lines, expected);
    EXPECT_TRUE(lines.contains(u"A & B Cellars <unknown> 3"_s));
    EXPECT_TRUE(lines.contains(u"Ржавец Мавруд 4"_s));
    EXPECT_TRUE(lines.contains(u"甲州 Koshu 5"_s));

    QStringList ascii;
    for (const QString& text : expected)
        if (isAscii(text))
            ascii << text;
    expectInOrder(unrtfTextLines(rtf), ascii);
}

TEST_F(RtfExportTest, PagesShadingLinesAndPictureAreDrawingObjects)
{
    const QByteArray rtf = readAll(exportTo(u"wines.rtf"_s));
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_EQ(rtf.count("\\sect\\sectd"), 2); // three sections, one per page
    EXPECT_EQ(rtf.count("\\sectd"), 3);
    EXPECT_EQ(rtf.count("\\pgwsxn12240\\pghsxn15840"), 3);
    // The grey row shading (0xe4e4e4) as filled rectangles behind the text, 6 per page.
    EXPECT_EQ(rtf.count("{\\sp{\\sn fillColor}{\\sv 15000804}}"), 18);
    EXPECT_EQ(rtf.count("\\shpfblwtxt1"), 18 + 3); // and a rule under each title
    EXPECT_EQ(rtf.count("{\\sp{\\sn shapeType}{\\sv 20}}"), 3);
    EXPECT_EQ(rtf.count("\\pngblip"), 1);
    EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset0 Arial;}"));
    EXPECT_TRUE(rtf.contains("\\fs40\\cf1\\b Wine list"));
    EXPECT_TRUE(rtf.contains("long finish \\{oak\\}"));
    // Braces balance, so the document ends where it should.
    int depth = 0;
    bool escaped = false;
    for (const char c : rtf) {
        if (escaped) {
            escaped = false;
            continue;
        }
        if (c == '\\')
            escaped = true;
        depth += c == '{' ? 1 : c == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

TEST_F(RtfExportTest, LibreOfficeOpensItWhenInstalled)
{
    const QString office = QStandardPaths::findExecutable(u"soffice"_s);
    if (office.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    const QString rtf = exportTo(u"wines.rtf"_s);
    // A profile of its own, so a LibreOffice the user has open does not take the job over.
    const QString profile = QUrl::fromLocalFile(m_folder.filePath(u"office-profile"_s)).toString();
    // A first start makes the profile, which takes a while on a busy machine.
    const testing::ToolResult converted =
        testing::runTool(office,
                         {u"-env:UserInstallation="_s + profile, u"--headless"_s, u"--convert-to"_s,
                          u"pdf"_s, u"--outdir"_s, m_folder.path(), rtf},
                         300'000);
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    const QString text =
        testing::toolOutput(u"pdftotext"_s, {m_folder.filePath(u"wines.pdf"_s), u"-"_s});
    EXPECT_TRUE(text.contains(u"A & B Cellars <unknown> 3"_s));
    EXPECT_EQ(testing::toolOutput(u"pdfinfo"_s, {m_folder.filePath(u"wines.pdf"_s)})
                  .contains(QRegularExpression(u"Pages:\\s+3\\n"_s)),
              true);
}

TEST_F(RtfExportTest, MissingFolderFailsNamingTheFile)
{
    objRTFExport filter;
    filter.setFileName(m_folder.filePath(u"gone/wines.rtf"_s));
    try {
        filter.exportDocument(m_withNote, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(filter.fileName())));
    }
}

} // namespace
} // namespace report
