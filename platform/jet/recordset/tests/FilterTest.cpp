// Filter, Find, Sort and bookmarks: ADO's criteria strings, the order they work in, and
// bookmarks that survive changes of both.

#include "CellarFixture.h"
#include "jet/Error.h"

namespace jet {
namespace {

using test::CellarFixture;
using test::errorNumber;

class FilterTest : public CellarFixture
{
protected:
    QStringList filtered(const QString& criteria)
    {
        Recordset wines;
        openWines(wines, LockType::ReadOnly);
        wines.setFilter(criteria);
        EXPECT_EQ(wines.filter(), criteria);
        const qint64 count = wines.recordCount();
        QStringList labels = labelsToEnd(wines);
        EXPECT_EQ(count, labels.size());
        return labels;
    }
};

TEST_F(FilterTest, CriteriaOfTheProgramsSelectRows)
{
    EXPECT_EQ(filtered("[Value]=0"), QStringList({"barolo", "Alba d'Oro"}));
    EXPECT_EQ(filtered("[WineID]=3 AND [Value]>0"), QStringList({"Chablis"}));
    EXPECT_EQ(filtered("[WineID]=2 AND [Value]>0"), QStringList());
    EXPECT_EQ(filtered("[Label] = 'margaux'"), QStringList({"Margaux"}));
    EXPECT_EQ(filtered("[Label] Like '*''*'"), QStringList({"Alba d'Oro"}));
    EXPECT_EQ(filtered("Label LIKE 'b%'"), QStringList({"barolo"}));
    EXPECT_EQ(filtered("[Bought] <= #12/31/1905#"), QStringList({"barolo"}));
    EXPECT_EQ(filtered("[Bought] > #1/1/2001# AND [Bought] < #1/1/2011#"),
              QStringList({"Margaux", "Alba d'Oro"}));
    EXPECT_EQ(filtered("[Bought] = Null"), QStringList({"Chablis"}));
    EXPECT_EQ(filtered("[Region] Is Null"), QStringList({"Alba d'Oro"}));
    EXPECT_EQ(filtered("[Region] Is Not Null AND [Region] <> 'Bordeaux'"),
              QStringList({"barolo", "Chablis"}));
    EXPECT_EQ(filtered("([Vintage] = 1998 OR [Label] = 'Chablis') AND [PreSelect] = False"),
              QStringList({"Chablis"}));
    EXPECT_EQ(filtered("[Vintage] = '2004' OR [Value] > 100"),
              QStringList({"Margaux", "barolo", "Chablis"}));
    EXPECT_EQ(filtered("[PreSelect] = True"), QStringList({"Margaux", "Alba d'Oro"}));
    EXPECT_EQ(filtered("[Value] >= 18.0"), QStringList({"Margaux", "Chablis"}));
}

TEST_F(FilterTest, MalformedCriteriaAreRefusedWithTheReason)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    wines.setFilter("[Value]=0");
    const auto refused = [&](const char* criteria, const char* reason) {
        try {
            wines.setFilter(criteria);
            ADD_FAILURE() << "accepted " << criteria;
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), test::invalidArgument) << criteria;
            EXPECT_TRUE(error.description().contains(reason))
                << criteria << ": " << error.description().toStdString();
        }
    };
    refused("[Value]=", "missing");
    refused("[Nope]=1", "no field 'Nope'");
    refused("[Label]='open", "not closed");
    refused("[Vintage] = 'abc'", "cannot be compared");
    refused("([Value]=0", "parenthesis");
    refused("[Value] 0", "operator");
    refused("[Bought] = #13/45/2001#", "not a date");
    // The filter in force stays.
    EXPECT_EQ(wines.filter(), "[Value]=0");
    EXPECT_EQ(wines.recordCount(), 2);
    wines.setFilter("");
    EXPECT_EQ(wines.recordCount(), 4);
}

TEST_F(FilterTest, FilterWorksInIndexOrderAndKeepsRowsThatStopMatching)
{
    Recordset wines;
    openWines(wines, LockType::Optimistic, "UniqueLabel");
    wines.setFilter("[Value]=0");
    EXPECT_EQ(wines.value("Label").toString(), "Alba d'Oro");
    wines.setValue("Value", 5);
    wines.update();
    wines.moveNext();
    EXPECT_EQ(wines.value("Label").toString(), "barolo");
    wines.movePrevious();
    EXPECT_EQ(wines.value("Value").toLong(), 5); // still in the filtered set until refiltered
    wines.setFilter("[Value]=0");
    EXPECT_EQ(wines.recordCount(), 1);
}

