// Tests of objExcelExport, read back with python3-xlrd (tests/read_xls.py): every BIFF version,
// cells as texts and numbers, and each option's effect on the sheets.

#include "platform/reportengine/export/ExcelExport.h"

#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/reportengine/tests/SamplePages.h"
#include "platform/reportengine/tests/WineListPages.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace report;
using namespace report::testing;

// Failures show texts as texts.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QJsonObject readXls(const QString& path)
{
    const QString json =
        toolOutput(u"/usr/bin/python3"_s, {testScriptFolder() + u"/read_xls.py"_s, path});
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

QJsonArray sheetsOf(const QJsonObject& book)
{
    return book[u"sheets"_s].toArray();
}

// The cell at (row, column) of a sheet, or an empty object.
// The first cell whose text is `text`, or an empty object.
QJsonObject cellWithText(const QJsonObject& sheet, const QString& text)
{
    for (const QJsonValue cell : sheet[u"cells"_s].toArray())
        if (cell[u"value"_s].toString() == text)
            return cell.toObject();
    return {};
}

// The text at column 0 of `row`.
QString cellAt0Row(const QJsonObject& sheet, int row)
{
    for (const QJsonValue cell : sheet[u"cells"_s].toArray())
        if (cell[u"row"_s].toInt() == row && cell[u"col"_s].toInt() == 0)
            return cell[u"value"_s].toString();
    return {};
}

QString cellAt0(const QJsonObject& sheet)
{
    return cellAt0Row(sheet, 0);
}

QStringList texts(const QJsonObject& sheet)
{
    QStringList all;
    for (const QJsonValue cell : sheet[u"cells"_s].toArray())
        if (cell[u"type"_s] == u"text"_s)
            all << cell[u"value"_s].toString();
    return all;
}

class ExcelExportTest : public ::testing::Test
{
protected:
    QJsonObject exportXls(objExcelExport& filter, const PageDocument& document,
                          const QString& name = u"list.xls"_s)
    {
        filter.setFileName(m_folder.filePath(name));
        m_pages.clear();
        filter.exportDocument(document, [this](int page) { m_pages.push_back(page); });
        return readXls(filter.fileName());
    }

    QJsonObject exportWineList(objExcelExport& filter, const QString& name = u"list.xls"_s)
    {
        if (m_wineList.count() == 0)
            fillWineList(m_wineList, 3);
        return exportXls(filter, m_wineList, name);
    }

    QTemporaryDir m_folder;
    PageDocument m_wineList;
    std::vector<int> m_pages;
};

class ExcelVersionTest : public ExcelExportTest, public ::testing::WithParamInterface<int>
{
};

// One page with boxes "t1", "t2", ... at the given left edges on one line, and "below" under
// the first of them further down the page.
void fillBoxes(PageDocument& document, const std::vector<int>& lefts)
{
    Page page = blankPage();
    int n = 0;
    for (const int left : lefts)
        page.items.push_back(textItem({left, 2000, 600, 240}, {u"t%1"_s.arg(++n)}));
    page.items.push_back(textItem({lefts.front(), 3500, 600, 240}, {u"below"_s}));
    document.append(std::move(page));
    document.setState(GenerationState::Finished);
}

// The place of a text in a sheet, "row,column".
QString placeOf(const QJsonObject& sheet, const QString& text)
{
    const QJsonObject cell = cellWithText(sheet, text);
    if (cell.isEmpty())
        return u"missing"_s;
    return u"%1,%2"_s.arg(cell[u"row"_s].toInt()).arg(cell[u"col"_s].toInt());
}

} // namespace

