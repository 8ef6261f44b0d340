// objTextExport: the exact lines of a page with each option, a whole wine list in reading
// order, and files that cannot be written.

#include "platform/reportengine/export/TextExport.h"

#include "platform/reportengine/tests/SamplePages.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/vb/Error.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace report {
namespace {

using testing::blankPage;
using testing::textItem;

// Two rows of fields, two empty lines of space, a two-line text beside a centred one.
Page layoutPage()
{
    Page page = blankPage();
    page.items.push_back(textItem({1440, 1440, 2880, 276}, {u"Name"_s}));
    page.items.push_back(textItem({4320, 1440, 1440, 276}, {u"Price"_s}, HAlign::Right));
    page.items.push_back(textItem({1440, 1716, 2880, 276}, {u"A & B <unknown>"_s}));
    page.items.push_back(textItem({4320, 1716, 1440, 276}, {u"12.50"_s}, HAlign::Right));
    page.items.push_back(
        textItem({1440, 2544, 4320, 552}, {u"Château Müller — 日本"_s, u"second line"_s}));
    page.items.push_back(textItem({5760, 2544, 2880, 276}, {u"mid"_s}, HAlign::Center));
    return page;
}

QString spaces(int count)
{
    return QString(count, u' ');
}

QStringList fileLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.endsWith(u'\n'));
    text.chop(1);
    return text.split(u'\n');
}

TEST(TextExport, FieldsAreSetInColumnsByTheirPlace)
{
    const QStringList expected = {
        u"Name"_s + spaces(21) + u"Price"_s,
        u"A & B <unknown>"_s + spaces(10) + u"12.50"_s,
        QString(),
        QString(),
        u"Château Müller — 日本"_s + spaces(18) + u"mid"_s, // 日本 is four columns wide
        u"second line"_s,
    };
    EXPECT_EQ(objTextExport().pageLines(layoutPage()), expected);
}

TEST(TextExport, EachOptionChangesTheLines)
{
    objTextExport filter;
    filter.setTextDelimiter(u";"_s);
    EXPECT_EQ(filter.pageLines(layoutPage()), QStringList({u"Name;Price"_s,
                                                           u"A & B <unknown>;12.50"_s,
                                                           {},
                                                           {},
                                                           u"Château Müller — 日本;mid"_s,
                                                           u"second line"_s}));
    filter.setSuppressEmptyLines(true);
    EXPECT_EQ(filter.pageLines(layoutPage()),
              QStringList({u"Name;Price"_s, u"A & B <unknown>;12.50"_s,
                           u"Château Müller — 日本;mid"_s, u"second line"_s}));

    QTemporaryDir folder;
    PageDocument document;
    document.append(layoutPage());
    Page second = blankPage();
    second.items.push_back(textItem({1440, 1440, 2000, 276}, {u"Page"_s}));
    TextItem number = textItem({3440, 1440, 500, 276}, {u"?"_s});
    number.field = PageField::PageNumber;
    second.items.push_back(number);
    second.items.push_back(textItem({3940, 1440, 500, 276}, {u"of"_s}));
    TextItem count = textItem({4440, 1440, 500, 276}, {u"?"_s});
    count.field = PageField::PageCount;
    second.items.push_back(count);
    document.append(second);
    document.setState(GenerationState::Finished);

    filter.setPageDelimiter(u"=== next page ==="_s);
    filter.setTextDelimiter(u" "_s);
    filter.setFileName(folder.filePath(u"list.txt"_s));
    std::vector<int> pages;
    filter.exportDocument(document, [&pages](int page) { pages.push_back(page); });
    EXPECT_EQ(pages, std::vector<int>({1, 2}));
    EXPECT_EQ(
        fileLines(filter.fileName()),
        QStringList({u"Name Price"_s, u"A & B <unknown> 12.50"_s, u"Château Müller — 日本 mid"_s,
                     u"second line"_s, u"=== next page ==="_s, u"Page 2 of 2"_s}));
}

TEST(TextExport, WineListReadsInRowOrder)
{
    QTemporaryDir folder;
    PageDocument document;
    testing::fillWineList(document, 3);
    objTextExport filter;
    filter.setTextDelimiter(u"|"_s);
    filter.setSuppressEmptyLines(true);
    filter.setFileName(folder.filePath(u"wines.txt"_s));
    filter.exportDocument(document, {});
    const QStringList lines = fileLines(filter.fileName());

    EXPECT_EQ(lines.first(), u"Wine list"_s);
    EXPECT_EQ(lines.count(u"Wine list"_s), 3);
    EXPECT_TRUE(lines.contains(u"Page|3|of|3"_s));
    for (int page = 0; page < 3; ++page) {
        const QStringList names = testing::wineListNames(page);
        int previous = -1;
        for (int row = 0; row < names.size(); ++row) {
            const int at =
                lines.indexOf(QRegularExpression(u"^"_s + QRegularExpression::escape(names[row]) +
                                                 u"\\|\\d{4}\\|[\\d,]+\\.\\d\\d$"_s));
            ASSERT_GT(at, previous) << names[row].toStdString();
            previous = at;
        }
    }
}

TEST(TextExport, UnwritableFileFailsNamingItAndLeavesNothing)
{
    QTemporaryDir folder;
    PageDocument document;
    testing::fillWineList(document, 2);
    objTextExport filter;

    filter.setFileName(folder.filePath(u"missing/wines.txt"_s));
    try {
        filter.exportDocument(document, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::PathNotFound);
        EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(filter.fileName())));
    }

    // An interrupted export keeps the previous file and leaves no partial one.
    const QString path = folder.filePath(u"wines.txt"_s);
    {
        QFile previous(path);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous export\n");
    }
    filter.setFileName(path);
    EXPECT_THROW(filter.exportDocument(document,
                                       [](int page) {
                                           if (page == 2)
                                               throw vb::Error(vb::ErrorNumber::Overflow);
                                       }),
                 vb::Error);
    EXPECT_EQ(fileLines(path), QStringList({u"previous export"_s}));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({u"wines.txt"_s}));

    // A disk that fills up: the file size limit stands in for it.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &small);
    bool failed = false;
    try {
        filter.exportDocument(document, {});
    } catch (const vb::Error& error) {
        failed = error.description().contains(QDir::toNativeSeparators(path));
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(failed);
    EXPECT_EQ(fileLines(path), QStringList({u"previous export"_s}));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({u"wines.txt"_s}));
}

} // namespace
} // namespace report
