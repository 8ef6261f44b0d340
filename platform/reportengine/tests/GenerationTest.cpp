// Reports from layout files run on a real database: groups, page breaks, growing text, keeping
// together, page N of M, sub-reports, events and their order, errors, stopping.
#include "platform/reportengine/export/ExportFilter.h"
#include "platform/reportengine/model/Report.h"
#include "platform/vb/Error.h"
#include "ReportTestDatabase.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using report::testing::ReportTestDatabase;
using report::testing::TestWine;

namespace report {
namespace {

struct PlacedText
{
    int page = 0; // 1-based
    QString name;
    QString text;
    TwipRect rect;
};

std::vector<PlacedText> placedTexts(const PageDocument& pages)
{
    std::vector<PlacedText> texts;
    for (int i = 0; i < pages.count(); ++i) {
        const Page page = pages.page(i);
        for (const auto& item : page.items) {
            if (const auto* text = std::get_if<TextItem>(&item))
                texts.push_back({i + 1, text->name, text->text(), text->rect});
        }
    }
    return texts;
}

QStringList textsNamed(const PageDocument& pages, const QString& name)
{
    QStringList result;
    for (const auto& text : placedTexts(pages)) {
        if (text.name == name)
            result << text.text;
    }
    return result;
}

// Every text item as "name=text", in page order, leaving out the page header and footer.
QStringList bodyTexts(const PageDocument& pages)
{
    static const QStringList pageSections{u"lblHeading"_s, u"lblPage"_s,      u"txtCurrentPage"_s,
                                          u"lblOf"_s,      u"txtPageCount"_s, u"txtWineOnPage"_s};
    QStringList result;
    for (const auto& text : placedTexts(pages)) {
        if (!pageSections.contains(text.name))
            result << text.name + u"="_s + text.text;
    }
    return result;
}

class GroupedList : public Report
{
public:
    explicit GroupedList(const ReportTestDatabase& database)
    {
        loadLayout(database.dataPath(u"grouped_list.xml"_s));
        dcDetail().setConnectionString(database.connectionString());
        dcDetail().setSource(
            u"SELECT Country, Wine, Price FROM tblWines ORDER BY Country, WineID"_s);
        for (const auto& section : sections()) {
            Section* s = section.get();
            s->setOnFormat([this, s] { log << s->name() + u"_Format"_s; });
            s->setOnBeforePrint([this, s] { log << s->name() + u"_BeforePrint"_s; });
            s->setOnAfterPrint([this, s] { log << s->name() + u"_AfterPrint"_s; });
        }
    }

