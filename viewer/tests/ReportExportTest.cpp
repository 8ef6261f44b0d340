// The export from the viewer window, driven offscreen through PreviewReport with a scripted
// user: the file dialog, the four options windows with their defaults, every choice stored
// under the report's export key and offered again, cancels that store nothing, the web
// export's image folder, the Excel number boxes, a file that cannot be written, the exported
// files read back, and screenshots of the options windows.
#include "viewer/ReportExport.h"

#include "platform/reportengine/export/ExportSettings.h"
#include "platform/reportengine/model/Control.h"
#include "platform/reportengine/model/Section.h"
#include "platform/reportengine/tests/ExportReaders.h"
#include "platform/shell/MsgBox.h"
#include "viewer/ExportOptionsWindow.h"
#include "viewer/tests/ViewerTestSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace lumesk::testing {
namespace {

using report::testing::runTool;
using report::testing::toolOutput;

frmReportViewer& viewerWindow(QWidget& window)
{
    return static_cast<frmReportViewer&>(window);
}

template <class Control>
Control& control(QWidget& window, const QString& name)
{
    auto* found = window.findChild<Control*>(name);
    if (found == nullptr)
        ADD_FAILURE() << window.objectName().toStdString() << " has no " << name.toStdString();
    return *found;
}

void click(QWidget& window, const QString& button)
{
    control<QPushButton>(window, button).click();
}

void typeKey(QWidget& box, const QString& text, int key = 0)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&box, &press);
}

void sendFocus(QWidget& box, QEvent::Type type)
{
    QFocusEvent event(type, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &event);
}

class ReportExportTest : public ViewerTest
{
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        for (const report::ExportFormat& format : report::exportFormats())
            forget(exportKey(format.code));
    }

    static QString exportKey(int code)
    {
        return cRegistry().GetRegistryKeyNameForApp() + u"\\Reports\\Export\\rptTestList\\"_s +
               report::exportFormat(code)->subKey;
    }

    static QString stored(int code, const QString& name)
    {
        return storedText(exportKey(code), name);
    }

    QString file(const QString& name) const { return m_folder.filePath(name); }

    // Runs `work` on the viewer window, then closes it.
    void onViewer(const std::function<void(frmReportViewer&)>& work)
    {
        const reports::CallResult result = preview([&](QWidget& shown) {
            frmReportViewer& window = viewerWindow(shown);
            work(window);
            clickItem(window, u"mnuFile_Exit"_s);
        });
        ASSERT_TRUE(result.succeeded()) << result.description.toStdString();
    }

    // One export from the menu: the dialog answered with `fileName` (empty: cancelled), the
    // options window (when the type has one) worked by `options`.
    void exportAs(frmReportViewer& window, int code, const QString& fileName,
                  shell::ScriptedUser::ModalScript options = {})
    {
        const report::ExportFormat& format = *report::exportFormat(code);
        m_user.expectSaveFileName(fileName);
        if (!fileName.isEmpty() && !format.optionsWindow.isEmpty())
            m_user.expectModal(
                format.optionsWindow,
                options ? options : [](QWidget& shown) { click(shown, u"cmdOk"_s); });
        const QString menuName = code == kExportExcel ? u"Excel"_s : format.subKey;
        clickItem(window, u"mnuFile_Export_"_s + menuName);
    }

    QTemporaryDir m_folder;
};

// An option's default as its control gives it back (a check box on is "-1").
QString shownDefault(const report::ExportOption& option)
{
    if (option.defaultIsTitle)
        return {};
    if (option.kind == report::OptionKind::CheckBox)
        return option.defaultText == u"0"_s ? u"0"_s : u"-1"_s;
    return option.defaultText;
}

struct PanelState
{
    bool shown, exporting, printing, cancel;
};

