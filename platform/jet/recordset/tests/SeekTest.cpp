// Index and Seek: index order with Jet's text comparison, every seek option, partial keys,
// and the errors for a missing index or a Seek without one.

#include "CellarFixture.h"
#include "jet/Error.h"

namespace jet {
namespace {

using test::CellarFixture;
using test::errorNumber;

class SeekTest : public CellarFixture
{
protected:
    QString seekLabel(Recordset& wines, const QList<vb::Variant>& key, SeekOption option)
    {
        wines.seek(key, option);
        return wines.eof() ? QStringLiteral("<EOF>") : wines.value("Label").toString();
    }
};

TEST_F(SeekTest, IndexOrderComparesTextWithoutRegardToCase)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly, "UniqueLabel");
    EXPECT_EQ(wines.index(), "UniqueLabel");
    EXPECT_EQ(labelsToEnd(wines), QStringList({"Alba d'Oro", "barolo", "Chablis", "Margaux"}));

    // Vintage ascending, then Label descending.
    wines.setIndex("vintagelabel");
    EXPECT_EQ(labelsToEnd(wines), QStringList({"Margaux", "Alba d'Oro", "Chablis", "barolo"}));
    wines.setIndex("");
    EXPECT_EQ(labelsToEnd(wines), QStringList({"Margaux", "barolo", "Chablis", "Alba d'Oro"}));
}

TEST_F(SeekTest, SeekOptionsLandWhereJetLandsThem)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly, "VintageLabel");
    // Order: (1998 Margaux) (1998 Alba d'Oro) (2004 Chablis) (2004 barolo)
    EXPECT_EQ(seekLabel(wines, {2004}, SeekOption::FirstEQ), "Chablis");
    EXPECT_EQ(seekLabel(wines, {2004}, SeekOption::LastEQ), "barolo");
    EXPECT_EQ(seekLabel(wines, {1998}, SeekOption::After), "Chablis");
    EXPECT_EQ(seekLabel(wines, {1998}, SeekOption::AfterEQ), "Margaux");
    EXPECT_EQ(seekLabel(wines, {2004}, SeekOption::Before), "Alba d'Oro");
    EXPECT_EQ(seekLabel(wines, {2004}, SeekOption::BeforeEQ), "barolo");
    EXPECT_EQ(seekLabel(wines, {2000}, SeekOption::AfterEQ), "Chablis");
    EXPECT_EQ(seekLabel(wines, {2000}, SeekOption::BeforeEQ), "Alba d'Oro");
    EXPECT_EQ(seekLabel(wines, {2004, "CHABLIS"}, SeekOption::FirstEQ), "Chablis");
    EXPECT_EQ(seekLabel(wines, {2004, "Chablis"}, SeekOption::After), "barolo");
    EXPECT_EQ(seekLabel(wines, {1998, "b"}, SeekOption::AfterEQ), "Alba d'Oro");
    EXPECT_EQ(seekLabel(wines, {"2004", "c"}, SeekOption::Before), "Chablis");

    EXPECT_EQ(seekLabel(wines, {1999}, SeekOption::FirstEQ), "<EOF>");
    EXPECT_EQ(seekLabel(wines, {2005}, SeekOption::AfterEQ), "<EOF>");
    EXPECT_EQ(seekLabel(wines, {1990}, SeekOption::BeforeEQ), "<EOF>");
    // After a Seek the walk goes on in index order.
    wines.seek({1998}, SeekOption::LastEQ);
    wines.moveNext();
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
}

TEST_F(SeekTest, SeekOnThePrimaryKeyAndAfterChanges)
{
    Recordset wines;
    openWines(wines, LockType::Optimistic, "PrimaryKey");
    wines.seek({3});
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
    wines.setValue("Vintage", 2011);
    wines.seek({1}); // saves the pending edit first
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
    wines.seek({3});
    EXPECT_EQ(wines.value("Vintage").toLong(), 2011);
    wines.deleteCurrent();
    EXPECT_EQ(seekLabel(wines, {3}, SeekOption::FirstEQ), "<EOF>");
    EXPECT_EQ(seekLabel(wines, {2}, SeekOption::After), "Alba d'Oro");
}

TEST_F(SeekTest, SeekNeedsAnIndexThatExists)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    EXPECT_EQ(errorNumber([&] { wines.seek({1}); }), test::notSupported);
    EXPECT_EQ(errorNumber([&] { wines.setIndex("NoSuchIndex"); }), test::itemNotFound);
    EXPECT_EQ(wines.index(), "");
    wines.setIndex("PrimaryKey");
    EXPECT_EQ(errorNumber([&] { wines.seek({}); }), test::invalidArgument);
    EXPECT_EQ(errorNumber([&] { wines.seek({1, 2}); }), test::invalidArgument);
}

TEST_F(SeekTest, SeekStaysWithinTheFilter)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly, "VintageLabel");
    wines.setFilter("[Value] = 0");
    EXPECT_EQ(seekLabel(wines, {2004}, SeekOption::FirstEQ), "barolo");
    EXPECT_EQ(seekLabel(wines, {1998}, SeekOption::FirstEQ), "Alba d'Oro");
}

} // namespace
} // namespace jet