    QStringList log;

protected:
    void reportStart() override { log << u"ReportStart"_s; }
    void dataInitialize() override { log << u"DataInitialize"_s; }
    void fetchData() override
    {
        log << (dcDetail().recordset().eof() ? u"FetchData EOF"_s : u"FetchData"_s);
    }
    void pageStart() override { log << u"PageStart"_s; }
    void pageEnd() override { log << u"PageEnd"_s; }
    void printProgress(int pageNumber) override { log << u"PrintProgress %1"_s.arg(pageNumber); }
    void reportEnd() override { log << u"ReportEnd"_s; }
};

QList<TestWine> manyWines(int count)
{
    QList<TestWine> wines;
    const QStringList countries{u"Austria"_s, u"Chile"_s, u"Portugal"_s};
    for (int i = 1; i <= count; ++i)
        wines.append({i, countries[(i - 1) * 3 / count], u"Wine number %1"_s.arg(i), i * 1.5, {}});
    return wines;
}

TEST(GenerationTest, GroupsPrintHeadersFootersAndDetailsInOrder)
{
    const ReportTestDatabase database(report::testing::threeCountries());
    GroupedList list(database);
    list.run();

    EXPECT_EQ(list.pages().state(), GenerationState::Finished);
    ASSERT_EQ(list.pages().count(), 1);
    EXPECT_EQ(bodyTexts(list.pages()), (QStringList{u"lblReportTitle=Wine List"_s,
                                                    u"txtCountry=France"_s,
                                                    u"txtWine=Château Margaux 2015"_s,
                                                    u"txtPrice=450.00"_s,
                                                    u"txtWine=Chablis Premier Cru 2020"_s,
                                                    u"txtPrice=32.50"_s,
                                                    u"lblEndOfCountry=End"_s,
                                                    u"txtCountry=Italy"_s,
                                                    u"txtWine=Barolo 2016"_s,
                                                    u"txtPrice=65.00"_s,
                                                    u"txtWine=Chianti Classico 2019"_s,
                                                    u"txtPrice=18.90"_s,
                                                    u"txtWine=Amarone 2015"_s,
                                                    u"txtPrice=1,234.50"_s,
                                                    u"lblEndOfCountry=End"_s,
                                                    u"txtCountry=Spain"_s,
                                                    u"txtWine=Rioja Reserva 2017"_s,
                                                    u"txtPrice=24.00"_s,
                                                    u"lblEndOfCountry=End"_s,
                                                    u"lblTheEnd=The end"_s}));
    const Page page = list.pages().page(0);
    ASSERT_EQ(page.toc.size(), 3u);
    EXPECT_EQ(page.toc[1].text, u"Italy"_s);
    EXPECT_EQ(page.toc[1].level, 0);
}

TEST(GenerationTest, EventsComeInTheOrderModulesRelyOn)
{
    const ReportTestDatabase database(report::testing::threeCountries().mid(0, 2));
    GroupedList list(database);
    list.run();

    const QStringList expected{
        u"ReportStart"_s, u"DataInitialize"_s,
        // The report header opens the first page: the page header formats after it.
        u"ReportHeader_Format"_s, u"ReportHeader_BeforePrint"_s, u"PageStart"_s,
        u"PageHeader_Format"_s, u"PageHeader_BeforePrint"_s, u"PageHeader_AfterPrint"_s,
        u"ReportHeader_AfterPrint"_s, u"FetchData"_s, u"CountryGroup_Format"_s,
        u"CountryGroup_BeforePrint"_s, u"CountryGroup_AfterPrint"_s, u"Detail_Format"_s,
        u"Detail_BeforePrint"_s, u"Detail_AfterPrint"_s, u"FetchData"_s, u"Detail_Format"_s,
        u"Detail_BeforePrint"_s, u"Detail_AfterPrint"_s, u"FetchData EOF"_s,
        u"CountryFooter_Format"_s, u"CountryFooter_BeforePrint"_s, u"CountryFooter_AfterPrint"_s,
        u"ReportFooter_Format"_s, u"ReportFooter_BeforePrint"_s, u"ReportFooter_AfterPrint"_s,
        u"PageFooter_Format"_s, u"PageFooter_BeforePrint"_s, u"PageFooter_AfterPrint"_s,
        u"PageEnd"_s, u"PrintProgress 1"_s, u"ReportEnd"_s};
    EXPECT_EQ(list.log, expected);
}

TEST(GenerationTest, PagesCarryRepeatedGroupHeadersAndPageNOfM)
{
    const ReportTestDatabase database(manyWines(150));
    GroupedList list(database);
    list.run();

    const int pageCount = list.pages().count();
    ASSERT_GE(pageCount, 3);
    EXPECT_EQ(textsNamed(list.pages(), u"txtPageCount"_s),
              QStringList(pageCount, QString::number(pageCount)));
    QStringList numbers;
    for (int i = 1; i <= pageCount; ++i)
        numbers << QString::number(i);
    EXPECT_EQ(textsNamed(list.pages(), u"txtCurrentPage"_s), numbers);

    // Every wine exactly once, and every page after the first starts its body with the header
    // of the group it continues (the repeated header).
    EXPECT_EQ(textsNamed(list.pages(), u"txtWine"_s).size(), 150);
    const auto texts = placedTexts(list.pages());
    for (int page = 2; page <= pageCount; ++page) {
        const auto first = std::find_if(texts.begin(), texts.end(), [page](const PlacedText& t) {
            return t.page == page && t.name != u"lblHeading"_s;
        });
        ASSERT_NE(first, texts.end());
        EXPECT_EQ(first->name, u"txtCountry"_s) << "page " << page;
    }
    // Three groups, three contents entries: repeats do not add any.
    int entries = 0;
    for (int i = 0; i < pageCount; ++i)
        entries += static_cast<int>(list.pages().page(i).toc.size());
    EXPECT_EQ(entries, 3);

    // Nothing of the body runs into the page footer.
    const int footerTop = 16838 - 1000 - 300;
    for (const auto& text : texts) {
        if (text.name == u"txtWine"_s) {
            EXPECT_LE(text.rect.bottom(), footerTop) << text.text.toStdString();
        }
    }
}

TEST(GenerationTest, TheReportHeaderStandsAboveThePageHeaderOfTheFirstPageOnly)
{
    const ReportTestDatabase database(manyWines(150));
    GroupedList list(database);
    list.run();
    ASSERT_GE(list.pages().count(), 2);
    const auto texts = placedTexts(list.pages());
    auto top = [&texts](int page, const QString& name) {
        for (const auto& text : texts)
            if (text.page == page && text.name == name)
                return text.rect.top;
        return -1;
    };
    EXPECT_EQ(top(1, u"lblReportTitle"_s), 1000);
    EXPECT_EQ(top(1, u"lblHeading"_s), 1000 + 600);
    EXPECT_EQ(top(2, u"lblReportTitle"_s), -1);
    EXPECT_EQ(top(2, u"lblHeading"_s), 1000);
}

TEST(GenerationTest, ReportStartChangesHoldAndFormatWinsOverBinding)
{
    const ReportTestDatabase database(report::testing::threeCountries());
    struct Narrowed : GroupedList
    {
        using GroupedList::GroupedList;
        void reportStart() override
        {
            textBox(u"txtWine"_s).setWidth(3000);
            label(u"lblHeading"_s).setVisible(false);
        }
    } list(database);
    // A second box bound to the same field, rewritten in Format: the handler wins for the box
    // it writes, the binding stays for the other.
    auto copy = std::make_unique<TextBox>(u"txtWineCopy"_s);
    copy->setDataField(u"Wine"_s);
    copy->setLeft(6000);
    list.section(u"Detail"_s).addControl(std::move(copy));
    list.section(u"Detail"_s).setOnFormat([&list] {
        list.textBox(u"txtWine"_s).setText(u"#"_s + list.textBox(u"txtWine"_s).text());
    });
    list.run();

    for (const auto& text : placedTexts(list.pages())) {
        if (text.name == u"txtWine"_s) {
            EXPECT_EQ(text.rect.width, 3000);
            EXPECT_TRUE(text.text.startsWith(u'#'));
        }
        if (text.name == u"txtWineCopy"_s) {
            EXPECT_FALSE(text.text.startsWith(u'#'));
        }
        EXPECT_NE(text.name, u"lblHeading"_s);
    }
    EXPECT_EQ(textsNamed(list.pages(), u"txtWineCopy"_s).size(), 6);
}

TEST(GenerationTest, AnErrorInAHandlerStopsTheRunAndReachesTheCaller)
{
    const ReportTestDatabase database(report::testing::threeCountries());
    GroupedList list(database);
    int rows = 0;
    list.section(u"Detail"_s).setOnFormat([&rows] {
        if (++rows == 3)
            throw vb::Error(1234, u"The third row is bad"_s, u"rptGroupedList.Detail_Format"_s);
    });
    try {
        list.run();
        FAIL() << "the run did not fail";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 1234);
        EXPECT_EQ(error.description(), u"The third row is bad"_s);
        EXPECT_EQ(error.source(), u"rptGroupedList.Detail_Format"_s);
    }
    EXPECT_EQ(list.pages().state(), GenerationState::Failed);
    EXPECT_EQ(list.pages().errorNumber(), 1234);
    EXPECT_FALSE(list.isRunning());
    EXPECT_FALSE(list.dcDetail().isOpen());

