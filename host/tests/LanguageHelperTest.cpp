// The language helper on the sample's english.lan: report captions, window controls and menus.

#include "HostTestInstallation.h"
#include "platform/reportengine/model/Report.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

class LanguageHelperTest : public HostSessionTest
{
protected:
    HostLanguageHelper& helper() { return session().languageHelper(); }
};

report::Report& reportWith(report::Report& report, const QList<std::pair<QString, QString>>& labels,
                           const QString& boxText)
{
    auto section = std::make_unique<report::Section>(report::SectionKind::Detail, u"Detail"_s);
    for (const auto& [name, caption] : labels) {
        auto label = std::make_unique<report::Label>(name);
        label->setCaption(caption);
        section->addControl(std::move(label));
    }
    auto box = std::make_unique<report::TextBox>(u"txtBox"_s);
    box->setText(boxText);
    section->addControl(std::move(box));
    report.addSection(std::move(section));
    return report;
}

TEST_F(LanguageHelperTest, ReportCaptionsTakeTheLanguagesTextsOrTheirReadableKey)
{
    report::Report report;
    reportWith(report,
               {{u"lblPage"_s, u"d_Page"_s},
                {u"lblTitle"_s, u"d_Wine List"_s},
                {u"lblMissing"_s, u"d_Bottles per shelf"_s},
                {u"lblPlain"_s, u"Just text"_s}},
               u"d_of"_s);
    report::Report& result = helper().SetReportFieldsLanguage(report, u"repWineList"_s);
    EXPECT_EQ(&result, &report);
    EXPECT_EQ(report.label(u"lblPage"_s).caption(), u"Page"_s);
    EXPECT_EQ(report.label(u"lblTitle"_s).caption(), u"Wine List"_s);
    EXPECT_EQ(report.label(u"lblMissing"_s).caption(), u"Bottles per shelf"_s);
    EXPECT_EQ(report.label(u"lblPlain"_s).caption(), u"Just text"_s);
    EXPECT_EQ(report.textBox(u"txtBox"_s).text(), u"of"_s);
}

TEST_F(LanguageHelperTest, ASeparatorStaysAfterTheTextOfTheKeyWithoutIt)
{
    report::Report report;
    reportWith(report,
               {{u"lblVintage"_s, u"d_Vintage:"_s},
                {u"lblDate"_s, u"d_Date:"_s},
                {u"lblShelf"_s, u"d_Shelf:"_s}},
               QString());
    helper().SetReportFieldsLanguage(report, u"repBookWine"_s, u":"_s);
    EXPECT_EQ(report.label(u"lblVintage"_s).caption(), u"Vintage:"_s); // stored with its colon
    EXPECT_EQ(report.label(u"lblDate"_s).caption(), u"Date:"_s);       // stored without
    EXPECT_EQ(report.label(u"lblShelf"_s).caption(), u"Shelf:"_s);     // not stored
}

TEST_F(LanguageHelperTest, WindowsAndMenusAreTranslatedByTheirName)
{
    frmSummary& summary = session().summaryWindow();
    EXPECT_EQ(summary.windowTitle(), u"Cellar Summary"_s);
    EXPECT_EQ(summary.findChild<QLabel*>(u"lblCellarBottlesBought"_s)->text(),
              u"Bottles bought:"_s);

    QMenuBar menu;
    QMenu* file = menu.addMenu(u"d_&File"_s);
    QAction* exit = file->addAction(u"d_E&xit"_s);
    QAction* zoom = file->addAction(u"d_Zoom"_s);
    helper().SetSmartUILanguage(u"frmReportViewer"_s, menu);
    EXPECT_EQ(file->title(), u"&File"_s);
    EXPECT_EQ(exit->text(), u"E&xit"_s);
    EXPECT_EQ(zoom->text(), u"Zoom"_s);
}

} // namespace
} // namespace host::testing
