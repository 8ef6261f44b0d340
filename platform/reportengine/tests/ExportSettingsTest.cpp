// The export formats table and the translation between stored option texts and filters.

#include "platform/reportengine/export/ExportSettings.h"

#include "platform/reportengine/export/HtmlCharset.h"
#include "platform/reportengine/export/HtmlExport.h"
#include "platform/reportengine/export/TextExport.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace report {
namespace {

QStringList optionNames(const ExportFormat& format)
{
    QStringList names;
    for (const ExportOption& option : format.options)
        names << option.valueName;
    return names;
}

TEST(ExportSettings, FormatsAsTheViewerOffersThem)
{
    const auto& formats = exportFormats();
    ASSERT_EQ(formats.size(), 6u);
    const QStringList menus = {u"TEXT"_s, u"PDF"_s, u"RTF"_s, u"HTML"_s, u"EXCEL"_s, u"TIF"_s};
    const QStringList subKeys = {u"Text"_s, u"PDF"_s, u"RTF"_s, u"HTML"_s, u"XLS"_s, u"TIF"_s};
    for (int code = 1; code <= 6; ++code) {
        const ExportFormat* format = exportFormat(code);
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->menuName, menus[code - 1]);
        EXPECT_EQ(format->subKey, subKeys[code - 1]);
        // The factory makes the object the table names.
        const auto filter = createExportFilter(code);
        ASSERT_NE(filter, nullptr);
        const QString className =
            QString::fromLatin1(dynamic_cast<QObject*>(filter.get())->metaObject()->className());
        EXPECT_EQ(className, u"report::"_s + format->filterObject);
    }
    EXPECT_EQ(exportFormat(5)->dialogFilter, u"Excel (*.xls)|*.xls"_s);
    EXPECT_EQ(exportFormat(4)->optionsCaption, u"Web HTML Export Options"_s);
    EXPECT_TRUE(exportFormat(3)->optionsWindow.isEmpty());
    EXPECT_TRUE(exportFormat(6)->options.empty());
    EXPECT_EQ(exportFormatByMenuName(u"excel"_s), exportFormat(5));
    EXPECT_EQ(exportFormatByMenuName(u"Tif"_s), exportFormat(6));
    EXPECT_EQ(exportFormatByMenuName(u"XLS"_s), nullptr);
    EXPECT_EQ(exportFormat(0), nullptr);
    EXPECT_EQ(createExportFilter(7), nullptr);

    EXPECT_EQ(optionNames(*exportFormat(2)),
              QStringList({u"JPGQuality"_s, u"OutputTOCAsBookmarks"_s, u"ShowBookmarksInAcrobat"_s,
                           u"UserPassword"_s, u"OwnerPassword"_s, u"Permissions"_s}));
    EXPECT_EQ(optionNames(*exportFormat(5)).size(), 11);
    // The character sets offered are exactly those the HTML export can write.
    EXPECT_EQ(exportOption(*exportFormat(4), u"characterset"_s)->items, htmlCharacterSets());
    EXPECT_EQ(exportOption(*exportFormat(4), u"TableOfContents"_s)->items.at(2),
              u"Expandable DHTML tree  "_s);
}

// Nothing stored: every filter takes the table's defaults, and reads them back as stored.
TEST(ExportSettings, DefaultsRoundTripThroughEveryFilter)
{
    for (const ExportFormat& format : exportFormats()) {
        const auto filter = createExportFilter(format.code);
        applyExportOptions(format.code, *filter, {}, u"Wine list - Anna"_s);
        const OptionTexts texts = exportOptionTexts(format.code, *filter);
        ASSERT_EQ(texts.size(), static_cast<qsizetype>(format.options.size()));
        for (const ExportOption& option : format.options) {
            QString expected = option.defaultIsTitle ? u"Wine list - Anna"_s : option.defaultText;
            if (option.kind == OptionKind::CheckBox && expected != u"0"_s)
                expected = u"-1"_s; // "1" is on, and on is stored as "-1"
            EXPECT_EQ(texts.value(option.valueName), expected)
                << format.filterObject.toStdString() << " " << option.valueName.toStdString();
        }
    }
}