    // The same report runs again once the fault is gone.
    list.section(u"Detail"_s).setOnFormat({});
    list.run();
    EXPECT_EQ(list.pages().state(), GenerationState::Finished);
}

TEST(GenerationTest, StopKeepsThePagesMadeSoFar)
{
    const ReportTestDatabase database(manyWines(150));
    GroupedList list(database);
    QObject::connect(&list, &Report::pageAdded, &list, [&list](int page) {
        if (page == 1)
            list.stop();
    });
    list.run();
    EXPECT_EQ(list.pages().state(), GenerationState::Stopped);
    EXPECT_GE(list.pages().count(), 1);
    EXPECT_LT(textsNamed(list.pages(), u"txtWine"_s).size(), 150);
}

TEST(GenerationTest, SectionTallerThanAPageContinuesOnTheNext)
{
    const ReportTestDatabase database(report::testing::threeCountries().mid(0, 1));
    GroupedList list(database);
    Section& detail = list.section(u"Detail"_s);
    detail.setHeight(20000);
    auto bottom = std::make_unique<Label>(u"lblBottom"_s);
    bottom->setCaption(u"Bottom of the tall section"_s);
    bottom->setTop(19500);
    detail.addControl(std::move(bottom));
    list.run();

    ASSERT_EQ(list.pages().count(), 2);
    const auto texts = placedTexts(list.pages());
    const auto wine = std::find_if(texts.begin(), texts.end(),
                                   [](const PlacedText& t) { return t.name == u"txtWine"_s; });
    const auto last = std::find_if(texts.begin(), texts.end(),
                                   [](const PlacedText& t) { return t.name == u"lblBottom"_s; });
    ASSERT_NE(wine, texts.end());
    ASSERT_NE(last, texts.end());
    EXPECT_EQ(wine->page, 1);
    EXPECT_EQ(last->page, 2);
}

class Book : public Report
{
public:
    explicit Book(const ReportTestDatabase& database)
    {
        loadLayout(database.dataPath(u"book.xml"_s));
        dcDetail().setConnectionString(database.connectionString());
        dcDetail().setSource(u"SELECT WineID, Wine, Notes FROM tblWines ORDER BY WineID"_s);
        section(u"Detail"_s).setOnFormat([this] {
            m_lastWine = textBox(u"txtWine"_s).text();
            if (auto* notes = subReport(u"tnSubReport"_s).report())
                notes->dcDetail().setSource(
                    u"SELECT NoteDate, NoteText FROM tblNotes WHERE WineID = %1 ORDER BY NoteID"_s
                        .arg(m_wineId));
        });
        section(u"Detail"_s).setOnBeforePrint([this] {
            grownNoteHeights << textBox(u"txtNote"_s).height();
            label(u"lblNoteBox"_s).setHeight(textBox(u"txtNote"_s).height());
        });
        section(u"PageHeader"_s).setOnBeforePrint([this] {
            textBox(u"txtWineOnPage"_s).setText(m_lastWine);
        });
    }

