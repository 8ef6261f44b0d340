// Tests of the plain PDF output, read back with poppler's pdfinfo, pdftotext and pdffonts.

#include "platform/reportengine/render/PdfOutput.h"

#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/reportengine/tests/SamplePages.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace report;
using namespace report::testing;

namespace {

// The pdfinfo line of every page's size, "595.28 x 841.89 pts (A4)" and the like.
QStringList pageSizes(const QString& pdf, int pages)
{
    const QString info =
        toolOutput(u"pdfinfo"_s, {u"-f"_s, u"1"_s, u"-l"_s, QString::number(pages), pdf});
    QStringList sizes;
    static const QRegularExpression sizeLine(u"^Page +\\d+ size: +(.*)$"_s,
                                             QRegularExpression::MultilineOption);
    for (auto match = sizeLine.globalMatch(info); match.hasNext();)
        sizes << match.next().captured(1).trimmed();
    return sizes;
}

QString infoField(const QString& pdf, const QString& field)
{
    static const QRegularExpression line(u"^(\\w[\\w ]*): +(.*)$"_s,
                                         QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(toolOutput(u"pdfinfo"_s, {pdf})); match.hasNext();) {
        const auto next = match.next();
        if (next.captured(1) == field)
            return next.captured(2).trimmed();
    }
    return {};
}

Page labelledPage(int width, int height, const QString& label)
{
    Page page = blankPage(width, height);
    page.items.push_back(textItem({1440, 1440, 8000, 276}, {label}));
    TextItem number = textItem({1440, 2000, 2000, 276}, {u"?"_s});
    number.field = PageField::PageNumber;
    page.items.push_back(number);
    TextItem right =
        textItem({1440, 2400, 6000, 552}, {u"Bordeaux 1990"_s, u"Pauillac"_s}, HAlign::Right);
    page.items.push_back(right);
    return page;
}

} // namespace

TEST(PdfOutput, writesEveryPageOnItsOwnPaperWithSelectableText)
{
    const QTemporaryDir folder;
    PageDocument document;
    document.append(labelledPage(kA4Width, kA4Height, u"A4 portrait"_s));
    document.append(labelledPage(kA4Height, kA4Width, u"A4 landscape"_s));
    document.append(labelledPage(kLetterWidth, kLetterHeight, u"Letter portrait"_s));
    document.append(labelledPage(kLetterHeight, kLetterWidth, u"Letter landscape"_s));
    document.setState(GenerationState::Finished);
    const QString pdf = folder.filePath(u"Wine list.pdf"_s);
    std::vector<int> progress;
    writePdf(document, pdf, [&progress](int page) { progress.push_back(page); });

    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(infoField(pdf, u"Pages"_s), u"4"_s);
    EXPECT_EQ(infoField(pdf, u"Title"_s), u"Wine list"_s);
    EXPECT_FALSE(infoField(pdf, u"Creator"_s).isEmpty());
    const QStringList sizes = pageSizes(pdf, 4);
    ASSERT_EQ(sizes.size(), 4);
    EXPECT_TRUE(sizes[0].startsWith(u"595 x 842 pts (A4)"_s)) << sizes[0].toStdString();
    EXPECT_TRUE(sizes[1].startsWith(u"842 x 595 pts (A4)"_s)) << sizes[1].toStdString();
    EXPECT_TRUE(sizes[2].startsWith(u"612 x 792"_s)) << sizes[2].toStdString();
    EXPECT_TRUE(sizes[3].startsWith(u"792 x 612"_s)) << sizes[3].toStdString();

    const QStringList pages = toolOutput(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}).split(u'\f');
    ASSERT_GE(pages.size(), 4);
    const QString labels[] = {u"A4 portrait"_s, u"A4 landscape"_s, u"Letter portrait"_s,
                              u"Letter landscape"_s};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(pages[i].contains(labels[i])) << pages[i].toStdString();
        EXPECT_TRUE(pages[i].contains(QRegularExpression(u"\\n\\s+%1\\s*\\n"_s.arg(i + 1))))
            << pages[i].toStdString();
        // Right aligned: the right column starts further right than the label.
        const int label = pages[i].split(u'\n').filter(labels[i]).value(0).indexOf(labels[i]);
        const int right =
            pages[i].split(u'\n').filter(u"Pauillac"_s).value(0).indexOf(u"Pauillac"_s);
        EXPECT_GT(right, label + 10) << pages[i].toStdString();
    }
    const QString fonts = toolOutput(u"pdffonts"_s, {pdf});
    EXPECT_TRUE(fonts.contains(u"LiberationSans"_s)) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QRegularExpression(u"\\bno\\s+(yes|no)\\s+(yes|no)\\s+\\d+"_s)))
        << "a font is not embedded:\n"
        << fonts.toStdString();
}

TEST(PdfOutput, writesAPageOfEveryItemKindForALook)
{
    const QTemporaryDir folder;
    PageDocument document;
    document.append(samplePage(document.images()));
    document.append(samplePage(document.images()));
    const QString pdf = folder.filePath(u"sample.pdf"_s);
    writePdf(document, pdf, {});
    // The picture drawn six times is stored once in the file.
    const QString objects = toolOutput(u"qpdf"_s, {u"--show-npages"_s, pdf});
    EXPECT_EQ(objects.trimmed(), u"2"_s);
    const QString images = toolOutput(u"pdfimages"_s, {u"-list"_s, pdf});
    QStringList objectIds;
    for (const QString& line : images.split(u'\n').mid(2))
        if (const QStringList fields = line.simplified().split(u' '); fields.size() > 11)
            objectIds << fields[10];
    objectIds.removeDuplicates();
    EXPECT_EQ(objectIds.size(), 1) << images.toStdString();

    const QString png = QCoreApplication::applicationDirPath() + u"/reportengine-sample-pdf"_s;
    toolOutput(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"110"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s,
                               u"-singlefile"_s, pdf, png});
    EXPECT_TRUE(QFile::exists(png + u".png"_s));
}

TEST(PdfOutput, refusesAFileThatCannotBeWrittenNamingIt)
{
    const QTemporaryDir folder;
    PageDocument document;
    document.append(blankPage());
    const QString pdf = folder.filePath(u"missing folder/list.pdf"_s);
    try {
        writePdf(document, pdf, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::PathFileAccessError);
        EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(pdf)))
            << error.description().toStdString();
        EXPECT_TRUE(error.description().contains(u"Check"_s));
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(PdfOutput, leavesNoHalfFileWhenStoppedAndKeepsTheOldOne)
{
    const QTemporaryDir folder;
    PageDocument document;
    for (int i = 0; i < 5; ++i)
        document.append(labelledPage(kA4Width, kA4Height, u"Page"_s));
    const QString pdf = folder.filePath(u"list.pdf"_s);
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the earlier export");
    }
    struct Stopped
    {
    };
    EXPECT_THROW(writePdf(document, pdf,
                          [](int page) {
                              if (page == 3)
                                  throw Stopped{};
                          }),
                 Stopped);
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "the earlier export");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"list.pdf"_s});
}