TEST_F(ReportExportTest, AFirstExportOffersTheDefaultsThenStoresEveryValueAndWritesTheFile)
{
    const QStringList names{u"list.txt"_s, u"list.pdf"_s, u"list.rtf"_s,
                            u"list.htm"_s, u"list.xls"_s, u"list.tif"_s};
    std::vector<PanelState> panel;
    onViewer([&](frmReportViewer& window) {
        QObject::connect(m_report.get(), &report::Report::exportProgress, &window, [&](int) {
            auto visible = [&](const QString& name) {
                return window.findChild<QWidget*>(name)->isVisible();
            };
            panel.push_back({window.fraStatus().isVisible(), visible(u"lblExporting"_s),
                             visible(u"lblPrinting"_s), visible(u"btnCancel"_s)});
        });
        for (int code = kExportText; code <= kExportTIF; ++code) {
            const report::ExportFormat& format = *report::exportFormat(code);
            exportAs(window, code, file(names[code - 1]), [&](QWidget& shown) {
                auto& options = static_cast<ExportOptionsWindow&>(shown);
                EXPECT_EQ(shown.windowTitle(), format.optionsCaption);
                for (const report::ExportOption& option : format.options)
                    EXPECT_EQ(options.choices().value(option.valueName), shownDefault(option))
                        << option.valueName.toStdString();
                click(shown, u"cmdOk"_s);
            });
            EXPECT_FALSE(window.fraStatus().isVisible());
            EXPECT_EQ(window.Status().progressBar().value(), 0);
        }
    });

    // The wine list has no txtUserName: every first export offers an empty name, no folder.
    ASSERT_EQ(m_user.fileDialogs().size(), 6u);
    for (int code = kExportText; code <= kExportTIF; ++code) {
        const shell::ShownFileDialog& dialog = m_user.fileDialogs()[code - 1];
        EXPECT_EQ(dialog.kind, shell::FileDialogRequest::Kind::Save);
        EXPECT_EQ(dialog.caption, u"Export report"_s);
        EXPECT_EQ(dialog.directory, QString());
        EXPECT_EQ(dialog.filter, report::exportFormat(code)->dialogFilter);
        EXPECT_EQ(stored(code, u"Path"_s), m_folder.path() + u"/"_s);
        EXPECT_EQ(stored(code, u"Title"_s), names[code - 1]);
    }
    EXPECT_EQ(m_user.fileDialogs()[4].filter, u"Excel (*.xls)|*.xls"_s);
    // Every option under its exact name; the key names compared without case.
    const QList<std::pair<int, QStringList>> expected{
        {kExportText, {u"SuppressEmptyLines=0"_s, u"PageDelimiter="_s, u"TextDelimiter="_s}},
        {kExportPDF,
         {u"JPGQuality=80"_s, u"OutputTOCAsBookmarks=0"_s, u"ShowBookmarksInAcrobat=0"_s,
          u"UserPassword="_s, u"OwnerPassword="_s, u"Permissions=28"_s}},
        {kExportHTML,
         {u"CharacterSet=UTF-8"_s, u"CreateCSSFile=0"_s, u"CreateFramesetPage=0"_s,
          u"HeadExtraInnerText="_s, u"JPEGQuality=60"_s, u"MHTOutput=0"_s, u"MultiPageOutput=0"_s,
          u"TableOfContents=0"_s, u"PageTitle="_s}},
        {kExportExcel,
         {u"AutoRowHeight=-1"_s, u"DoubleBoundaries=0"_s, u"GenPagebreaks=0"_s, u"MultiSheet=0"_s,
          u"ShowMarginSpace=0"_s, u"SizeToFit=0"_s, u"TrimEmptySpace=0"_s, u"BorderSpace=59"_s,
          u"MinColumnWidth=1011"_s, u"MinRowHeight=128"_s, u"Version=8"_s}},
    };
    for (const auto& [code, values] : expected)
        for (const QString& value : values)
            EXPECT_EQ(stored(code, value.section(u'=', 0, 0).toUpper()), value.section(u'=', 1))
                << value.toStdString();
    EXPECT_EQ(stored(kExportRTF, u"JPGQuality"_s), u"<none>"_s);

    // The panel showed exporting on every page, never the printing controls.
    ASSERT_FALSE(panel.empty());
    for (const PanelState& state : panel)
        EXPECT_TRUE(state.shown && state.exporting && !state.printing && !state.cancel);

    // The files, read back by their own readers.
    QFile text(file(u"list.txt"_s));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(text.readAll()).contains(u"Wine List"_s));
    EXPECT_TRUE(toolOutput(u"pdftotext"_s, {file(u"list.pdf"_s), u"-"_s}).contains(u"Wine List"_s));
    EXPECT_TRUE(
        toolOutput(u"unrtf"_s, {u"--text"_s, file(u"list.rtf"_s)}).contains(u"Wine List"_s));
    QFile html(file(u"list.htm"_s));
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(html.readAll()).contains(u"Wine List"_s));
    EXPECT_TRUE(QFileInfo(file(u"list_Images"_s)).isDir());
    const QString sheet =
        toolOutput(u"/usr/bin/python3"_s,
                   {report::testing::testScriptFolder() + u"/read_xls.py"_s, file(u"list.xls"_s)});
    EXPECT_TRUE(sheet.contains(u"Wine List"_s));
    EXPECT_TRUE(toolOutput(u"tiffinfo"_s, {file(u"list.tif"_s)}).contains(u"Image Width"_s));
}