    QList<int> grownNoteHeights;
    bool printNotesHeader = false; // set by the notes sub-report, read by it

protected:
    void fetchData() override
    {
        if (!dcDetail().recordset().eof())
            m_wineId = dcDetail().recordset().value(u"WineID"_s).toLong();
    }

private:
    int m_wineId = 0;
    QString m_lastWine;
};

class NotesSubReport : public Report
{
public:
    explicit NotesSubReport(const ReportTestDatabase& database)
    {
        loadLayout(database.dataPath(u"notes_sub.xml"_s));
        dcDetail().setConnectionString(database.connectionString());
        section(u"GroupHeader1"_s).setOnFormat([this] {
            auto& parent = dynamic_cast<Book&>(*parentReport());
            const bool noRows = dcDetail().recordset().eof();
            eofSeen << noRows;
            section(u"GroupHeader1"_s).setVisible(!noRows);
            parent.printNotesHeader = !noRows;
        });
    }

    QList<bool> eofSeen;
};

QList<TestWine> bookWines(const QString& longNote)
{
    return {{1, u"France"_s, u"Château Margaux 2015"_s, 450.0, u"A short note."_s},
            {2, u"Italy"_s, u"Barolo 2016"_s, 65.0, longNote},
            {3, u"Spain"_s, u"Rioja Reserva 2017"_s, 24.0, {}}};
}

TEST(GenerationTest, GrownTextPushesDownWhatLiesBelowAndBeforePrintSeesIt)
{
    QString note;
    for (int i = 0; i < 12; ++i)
        note += u"The nose opens on blackcurrant and cedar, the palate is long. "_s;
    const ReportTestDatabase database(bookWines(note));
    Book book(database);
    book.run();

    ASSERT_EQ(book.grownNoteHeights.size(), 3);
    EXPECT_GT(book.grownNoteHeights[1], 3 * book.grownNoteHeights[0]);
    EXPECT_EQ(book.textBox(u"txtNote"_s).height(), 300) << "design height is back after the run";

    const auto texts = placedTexts(book.pages());
    std::vector<PlacedText> notes;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(notes),
                 [](const PlacedText& t) { return t.name == u"txtNote"_s; });
    std::vector<PlacedText> boxes;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(boxes),
                 [](const PlacedText& t) { return t.name == u"lblNoteBox"_s; });
    ASSERT_EQ(boxes.size(), 3u);
    ASSERT_EQ(notes.size(), 2u); // the third wine has no note
    EXPECT_EQ(boxes[1].rect.height, notes[1].rect.height);

    // The rule under the note moved down with the grown note.
    const Page page = book.pages().page(notes[1].page - 1);
    bool ruleBelowNote = false;
    for (const auto& item : page.items) {
        if (const auto* line = std::get_if<LineItem>(&item))
            ruleBelowNote |= line->y1 == notes[1].rect.bottom() + 50;
    }
    EXPECT_TRUE(ruleBelowNote);
    // The page header shows the wine that was formatted last before it.
    EXPECT_EQ(textsNamed(book.pages(), u"txtWineOnPage"_s).first(), u"Château Margaux 2015"_s);
}

