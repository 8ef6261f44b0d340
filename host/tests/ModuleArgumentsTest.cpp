// What each report module receives from the host: its argument list in the module's layout,
// read back by a module registered for the test in place of the real one; and how the list
// reports an item that is missing or of the wrong kind.

#include "reports/ModuleArguments.h"

#include "HostTestInstallation.h"
#include "platform/com/ClassObjects.h"
#include "reports/ArgumentList.h"
#include "reports/NumberedTexts.h"
#include "reports/RecordsetHelper.h"
#include "reports/Rpt.h"

#include <functional>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

namespace args = reports::args;

// A module that hands its argument list to the test and returns what the test says.
class ListeningRpt : public QObject, public reports::Rpt
{
    Q_OBJECT
    Q_INTERFACES(reports::Rpt)

public:
    using Listener = std::function<void(const reports::ArgumentList&)>;
    explicit ListeningRpt(Listener listener) : m_listener(std::move(listener)) {}

    reports::CallResult LoadReport(const reports::ArgumentList& parameters) override
    {
        return reports::trapErrors(u"Rpt.LoadReport"_s, [&] { m_listener(parameters); });
    }

private:
    Listener m_listener;
};

class ModuleArgumentsTest : public HostSessionTest
{
protected:
    reports::CallResult run(ReportKind kind, const ListeningRpt::Listener& listener,
                            ReportRequest request = {})
    {
        request.kind = kind;
        const com::ClassObjectRegistration module(
            progIdOf(kind), [&listener] { return std::make_unique<ListeningRpt>(listener); });
        return session().runReport(request, &m_parent);
    }
    QWidget m_parent;
};

TEST_F(ModuleArgumentsTest, TheLocationsReportGetsConnectionsTextsAndItsKind)
{
    ReportRequest request;
    request.locationsKind = u"ByLocation"_s;
    const reports::CallResult result = run(
        ReportKind::Locations,
        [this](const reports::ArgumentList& list) {
            EXPECT_EQ(list.count(), 12);
            EXPECT_EQ(&list.connection(args::locations::settingsConnection), &settingsDatabase());
            EXPECT_EQ(&list.connection(args::locations::mainConnection), &mainDatabase());
            EXPECT_EQ(list.objectAs<reports::NumberedTexts>(args::locations::sqlTexts).Item(79),
                      u"DELETE * FROM tblLocationReport;"_s);
            EXPECT_FALSE(list.objectAs<reports::NumberedTexts>(args::locations::userTexts)
                             .Item(32)
                             .isEmpty());
            list.objectAs<reports::RecordsetHelper>(args::locations::recordsetHelper);
            EXPECT_TRUE(list.text(args::locations::cellarFile).endsWith(u"csample.qvd"_s));
            EXPECT_EQ(list.text(args::locations::kind), u"ByLocation"_s);
            EXPECT_EQ(list.window(args::locations::parentWindow), &m_parent);
        },
        request);
    EXPECT_TRUE(result.succeeded()) << result.description.toStdString();
}

TEST_F(ModuleArgumentsTest, TheCellarBookAndWineListGetTheirOptions)
{
    ReportRequest request;
    request.details = true;
    request.exchangeRate = 1.5;
    request.grouping = u"Vintage//"_s;
    run(
        ReportKind::CellarBook,
        [](const reports::ArgumentList& list) {
            EXPECT_EQ(list.number(args::list::exchangeRate), 1.5);
            EXPECT_TRUE(list.flag(args::list::details));
            EXPECT_EQ(
                list.objectAs<reports::NumberedTexts>(args::list::sQLDatabase).Item(101).left(6),
                u"SELECT"_s);
        },
        request);
    const reports::CallResult result = run(
        ReportKind::WineList,
        [](const reports::ArgumentList& list) {
            EXPECT_EQ(list.text(args::list::grouping), u"Vintage//"_s);
            throw vb::Error(3021, u"No current record"_s, u"rptCellarWineList"_s);
        },
        request);
    EXPECT_EQ(result.number, 3021);
    EXPECT_EQ(result.source, u"rptCellarWineList"_s);
}

TEST_F(ModuleArgumentsTest, TheSummaryReadsTheFiguresOfTheSummaryWindow)
{
    session().setSelection(findSelection(settingsDatabase(), u"Red Wines"_s));
    run(ReportKind::CellarSummary, [](const reports::ArgumentList& list) {
        QWidget* window = list.window(args::summary::frmParentForm);
        ASSERT_NE(window, nullptr);
        auto* wines = window->findChild<QLineEdit*>(u"txtQueryDistinctWines"_s);
        ASSERT_NE(wines, nullptr);
        EXPECT_FALSE(wines->text().isEmpty());
        EXPECT_EQ(list.text(args::summary::strQueryName), u"Red Wines"_s);
    });
}

TEST(ArgumentList, AMissingOrMistypedItemIsNamed)
{
    QObject object;
    reports::ArgumentList list(u"LoadReport"_s);
    list.addValue(u"text"_s).addObject(object).addWindow(nullptr);
    try {
        list.connection(1);
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::TypeMismatch);
        EXPECT_TRUE(error.description().contains(u"argument 1 of LoadReport"_s));
    }
    try {
        list.text(5);
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::SubscriptOutOfRange);
    }
    EXPECT_THROW(list.objectAs<reports::Rpt>(1), vb::Error);
    EXPECT_EQ(list.window(2), nullptr);
    EXPECT_THROW(list.object(2), vb::Error);
}

} // namespace
} // namespace host::testing

#include "ModuleArgumentsTest.moc"