TEST_P(ExcelVersionTest, everyVersionOpensWithItsTextsAndNumbers)
{
    objExcelExport filter;
    filter.setProperty("Version", QString::number(GetParam()));
    const QJsonObject book = exportWineList(filter);
    EXPECT_EQ(m_pages, (std::vector<int>{1, 2, 3}));

    const int expectedBiff = GetParam() == 2 ? 20 : GetParam() * 10;
    EXPECT_EQ(book[u"biff_version"_s].toInt(), expectedBiff);
    const QJsonArray sheets = sheetsOf(book);
    ASSERT_EQ(sheets.size(), 1);
    const QJsonObject sheet = sheets[0].toObject();
    const QStringList all = texts(sheet);
    for (const QString& expected : {u"Wine list"_s, u"Château Margaux 1"_s, u"Country 3"_s,
                                    u"A & B Cellars <unknown> 27"_s, u"Region 2.2"_s})
        EXPECT_TRUE(all.contains(expected)) << expected.toStdString();
    // Up to version 7 texts are in Windows-1252; version 8 keeps every script.
    if (GetParam() == 8) {
        EXPECT_TRUE(all.contains(u"Ржавец Мавруд 4"_s));
        EXPECT_TRUE(all.contains(u"甲州 Koshu 5"_s));
    } else {
        EXPECT_TRUE(all.contains(u"?????? ?????? 4"_s));
    }

    // The title keeps its size (a BIFF2 cell can only name one of four 10-point fonts) and
    // boldness.
    const QJsonObject title = cellWithText(sheet, u"Wine list"_s)[u"font"_s].toObject();
    EXPECT_EQ(title[u"height"_s].toInt(), GetParam() == 2 ? 200 : 400);
    EXPECT_TRUE(title[u"bold"_s].toBool());
    EXPECT_TRUE(cellWithText(sheet, u"Region 1.1"_s)[u"font"_s][u"italic"_s].toBool());

    // "1,234.50" is a number shown with thousands and two decimals, "1990" a plain number.
    const QJsonObject price = cellWithText(sheet, u"Château Margaux 1"_s);
    ASSERT_FALSE(price.isEmpty());
    const int row = price[u"row"_s].toInt();
    bool sawPrice = false;
    bool sawYear = false;
    for (const QJsonValue cell : sheet[u"cells"_s].toArray()) {
        if (cell[u"row"_s].toInt() != row || cell[u"type"_s] != u"number"_s)
            continue;
        if (cell[u"value"_s].toDouble() == 1234.5) {
            EXPECT_EQ(cell[u"format"_s].toString(), u"#,##0.00"_s);
            sawPrice = true;
        }
        if (cell[u"value"_s].toDouble() == 1990) {
            EXPECT_EQ(cell[u"format"_s].toString(), u"General"_s);
            sawYear = true;
        }
    }
    EXPECT_TRUE(sawPrice);
    EXPECT_TRUE(sawYear);
}

INSTANTIATE_TEST_SUITE_P(Versions, ExcelVersionTest, ::testing::Values(2, 3, 4, 5, 7, 8));

TEST_F(ExcelExportTest, multiSheetGivesEachPageASheetFromVersion5)
{
    for (const int version : {5, 8}) {
        objExcelExport filter;
        filter.setVersion(version);
        filter.setMultiSheet(true);
        const QJsonArray sheets = sheetsOf(exportWineList(filter));
        ASSERT_EQ(sheets.size(), 3) << version;
        for (int page = 0; page < 3; ++page) {
            const QJsonObject sheet = sheets[page].toObject();
            EXPECT_EQ(sheet[u"name"_s].toString(), u"Page %1"_s.arg(page + 1));
            const QStringList all = texts(sheet);
            EXPECT_TRUE(all.contains(u"Country %1"_s.arg(page + 1)));
            EXPECT_FALSE(all.contains(u"Country %1"_s.arg((page + 1) % 3 + 1)));
            // Every page starts at the top of its sheet.
            EXPECT_EQ(placeOf(sheet, u"Wine list"_s), u"0,0"_s);
        }
    }
    // The one-sheet versions stack the pages.
    objExcelExport old;
    old.setVersion(4);
    old.setMultiSheet(true);
    EXPECT_EQ(sheetsOf(exportWineList(old)).size(), 1);
}

TEST_F(ExcelExportTest, pageBreaksFallWhereEachPageBegins)
{
    for (const int version : {3, 7, 8}) {
        objExcelExport filter;
        filter.setVersion(version);
        filter.setGenPagebreaks(true);
        const QJsonObject sheet = sheetsOf(exportWineList(filter))[0].toObject();
        QJsonArray titleRows;
        for (const QJsonValue cell : sheet[u"cells"_s].toArray())
            if (cell[u"value"_s] == u"Wine list"_s)
                titleRows.append(cell[u"row"_s]);
        ASSERT_EQ(titleRows.size(), 3);
        EXPECT_EQ(sheet[u"breaks"_s].toArray(), (QJsonArray{titleRows[1], titleRows[2]}))
            << version;
    }
    objExcelExport without;
    EXPECT_TRUE(sheetsOf(exportWineList(without))[0][u"breaks"_s].toArray().isEmpty());
}