TEST(GenerationTest, GrownTextTallerThanAPageContinuesWithNoLineLost)
{
    QString note;
    for (int i = 1; i <= 400; ++i)
        note += u"word%1 "_s.arg(i, 3, 10, QLatin1Char('0'));
    note += u"\r\nlast paragraph"_s;
    const ReportTestDatabase database(bookWines(note).mid(1, 1));
    Book book(database);
    book.section(u"Detail"_s).setKeepTogether(false);
    book.textBox(u"txtNote"_s).setWidth(1500); // narrow: a few words per line, many lines
    book.run();

    ASSERT_GE(book.pages().count(), 2);
    QString printed;
    for (const auto& text : placedTexts(book.pages())) {
        if (text.name == u"txtNote"_s)
            printed += text.text + u"\n"_s;
    }
    for (int i = 1; i <= 400; ++i)
        EXPECT_EQ(printed.count(u"word%1"_s.arg(i, 3, 10, QLatin1Char('0'))), 1) << i;
    EXPECT_TRUE(printed.contains(u"last paragraph"_s));
}

TEST(GenerationTest, KeepTogetherMovesASectionThatDoesNotFitToTheNextPage)
{
    QString note;
    for (int i = 0; i < 40; ++i)
        note += u"Long note line to fill the page. "_s;
    QList<TestWine> wines;
    for (int i = 1; i <= 8; ++i)
        wines.append({i, u"France"_s, u"Wine %1"_s.arg(i), 10.0, note});
    const ReportTestDatabase database(wines);
    Book book(database);
    book.run();

    ASSERT_GE(book.pages().count(), 2);
    // Each wine's name and note are on one page.
    const auto texts = placedTexts(book.pages());
    QHash<QString, int> pageOfWine;
    int lastWinePage = 0;
    QString lastWine;
    for (const auto& text : texts) {
        if (text.name == u"txtWine"_s) {
            lastWine = text.text;
            lastWinePage = text.page;
        }
        if (text.name == u"txtNote"_s) {
            EXPECT_EQ(text.page, lastWinePage) << lastWine.toStdString();
        }
    }
}

TEST(GenerationTest, SubReportsRunPerRowWithTheirOwnDataAndReachTheirParent)
{
    const ReportTestDatabase database(bookWines(u"Second note"_s), {{1, 2}, {3, 1}});
    Book book(database);
    NotesSubReport notes(database);
    book.subReport(u"tnSubReport"_s).setReport(&notes);
    book.run();

    // Wine 1: header and two notes; wine 2: no notes, header hidden; wine 3: header and one.
    EXPECT_EQ(notes.eofSeen, (QList<bool>{false, true, false}));
    EXPECT_EQ(textsNamed(book.pages(), u"NoteText"_s),
              (QStringList{u"Note 1 of wine 1"_s, u"Note 2 of wine 1"_s, u"Note 1 of wine 3"_s}));
    EXPECT_EQ(textsNamed(book.pages(), u"lblDate"_s).size(), 2);
    EXPECT_EQ(textsNamed(book.pages(), u"NoteDate"_s).first(), u"2024-01-01"_s);
    EXPECT_TRUE(book.printNotesHeader); // the last wine had notes
    EXPECT_EQ(notes.parentReport(), nullptr) << "the parent link ends with the run";

    // The notes of wine 1 lie below wine 1's rule and above wine 2.
    const auto texts = placedTexts(book.pages());
    int wine2Top = 0;
    int lastNoteOfWine1 = 0;
    for (const auto& text : texts) {
        if (text.text == u"Barolo 2016"_s)
            wine2Top = text.rect.top;
        if (text.text == u"Note 2 of wine 1"_s)
            lastNoteOfWine1 = text.rect.bottom();
    }
    EXPECT_GT(lastNoteOfWine1, 0);
    EXPECT_LE(lastNoteOfWine1, wine2Top);
}