TEST_F(FilterTest, FindSearchesFromTheCurrentRow)
{
    Recordset wines;
    openWines(wines, LockType::Optimistic);
    wines.find("[Value]=0");
    EXPECT_EQ(wines.value("Label").toString(), "barolo");
    wines.find("[Value]=0"); // the current row matches: it stays
    EXPECT_EQ(wines.value("Label").toString(), "barolo");
    wines.find("[Value]=0", 1);
    EXPECT_EQ(wines.value("Label").toString(), "Alba d'Oro");
    wines.find("[Value]=0", 1);
    EXPECT_TRUE(wines.eof());

    wines.find("[Vintage] = 2004", 0, SearchDirection::Backward); // from EOF: the last row on
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
    wines.moveLast();
    wines.find("[Vintage] = 1998", 1, SearchDirection::Backward);
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
    wines.find("[Vintage] = 1998", 1, SearchDirection::Backward);
    EXPECT_TRUE(wines.bof());

    wines.moveFirst();
    const vb::Variant third = [&] {
        wines.moveNext();
        wines.moveNext();
        return wines.bookmark();
    }();
    wines.moveFirst();
    wines.find("[Vintage] = 2004", 0, SearchDirection::Forward, third);
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");

    // The loop of the oldWineID numbering: change each match and find the next.
    int numbered = 0;
    wines.moveFirst();
    for (wines.find("[Value]=0"); !wines.eof(); wines.find("[Value]=0")) {
        wines.setValue("Value", ++numbered);
        wines.update();
    }
    EXPECT_EQ(numbered, 2);
    EXPECT_EQ(
        m_connection.execute("SELECT Count(*) FROM tblWines WHERE [Value] = 0").value(0).toLong(),
        0);
}

TEST_F(FilterTest, FindTakesOneCriterion)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    EXPECT_EQ(errorNumber([&] { wines.find("[Value]=0 AND [Vintage]=2004"); }),
              test::invalidArgument);
    EXPECT_EQ(errorNumber([&] { wines.find("[Value]=0", 0, SearchDirection::Forward, 999); }),
              test::invalidArgument);
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
}

TEST_F(FilterTest, SortOrdersByFieldsAndDirections)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly, "PrimaryKey");
    wines.setSort("Vintage DESC, [Label] ASC");
    EXPECT_EQ(wines.sort(), "Vintage DESC, [Label] ASC");
    EXPECT_EQ(labelsToEnd(wines), QStringList({"barolo", "Chablis", "Alba d'Oro", "Margaux"}));
    wines.setFilter("[PreSelect] = False");
    EXPECT_EQ(allLabels(wines), QStringList({"barolo", "Chablis"}));
    EXPECT_EQ(errorNumber([&] { wines.setSort("Nope"); }), test::itemNotFound);
    EXPECT_EQ(errorNumber([&] { wines.setSort("Label,"); }), test::invalidArgument);
    wines.setSort("");
    EXPECT_EQ(allLabels(wines), QStringList({"barolo", "Chablis"})); // index order again
}

TEST_F(FilterTest, BookmarksSurviveFilterAndSortChanges)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    wines.moveNext();
    wines.moveNext();
    const vb::Variant chablis = wines.bookmark();
    wines.setSort("Label DESC");
    wines.setBookmark(chablis);
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
    wines.moveNext();
    EXPECT_EQ(wines.value("Label").toString(), "barolo"); // sort order from the bookmark on
    wines.setFilter("[Vintage] = 2004");
    wines.setBookmark(chablis);
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");

    wines.setFilter("[Vintage] = 1998");
    EXPECT_EQ(errorNumber([&] { wines.setBookmark(chablis); }), test::invalidArgument);
    EXPECT_EQ(errorNumber([&] { wines.setBookmark("junk"); }), test::invalidArgument);
    wines.setFilter("");
    wines.setSort("");
    wines.setBookmark(chablis);
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
    wines.moveLast();
    wines.moveNext();
    EXPECT_EQ(errorNumber([&] { wines.bookmark(); }), test::noCurrentRecord);
}

} // namespace
} // namespace jet