TEST(ExportSettings, StoredTextsAreReadWithoutCaseAndBroughtIntoRange)
{
    objTextExport text;
    applyExportOptions(1, text,
                       {{u"suppressemptylines"_s, u"1"_s}, {u"PAGEDELIMITER"_s, u"<page>"_s}});
    EXPECT_TRUE(text.suppressEmptyLines());
    EXPECT_EQ(text.pageDelimiter(), u"<page>"_s);
    EXPECT_EQ(text.textDelimiter(), QString());
    EXPECT_EQ(exportOptionTexts(1, text).value(u"SuppressEmptyLines"_s), u"-1"_s);

    objHTMLExport html;
    applyExportOptions(4, html,
                       {{u"CharacterSet"_s, u"SHIFT-JIS"_s},
                        {u"TableOfContents"_s, u"2"_s},
                        {u"JPEGQuality"_s, u"250"_s},
                        {u"MHTOutput"_s, u"0"_s},
                        {u"PageTitle"_s, u"Cellar & Co"_s}},
                       u"ignored"_s);
    EXPECT_EQ(html.characterSet(), u"shift-jis"_s);
    EXPECT_EQ(html.tableOfContents(), objHTMLExport::TreeToc);
    EXPECT_EQ(html.jpegQuality(), 100);
    EXPECT_EQ(html.pageTitle(), u"Cellar & Co"_s);
    const OptionTexts stored = exportOptionTexts(4, html);
    EXPECT_EQ(stored.value(u"CharacterSet"_s), u"shift-jis"_s);
    EXPECT_EQ(stored.value(u"TableOfContents"_s), u"2"_s);
    EXPECT_EQ(stored.value(u"JPEGQuality"_s), u"100"_s);

    // What the lists do not offer gives the default.
    applyExportOptions(4, html,
                       {{u"CharacterSet"_s, u"klingon"_s}, {u"TableOfContents"_s, u"7"_s}});
    EXPECT_EQ(html.characterSet(), u"UTF-8"_s);
    EXPECT_EQ(html.tableOfContents(), objHTMLExport::NoToc);

    const auto excel = createExportFilter(5);
    applyExportOptions(
        5, *excel,
        {{u"MinColumnWidth"_s, u"50"_s}, {u"Version"_s, u"5"_s}, {u"AutoRowHeight"_s, u"0"_s}});
    OptionTexts excelTexts = exportOptionTexts(5, *excel);
    EXPECT_EQ(excelTexts.value(u"MinColumnWidth"_s), u"71"_s);
    EXPECT_EQ(excelTexts.value(u"Version"_s), u"5"_s);
    EXPECT_EQ(excelTexts.value(u"AutoRowHeight"_s), u"0"_s);
    applyExportOptions(5, *excel, {{u"MinColumnWidth"_s, u"200000"_s}, {u"Version"_s, u"6"_s}});
    excelTexts = exportOptionTexts(5, *excel);
    EXPECT_EQ(excelTexts.value(u"MinColumnWidth"_s), u"144000"_s);
    EXPECT_EQ(excelTexts.value(u"Version"_s), u"8"_s);

    const auto pdf = createExportFilter(2);
    applyExportOptions(2, *pdf, {{u"Permissions"_s, u"20"_s}, {u"UserPassword"_s, u"vin"_s}});
    EXPECT_EQ(exportOptionTexts(2, *pdf).value(u"Permissions"_s), u"20"_s);
    EXPECT_EQ(exportOptionTexts(2, *pdf).value(u"UserPassword"_s), u"vin"_s);
}

TEST(ExportSettings, AFilterOfAnotherFormatIsRefused)
{
    objHTMLExport html;
    try {
        applyExportOptions(1, html, {});
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::TypeMismatch);
    }
    EXPECT_THROW(exportOptionTexts(9, html), vb::Error);
}

} // namespace
} // namespace report