TEST_F(ReportExportTest, TheFirstNameIsTheReportTitleAndTheUserAndThePageTitleFollowsIt)
{
    auto userName = std::make_unique<report::TextBox>(u"txtUserName"_s);
    userName->setText(u"Anna Berg"_s);
    m_report->section(u"ReportHeader"_s).addControl(std::move(userName));
    onViewer([&](frmReportViewer& window) {
        exportAs(window, kExportHTML, file(u"cellar.html"_s), [&](QWidget& shown) {
            // The panel switched to exporting before the options window opened.
            EXPECT_TRUE(window.fraStatus().isVisible());
            EXPECT_TRUE(window.findChild<QLabel*>(u"lblExporting"_s)->isVisible());
            EXPECT_FALSE(window.findChild<QLabel*>(u"lblPrinting"_s)->isVisible());
            EXPECT_FALSE(window.findChild<QPushButton*>(u"btnCancel"_s)->isVisible());
            EXPECT_EQ(control<QLineEdit>(shown, u"txtTitle"_s).text(), u"Wine List - Anna Berg"_s);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportHTML, {});
    });
    EXPECT_EQ(m_user.fileDialogs()[0].directory, u"Wine List - Anna Berg"_s);
    EXPECT_EQ(m_user.fileDialogs()[1].directory, m_folder.path() + u"/cellar.html"_s);
    EXPECT_EQ(stored(kExportHTML, u"PageTitle"_s), u"Wine List - Anna Berg"_s);
    // ".html" dropped for the base name: cellar.htm and cellar_Images beside it.
    EXPECT_TRUE(QFileInfo::exists(file(u"cellar.htm"_s)));
    EXPECT_TRUE(QFileInfo(file(u"cellar_Images"_s)).isDir());
    EXPECT_EQ(stored(kExportHTML, u"Title"_s), u"cellar.html"_s);
}

TEST_F(ReportExportTest, ChoicesAreStoredAsTheirTextsAndOfferedAgain)
{
    onViewer([&](frmReportViewer& window) {
        exportAs(window, kExportText, file(u"a.txt"_s), [](QWidget& shown) {
            control<QCheckBox>(shown, u"chkSuppressEmptyLines"_s).setChecked(true);
            control<QLineEdit>(shown, u"txtPageDelimiter"_s).setText(u"<page>"_s);
            control<QLineEdit>(shown, u"txtTextDelimiter"_s).setText(u";"_s);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportPDF, file(u"a.pdf"_s), [](QWidget& shown) {
            control<QSlider>(shown, u"sldJPGQuality"_s).setValue(35);
            control<QCheckBox>(shown, u"chkOutputTOCAsBookMarks"_s).setChecked(true);
            control<QLineEdit>(shown, u"txtOwnerPassword"_s).setText(u"cellar"_s);
            control<QCheckBox>(shown, u"chkAllowModifyContents"_s).setChecked(false);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportHTML, file(u"a.htm"_s), [](QWidget& shown) {
            control<QComboBox>(shown, u"cboCharacterSet"_s).setCurrentText(u"big5"_s);
            control<QComboBox>(shown, u"cboTableOfContents"_s).setCurrentIndex(2);
            control<QSlider>(shown, u"sldJPGQuality"_s).setValue(75);
            control<QLineEdit>(shown, u"txtTitle"_s).setText(u"My cellar"_s);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportExcel, file(u"a.xls"_s), [](QWidget& shown) {
            control<QCheckBox>(shown, u"chkAutoRowHeight"_s).setChecked(false);
            control<QCheckBox>(shown, u"chkMultiSheet"_s).setChecked(true);
            control<QComboBox>(shown, u"cboVersion"_s).setCurrentText(u"5"_s);
            control<QLineEdit>(shown, u"txtBorderSpace"_s).setText(u"120"_s);
            click(shown, u"cmdOk"_s);
        });

        // The next exports show them again.
        exportAs(window, kExportPDF, file(u"a.pdf"_s), [](QWidget& shown) {
            EXPECT_EQ(control<QSlider>(shown, u"sldJPGQuality"_s).value(), 35);
            EXPECT_TRUE(control<QCheckBox>(shown, u"chkAllowPrint"_s).isChecked());
            EXPECT_FALSE(control<QCheckBox>(shown, u"chkAllowModifyContents"_s).isChecked());
            EXPECT_TRUE(control<QCheckBox>(shown, u"chkAllowCopy"_s).isChecked());
            EXPECT_EQ(control<QLineEdit>(shown, u"txtOwnerPassword"_s).echoMode(),
                      QLineEdit::Password);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportHTML, file(u"a.htm"_s), [](QWidget& shown) {
            EXPECT_EQ(control<QComboBox>(shown, u"cboCharacterSet"_s).currentText(), u"big5"_s);
            EXPECT_EQ(control<QComboBox>(shown, u"cboTableOfContents"_s).currentText(),
                      u"Expandable DHTML tree  "_s);
            EXPECT_EQ(control<QLineEdit>(shown, u"txtTitle"_s).text(), u"My cellar"_s);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportExcel, file(u"a.xls"_s), [](QWidget& shown) {
            EXPECT_FALSE(control<QCheckBox>(shown, u"chkAutoRowHeight"_s).isChecked());
            EXPECT_EQ(control<QComboBox>(shown, u"cboVersion"_s).currentText(), u"5"_s);
            EXPECT_EQ(control<QLineEdit>(shown, u"txtBorderSpace"_s).text(), u"120"_s);
            click(shown, u"cmdOk"_s);
        });
    });
    EXPECT_EQ(stored(kExportText, u"SuppressEmptyLines"_s), u"-1"_s);
    EXPECT_EQ(stored(kExportText, u"PageDelimiter"_s), u"<page>"_s);
    EXPECT_EQ(stored(kExportText, u"TextDelimiter"_s), u";"_s);
    EXPECT_EQ(stored(kExportPDF, u"JPGQuality"_s), u"35"_s);
    EXPECT_EQ(stored(kExportPDF, u"OutputTOCAsBookmarks"_s), u"-1"_s);
    EXPECT_EQ(stored(kExportPDF, u"OwnerPassword"_s), u"cellar"_s);
    EXPECT_EQ(stored(kExportPDF, u"Permissions"_s), u"20"_s);
    EXPECT_EQ(stored(kExportHTML, u"CharacterSet"_s), u"big5"_s);
    EXPECT_EQ(stored(kExportHTML, u"TableOfContents"_s), u"2"_s);
    EXPECT_EQ(stored(kExportHTML, u"JPEGQuality"_s), u"75"_s);
    EXPECT_EQ(stored(kExportHTML, u"PageTitle"_s), u"My cellar"_s);
    EXPECT_EQ(stored(kExportExcel, u"AutoRowHeight"_s), u"0"_s);
    EXPECT_EQ(stored(kExportExcel, u"MultiSheet"_s), u"-1"_s);
    EXPECT_EQ(stored(kExportExcel, u"Version"_s), u"5"_s);
    EXPECT_EQ(stored(kExportExcel, u"BorderSpace"_s), u"120"_s);
    // The owner password took effect: qpdf sees an encrypted file that forbids annotations.
    const QString encryption = runTool(u"qpdf"_s, {u"--show-encryption"_s, file(u"a.pdf"_s)}).out;
    EXPECT_TRUE(encryption.contains(u"modify annotations: not allowed"_s))
        << encryption.toStdString();
    EXPECT_TRUE(encryption.contains(u"print high resolution: allowed"_s))
        << encryption.toStdString();
}

TEST_F(ReportExportTest, StoredNumbersComeBackBitByBitAndAnyNonZeroChecks)
{
    // Value names are found whatever their case.
    store(exportKey(kExportPDF), u"PERMISSIONS"_s, u"12"_s);
    store(exportKey(kExportPDF), u"outputtocasbookmarks"_s, u"1"_s);
    store(exportKey(kExportExcel), u"autorowheight"_s, u"0"_s);
    onViewer([&](frmReportViewer& window) {
        exportAs(window, kExportPDF, file(u"b.pdf"_s), [](QWidget& shown) {
            EXPECT_TRUE(control<QCheckBox>(shown, u"chkAllowPrint"_s).isChecked());
            EXPECT_TRUE(control<QCheckBox>(shown, u"chkAllowModifyContents"_s).isChecked());
            EXPECT_FALSE(control<QCheckBox>(shown, u"chkAllowCopy"_s).isChecked());
            EXPECT_TRUE(control<QCheckBox>(shown, u"chkOutputTOCAsBookMarks"_s).isChecked());
            control<QCheckBox>(shown, u"chkAllowPrint"_s).setChecked(false);
            control<QCheckBox>(shown, u"chkAllowCopy"_s).setChecked(true);
            click(shown, u"cmdOk"_s);
        });
        exportAs(window, kExportExcel, file(u"b.xls"_s), [](QWidget& shown) {
            EXPECT_FALSE(control<QCheckBox>(shown, u"chkAutoRowHeight"_s).isChecked());
            click(shown, u"cmdCancel"_s);
        });
    });
    EXPECT_EQ(stored(kExportPDF, u"Permissions"_s), u"24"_s);
    EXPECT_EQ(stored(kExportPDF, u"OutputTOCAsBookmarks"_s), u"-1"_s);
}

TEST_F(ReportExportTest, CancelsStoreNothingAndTheNextExportShowsThePreviousChoices)
{
    onViewer([&](frmReportViewer& window) {
        exportAs(window, kExportText, file(u"c.txt"_s), [](QWidget& shown) {
            control<QLineEdit>(shown, u"txtTextDelimiter"_s).setText(u"|"_s);
            click(shown, u"cmdOk"_s);
        });
        QFile::remove(file(u"c.txt"_s));
        // The options window's Cancel, then its title bar's close.
        exportAs(window, kExportText, file(u"d.txt"_s), [](QWidget& shown) {
            control<QLineEdit>(shown, u"txtTextDelimiter"_s).setText(u"#"_s);
            click(shown, u"cmdCancel"_s);
        });
        exportAs(window, kExportText, file(u"e.txt"_s), [](QWidget& shown) {
            control<QLineEdit>(shown, u"txtTextDelimiter"_s).setText(u"#"_s);
            shown.close();
        });
        // The file dialog's cancel: no options window at all.
        exportAs(window, kExportText, {});
        exportAs(window, kExportText, file(u"c.txt"_s), [](QWidget& shown) {
            EXPECT_EQ(control<QLineEdit>(shown, u"txtTextDelimiter"_s).text(), u"|"_s);
            click(shown, u"cmdCancel"_s);
        });
        EXPECT_FALSE(window.fraStatus().isVisible());
        EXPECT_EQ(window.Status().progressBar().value(), 0);
    });
    EXPECT_EQ(stored(kExportText, u"TextDelimiter"_s), u"|"_s);
    EXPECT_EQ(stored(kExportText, u"Title"_s), u"c.txt"_s);
    for (const QString& name : {u"c.txt"_s, u"d.txt"_s, u"e.txt"_s})
        EXPECT_FALSE(QFileInfo::exists(file(name))) << name.toStdString();
    EXPECT_EQ(m_user.modals().size(), 5u); // the viewer and four options windows
}

TEST_F(ReportExportTest, TheImageFolderIsMadeBeforeTheWindowAndRemovedAgainOnCancel)
{
    QDir(m_folder.path()).mkdir(u"kept_Images"_s);
    onViewer([&](frmReportViewer& window) {
        exportAs(window, kExportHTML, file(u"gone.HTML"_s), [&](QWidget& shown) {
            EXPECT_TRUE(QFileInfo(file(u"gone_Images"_s)).isDir());
            click(shown, u"cmdCancel"_s);
        });
        exportAs(window, kExportHTML, file(u"kept.htm"_s),
                 [](QWidget& shown) { click(shown, u"cmdCancel"_s); });
    });
    EXPECT_FALSE(QFileInfo::exists(file(u"gone_Images"_s)));
    EXPECT_TRUE(QFileInfo(file(u"kept_Images"_s)).isDir()); // not made by the export: kept
    EXPECT_EQ(stored(kExportHTML, u"Title"_s), u"<none>"_s);
}

TEST_F(ReportExportTest, ExcelNumberBoxesStepWithinTheirLimitsAndRefuseOtherKeys)
{
    onViewer([&](frmReportViewer& window) {
        exportAs(window, kExportExcel, file(u"n.xls"_s), [&](QWidget& shown) {
            auto& width = control<QLineEdit>(shown, u"txtMinColumnWidth"_s);
            EXPECT_EQ(width.text(), u"1011"_s);
            typeKey(width, u"="_s, Qt::Key_Equal);
            EXPECT_EQ(width.text(), u"1012"_s);
            typeKey(width, u"-"_s, Qt::Key_Minus);
            typeKey(width, u"-"_s, Qt::Key_Minus);
            EXPECT_EQ(width.text(), u"1010"_s);
            width.setText(u"144000"_s);
            typeKey(width, u"+"_s, Qt::Key_Plus);
            EXPECT_EQ(width.text(), u"144000"_s);
            typeKey(width, u"a"_s, Qt::Key_A);
            typeKey(width, u"."_s, Qt::Key_Period);
            EXPECT_EQ(width.text(), u"144000"_s);
            width.setText(u"12"_s);
            width.end(false);
            typeKey(width, u"5"_s, Qt::Key_5);
            EXPECT_EQ(width.text(), u"125"_s);
            typeKey(width, {}, Qt::Key_Backspace);
            typeKey(width, {}, Qt::Key_Backspace);
            EXPECT_EQ(width.text(), u"1"_s);
            sendFocus(width, QEvent::FocusOut);
            EXPECT_EQ(width.text(), u"71"_s);
            width.setText(u"200000"_s);
            sendFocus(width, QEvent::FocusOut);
            EXPECT_EQ(width.text(), u"144000"_s);

            auto& border = control<QLineEdit>(shown, u"txtBorderSpace"_s);
            border.setText(u"0"_s);
            typeKey(border, u"-"_s, Qt::Key_Minus);
            EXPECT_EQ(border.text(), u"0"_s);
            auto& height = control<QLineEdit>(shown, u"txtMinRowHeight"_s);
            height.setText(u"999999999"_s);
            typeKey(height, u"+"_s, Qt::Key_Plus);
            EXPECT_EQ(height.text(), u"999999999"_s);
            height.setText(u"5"_s);
            sendFocus(height, QEvent::FocusOut); // only the column width clamps on leaving
            EXPECT_EQ(height.text(), u"5"_s);

            // Every text box selects its whole text on getting the focus.
            m_tools->calls.clear();
            sendFocus(border, QEvent::FocusIn);
            EXPECT_EQ(border.selectedText(), u"0"_s);
            EXPECT_EQ(m_tools->calls, QStringList{u"SelectTextFieldContent"_s});
            click(shown, u"cmdOk"_s);
        });
    });
    EXPECT_EQ(stored(kExportExcel, u"MinColumnWidth"_s), u"144000"_s);
    EXPECT_EQ(stored(kExportExcel, u"MinRowHeight"_s), u"5"_s);
}

TEST_F(ReportExportTest, AFileThatCannotBeWrittenIsNamedInOneMessageAndTheChoicesAreKept)
{
    const QString unwritable = file(u"missing/folder/list.pdf"_s);
    m_user.expectMessage(shell::PromptMatcher::containing(unwritable), shell::vbOK);
    onViewer([&](frmReportViewer& window) { exportAs(window, kExportPDF, unwritable); });
    ASSERT_EQ(m_user.messages().size(), 1u);
    EXPECT_EQ(m_user.messages()[0].title, u"Report Viewer"_s);
    EXPECT_EQ(stored(kExportPDF, u"Title"_s), u"list.pdf"_s);
    EXPECT_EQ(stored(kExportPDF, u"Path"_s), file(u"missing/folder/"_s));
    EXPECT_FALSE(QFileInfo::exists(unwritable));
}

TEST_F(ReportExportTest, ScreenshotsOfTheOptionsWindows)
{
    onViewer([&](frmReportViewer& window) {
        for (const int code : {kExportText, kExportPDF, kExportHTML, kExportExcel}) {
            const QString name = report::exportFormat(code)->optionsWindow;
            exportAs(window, code, file(u"shot"_s), [&](QWidget& shown) {
                EXPECT_EQ(shown.objectName(), name);
                shown.grab().save(outputFile(name + u".png"_s));
                click(shown, u"cmdCancel"_s);
            });
        }
    });
}

} // namespace
} // namespace lumesk::testing