TEST_F(ExcelExportTest, rowHeightsAreExcelsOwnOrTheGridsAndSizeToFitFitsOnePage)
{
    objExcelExport automatic;
    automatic.setVersion(8);
    const QJsonObject autoSheet = sheetsOf(exportWineList(automatic, u"auto.xls"_s))[0].toObject();
    const QJsonObject autoRow = autoSheet[u"rows"_s][u"3"_s].toObject();
    EXPECT_EQ(autoRow[u"default"_s].toInt(), 1);
    EXPECT_EQ(autoRow[u"custom"_s].toInt(), 0);

    objExcelExport fixed;
    fixed.setVersion(8);
    fixed.setAutoRowHeight(false);
    fixed.setSizeToFit(true);
    const QJsonObject book = exportWineList(fixed);
    const QJsonObject sheet = sheetsOf(book)[0].toObject();
    // A detail row is as high as the rows are apart on the page: 300 twips.
    const QString row =
        QString::number(cellWithText(sheet, u"Grüner Veltliner 2"_s)[u"row"_s].toInt());
    EXPECT_EQ(sheet[u"rows"_s][row][u"height"_s].toInt(), 300);
    EXPECT_EQ(sheet[u"rows"_s][row][u"custom"_s].toInt(), 1);
    EXPECT_EQ(book[u"print"_s][u"fit_to_page"_s].toArray(), QJsonArray{true});
    const QJsonArray setup = book[u"print"_s][u"setup"_s][0].toArray();
    EXPECT_EQ(setup[3].toInt(), 1); // one page wide
    EXPECT_EQ(setup[4].toInt(), 1); // one page tall
    EXPECT_EQ(readXls(automatic.fileName())[u"print"_s][u"fit_to_page"_s].toArray(),
              QJsonArray{false});
}