TEST(GenerationTest, PicturesThatCannotBeReadDrawNothingAndDoNotStopTheReport)
{
    const ReportTestDatabase database(report::testing::threeCountries());
    GroupedList list(database);
    auto picture = std::make_unique<Picture>(u"imgLabel"_s);
    EXPECT_FALSE(picture->loadPicture(u"/nonexistent/label.jpg"_s));
    EXPECT_EQ(picture->pictureWidthHimetric(), 0);
    list.section(u"Detail"_s).addControl(std::move(picture));
    list.run();
    EXPECT_EQ(list.pages().state(), GenerationState::Finished);
    for (int i = 0; i < list.pages().count(); ++i) {
        for (const auto& item : list.pages().page(i).items)
            EXPECT_FALSE(std::holds_alternative<ImageItem>(item));
    }
}

TEST(GenerationTest, RestartRegeneratesOnTheChangedPrinter)
{
    const ReportTestDatabase database(manyWines(60));
    GroupedList list(database);
    list.pageSettings().paperWidth = 0; // the printer's paper
    list.pageSettings().paperHeight = 0;
    list.printer().setPaperSize(9);
    list.printer().setOrientation(1);
    list.run();
    const int portraitPages = list.pages().count();
    EXPECT_LT(list.pages().page(0).paperWidth, list.pages().page(0).paperHeight);

    list.printer().setOrientation(2);
    list.restart();
    EXPECT_EQ(list.pages().state(), GenerationState::Finished);
    EXPECT_GT(list.pages().page(0).paperWidth, list.pages().page(0).paperHeight);
    EXPECT_GT(list.pages().count(), portraitPages) << "fewer rows fit a landscape page";
    EXPECT_EQ(textsNamed(list.pages(), u"txtWine"_s).size(), 60) << "nothing of the first run";
}

// A filter that records what the export operation hands it.
class RecordingFilter : public ExportFilter
{
public:
    void exportDocument(const PageDocument& document, const Progress& progress) override
    {
        for (int i = 0; i < document.count(); ++i) {
            if (i == failAtPage)
                throw vb::Error(75, u"%1 cannot be written"_s.arg(fileName()), u"test filter"_s);
            pages.push_back(document.page(i));
            progress(i + 1);
        }
    }

    int failAtPage = -1;
    std::vector<Page> pages;
};

TEST(GenerationTest, ExportHandsTheGeneratedPagesToTheFilterWithProgress)
{
    const ReportTestDatabase database(manyWines(150));
    GroupedList list(database);
    QList<int> progress;
    QObject::connect(&list, &Report::exportProgress, &list,
                     [&progress](int page) { progress << page; });
    RecordingFilter filter;
    filter.setFileName(u"/tmp/list.out"_s);
    list.exportReport(filter); // generates first: nothing was generated yet
    const int pages = list.pages().count();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(static_cast<int>(filter.pages.size()), pages);
    EXPECT_EQ(progress.size(), pages);
    EXPECT_EQ(progress.last(), pages);
    const QStringList logBefore = list.log;
    list.exportReport(filter);
    EXPECT_EQ(list.log, logBefore) << "an export never runs the report again";

    RecordingFilter failing;
    failing.setFileName(u"/nowhere/list.out"_s);
    failing.failAtPage = 1;
    try {
        list.exportReport(failing);
        ADD_FAILURE() << "the failing export did not raise";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), 75);
        EXPECT_TRUE(error.description().contains(u"/nowhere/list.out"_s));
    }
}

TEST(LayoutTest, FaultsNameTheFileAndLine)
{
    const QString data = qEnvironmentVariable("QV_REPORT_TESTDATA");
    const QList<std::tuple<QString, QString, QString>> cases{
        {u"bad_unknown_control.xml"_s, u"line 5"_s, u"unknown control type \"checkbox\""_s},
        {u"bad_duplicate_name.xml"_s, u"line 7"_s, u"\"LBLTITLE\" is used twice"_s},
        {u"bad_length.xml"_s, u"line 4"_s, u"bad length width=\"12.5cm\""_s},
        {u"bad_missing_detail.xml"_s, u""_s, u"no Detail section"_s},
    };
    for (const auto& [file, line, what] : cases) {
        Report report;
        try {
            report.loadLayout(data + u"/"_s + file);
            ADD_FAILURE() << file.toStdString() << " loaded";
        } catch (const vb::Error& error) {
            EXPECT_EQ(error.number(), 321);
            EXPECT_TRUE(error.description().startsWith(file)) << error.what();
            EXPECT_TRUE(error.description().contains(line)) << error.what();
            EXPECT_TRUE(error.description().contains(what)) << error.what();
        }
        EXPECT_TRUE(report.sections().empty()) << "a failed load leaves the report as it was";
    }
}

} // namespace
} // namespace report