TEST_F(ExcelExportTest, gridFollowsMinimaBorderSpaceAndBoundaries)
{
    PageDocument document;
    fillBoxes(document, {1000, 1080, 3000});
    // Edges 80 twips apart are one column at the default minimum width: their texts join.
    objExcelExport defaults;
    QJsonObject sheet = sheetsOf(exportXls(defaults, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t1 t2"_s), u"0,0"_s);
    EXPECT_EQ(placeOf(sheet, u"t3"_s), u"0,1"_s);
    EXPECT_EQ(placeOf(sheet, u"below"_s), u"1,0"_s);
    EXPECT_EQ(sheet[u"nrows"_s].toInt(), 2);

    objExcelExport narrow;
    narrow.setMinColumnWidth(71);
    sheet = sheetsOf(exportXls(narrow, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t2"_s), u"0,1"_s);
    EXPECT_EQ(placeOf(sheet, u"t3"_s), u"0,2"_s);

    objExcelExport wideBorder;
    wideBorder.setMinColumnWidth(71);
    wideBorder.setBorderSpace(100);
    sheet = sheetsOf(exportXls(wideBorder, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t1 t2"_s), u"0,0"_s);

    // The margins become a first column and row.
    objExcelExport margins;
    margins.setShowMarginSpace(true);
    sheet = sheetsOf(exportXls(margins, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t1 t2"_s), u"1,1"_s);
    EXPECT_EQ(placeOf(sheet, u"t3"_s), u"1,2"_s);

    // Trimming ends a row below its content (240 twips) by the border space.
    objExcelExport trimmed;
    trimmed.setTrimEmptySpace(true);
    trimmed.setAutoRowHeight(false);
    sheet = sheetsOf(exportXls(trimmed, document))[0].toObject();
    EXPECT_EQ(sheet[u"rows"_s][u"0"_s][u"height"_s].toInt(), 240 + 59);
    objExcelExport untrimmed;
    untrimmed.setAutoRowHeight(false);
    sheet = sheetsOf(exportXls(untrimmed, document))[0].toObject();
    EXPECT_EQ(sheet[u"rows"_s][u"0"_s][u"height"_s].toInt(), 1500);
}

TEST_F(ExcelExportTest, doubleBoundariesMakeEmptyColumnsAndRowsThatTrimmingRemoves)
{
    PageDocument document;
    fillBoxes(document, {1000, 3000});
    objExcelExport doubled;
    doubled.setMinColumnWidth(71);
    doubled.setDoubleBoundaries(true);
    QJsonObject sheet = sheetsOf(exportXls(doubled, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t2"_s), u"0,2"_s);
    EXPECT_EQ(placeOf(sheet, u"below"_s), u"2,0"_s);

    objExcelExport single;
    single.setMinColumnWidth(71);
    sheet = sheetsOf(exportXls(single, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t2"_s), u"0,1"_s);
    EXPECT_EQ(placeOf(sheet, u"below"_s), u"1,0"_s);

    objExcelExport trimmed;
    trimmed.setMinColumnWidth(71);
    trimmed.setDoubleBoundaries(true);
    trimmed.setTrimEmptySpace(true);
    sheet = sheetsOf(exportXls(trimmed, document))[0].toObject();
    EXPECT_EQ(placeOf(sheet, u"t2"_s), u"0,1"_s);
    EXPECT_EQ(placeOf(sheet, u"below"_s), u"1,0"_s);
}

TEST_F(ExcelExportTest, longTextsAreCutToTheVersionsLimitWithTheWholeTextInANote)
{
    PageDocument document;
    Page page = blankPage();
    // Long enough to run over several records of version 8's string table, in two scripts.
    const QString longText =
        u"Tasting note: "_s + QString(400, u'x') + u" Дегустация"_s.repeated(2000);
    page.items.push_back(textItem({1000, 2000, 9000, 240}, {longText}));
    document.append(std::move(page));
    for (const int version : {2, 5, 8}) {
        objExcelExport filter;
        filter.setVersion(version);
        const QJsonObject sheet =
            sheetsOf(exportXls(filter, document, u"long%1.xls"_s.arg(version)))[0].toObject();
        const QString shown = cellAt0(sheet);
        if (version == 8) {
            EXPECT_EQ(shown, longText);
        } else {
            QString latin = longText;
            for (QChar& c : latin)
                if (c.unicode() > 0xFF)
                    c = u'?';
            EXPECT_EQ(shown, latin.left(255));
            EXPECT_EQ(sheet[u"notes"_s][u"0,0"_s].toString(), latin);
        }
    }
}

TEST_F(ExcelExportTest, aLongReportContinuesOnMoreSheetsOrEndsWithANote)
{
    // 300 pages of 60 lines: more rows than a version 5 sheet holds.
    PageDocument document;
    for (int p = 0; p < 300; ++p) {
        Page page = blankPage();
        for (int line = 0; line < 60; ++line)
            page.items.push_back(
                textItem({1000, 1000 + line * 240, 3000, 240}, {u"p%1 l%2"_s.arg(p).arg(line)}));
        document.append(std::move(page));
    }
    objExcelExport five;
    five.setVersion(5);
    const QJsonArray sheets = sheetsOf(exportXls(five, document, u"five.xls"_s));
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[0][u"nrows"_s].toInt(), 273 * 60);
    EXPECT_EQ(placeOf(sheets[1].toObject(), u"p273 l0"_s), u"0,0"_s);
    EXPECT_EQ(placeOf(sheets[1].toObject(), u"p299 l59"_s), u"1619,0"_s);

    objExcelExport four;
    four.setVersion(4);
    const QJsonObject sheet = sheetsOf(exportXls(four, document, u"four.xls"_s))[0].toObject();
    EXPECT_EQ(sheet[u"nrows"_s].toInt(), 16384);
    EXPECT_TRUE(cellAt0Row(sheet, 16383).contains(u"16384 rows"_s));
}

TEST_F(ExcelExportTest, aFolderThatDoesNotExistFailsNamingTheFileAndLeavesNothing)
{
    objExcelExport filter;
    if (m_wineList.count() == 0)
        fillWineList(m_wineList, 2);
    filter.setFileName(m_folder.filePath(u"missing/list.xls"_s));
    try {
        filter.exportDocument(m_wineList, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::PathNotFound);
        EXPECT_TRUE(error.description().contains(u"list.xls"_s));
    }
    // An interrupted export leaves no file under the name nor a partial one beside it.
    filter.setFileName(m_folder.filePath(u"list.xls"_s));
    EXPECT_THROW(filter.exportDocument(m_wineList,
                                       [](int page) {
                                           if (page == 2)
                                               throw vb::Error(18);
                                       }),
                 vb::Error);
    EXPECT_TRUE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ExcelExportTest, aFullDiskFailsTheExportNamingTheFileAndLeavesNoFile)
{
    fillWineList(m_wineList, 40);
    for (const int version : {4, 8}) { // a plain stream and a compound file
        objExcelExport filter;
        filter.setVersion(version);
        filter.setFileName(m_folder.filePath(u"list.xls"_s));
        bool failed = false;
        {
            const DiskFullAfter full(4000);
            try {
                filter.exportDocument(m_wineList, {});
            } catch (const vb::Error& error) {
                failed = error.description().contains(QDir::toNativeSeparators(filter.fileName()));
            }
        }
        EXPECT_TRUE(failed) << version;
        EXPECT_TRUE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}
