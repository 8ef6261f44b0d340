// Changing rows through a recordset: AddNew/Update with the counter read back, edits of the
// current row, CancelUpdate, Delete, and the engine's refusals leaving the edit pending.

#include "CellarFixture.h"
#include "jet/Error.h"

namespace jet {
namespace {

using test::CellarFixture;
using test::errorNumber;

class EditTest : public CellarFixture
{
protected:
    qint64 count(const QString& where = QStringLiteral("True"))
    {
        return m_connection.execute("SELECT Count(*) FROM tblWines WHERE " + where)
            .value(0)
            .toLong();
    }
};

TEST_F(EditTest, AddNewGivesTheCounterAfterUpdateAndStaysOnTheNewRow)
{
    Recordset wines;
    openWines(wines);
    wines.addNew();
    EXPECT_EQ(wines.editMode(), EditMode::Add);
    EXPECT_FALSE(wines.eof());
    wines.setValue("Label", "Rioja");
    wines.setValue("Vintage", "2010"); // converted to the field's type
    wines.setValue("PreSelect", true);
    EXPECT_EQ(wines.value("Label").toString(), "Rioja");
    EXPECT_TRUE(wines.value("WineID").isNull()); // not numbered before Update
    wines.update();
    EXPECT_EQ(wines.editMode(), EditMode::None);
    EXPECT_EQ(wines.value("WineID").toLong(), 5);
    EXPECT_EQ(wines.value("Vintage").type(), vb::VarType::Integer);
    EXPECT_EQ(wines.recordCount(), 5);
    const vb::Variant bookmark = wines.bookmark();
    wines.moveFirst();
    wines.setBookmark(bookmark);
    EXPECT_EQ(wines.value("Label").toString(), "Rioja");
    EXPECT_EQ(count("Label = 'Rioja' AND PreSelect = True AND Vintage = 2010"), 1);
    wines.moveLast();
    EXPECT_EQ(wines.value("Label").toString(), "Rioja");
}

TEST_F(EditTest, EditsOfTheCurrentRowAreWrittenAndSeen)
{
    Recordset wines;
    openWines(wines);
    wines.moveNext();
    wines.setValue("Value", 33.25);
    EXPECT_EQ(wines.editMode(), EditMode::InProgress);
    EXPECT_EQ(wines.value("Value").toCurrency(), vb::Currency::fromDouble(33.25));
    wines.update();
    EXPECT_EQ(count("Label = 'barolo' AND [Value] = 33.25"), 1);

    wines.setValue("Region", "Langhe");
    wines.moveNext(); // moving on saves the edit, as ADO does
    EXPECT_EQ(count("Region = 'Langhe'"), 1);
    wines.movePrevious();
    EXPECT_EQ(wines.value("Region").toString(), "Langhe");

    wines.setValue("Region", "Elsewhere");
    wines.cancelUpdate();
    EXPECT_EQ(wines.value("Region").toString(), "Langhe");
    wines.addNew();
    wines.setValue("Label", "Never");
    wines.cancelUpdate();
    EXPECT_EQ(wines.value("Label").toString(), "barolo"); // back where AddNew started
    EXPECT_EQ(count(), 4);
}

TEST_F(EditTest, RowWalksThatWriteReadEveryValueAsTheTableHoldsIt)
{
    Recordset wines;
    openWines(wines);
    QStringList seen;
    for (; !wines.eof(); wines.moveNext()) {
        const QString label = wines.value("Label").toString();
        wines.setValue("Region", label.toUpper());
        wines.update();
        // Read back after the write, the other fields as they were.
        seen << wines.value("Region").toString() + '/' + wines.value("Label").toString();
    }
    EXPECT_EQ(seen.join(u','),
              "MARGAUX/Margaux,BAROLO/barolo,CHABLIS/Chablis,ALBA D'ORO/Alba d'Oro");

    // A value asked for after the batch ended (another statement of the file ran) is the
    // current row's, not another row's nor a stale one.
    wines.moveFirst();
    wines.moveNext();
    wines.setValue("Vintage", 1999);
    wines.update();
    m_connection.execute("UPDATE tblWines SET Label = 'barolo riserva' WHERE WineID = 2");
    EXPECT_EQ(wines.value("Label").toString(), "barolo riserva");
    EXPECT_EQ(wines.value("Vintage").toLong(), 1999);
    wines.moveNext();
    wines.setValue("Vintage", 2001);
    wines.update();
    m_connection.execute("DELETE FROM tblWines WHERE WineID = 3");
    EXPECT_EQ(errorNumber([&] { wines.value("Label"); }), -2147217885);
}

TEST_F(EditTest, RefusedUpdateKeepsTheEditPendingAndWritesNothing)
{
    Recordset wines;
    openWines(wines);
    wines.addNew();
    wines.setValue("Label", "margaux"); // the unique index compares without regard to case
    const int duplicate = errorNumber([&] { wines.update(); });
    EXPECT_EQ(duplicate, test::engineFailure);
    EXPECT_EQ(wines.editMode(), EditMode::Add);
    EXPECT_EQ(count(), 4);

    wines.setValue("Label", QString(21, u'x'));
    EXPECT_EQ(errorNumber([&] { wines.update(); }), test::engineFailure);
    wines.setValue("Label", vb::Variant::null());
    EXPECT_EQ(errorNumber([&] { wines.update(); }), test::engineFailure);
    EXPECT_EQ(count(), 4);

    wines.setValue("Label", "Medoc");
    wines.update();
    EXPECT_EQ(count(), 5);

    wines.moveFirst();
    wines.setValue("Label", "Chablis");
    EXPECT_EQ(errorNumber([&] { wines.moveNext(); }), test::engineFailure);
    EXPECT_EQ(wines.editMode(), EditMode::InProgress);
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
    wines.cancelUpdate();
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
    EXPECT_EQ(count("Label = 'Margaux'"), 1);
}

TEST_F(EditTest, NewRowsJoinTheSetWhateverTheFilterAndOrder)
{
    Recordset wines;
    openWines(wines, LockType::Optimistic, "UniqueLabel");
    wines.setFilter("[Vintage] = 1998");
    wines.addNew();
    wines.setValue("Label", "Aaa");
    wines.setValue("Vintage", 2020);
    wines.update();
    EXPECT_EQ(wines.recordCount(), 3);
    EXPECT_EQ(wines.value("Label").toString(), "Aaa");
    EXPECT_EQ(allLabels(wines), QStringList({"Alba d'Oro", "Margaux", "Aaa"}));
    wines.setFilter("[Vintage] = 1998"); // filtered anew, it no longer passes
    EXPECT_EQ(allLabels(wines), QStringList({"Alba d'Oro", "Margaux"}));
    wines.setFilter("");
    EXPECT_EQ(allLabels(wines).first(), "Aaa"); // and takes its place in index order
}

TEST_F(EditTest, ValuesAreCheckedAgainstTheFieldTypeWhenAssigned)
{
    Recordset wines;
    openWines(wines);
    EXPECT_EQ(errorNumber([&] { wines.setValue("Vintage", 40000); }),
              static_cast<int>(0x80040E21u));
    EXPECT_EQ(errorNumber([&] { wines.setValue("Bought", "not a date"); }),
              static_cast<int>(0x80040E21u));
    EXPECT_EQ(errorNumber([&] { wines.setValue("WineID", 99); }), static_cast<int>(0x80040E21u));
    EXPECT_EQ(errorNumber([&] { wines.setValue("Nope", 1); }), test::itemNotFound);
    EXPECT_EQ(wines.editMode(), EditMode::None);
}

TEST_F(EditTest, DeletedRowsAreSkippedAndCannotBeRead)
{
    Recordset wines;
    openWines(wines);
    wines.moveNext();
    wines.deleteCurrent();
    EXPECT_EQ(errorNumber([&] { wines.value("Label"); }), test::deletedRow);
    EXPECT_EQ(errorNumber([&] { wines.setValue("Label", "x"); }), test::deletedRow);
    EXPECT_EQ(errorNumber([&] { wines.deleteCurrent(); }), test::deletedRow);
    EXPECT_EQ(wines.recordCount(), 3);
    wines.moveNext();
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
    wines.movePrevious();
    EXPECT_EQ(wines.value("Label").toString(), "Margaux");
    EXPECT_EQ(allLabels(wines), QStringList({"Margaux", "Chablis", "Alba d'Oro"}));
    EXPECT_EQ(count(), 3);

    wines.moveLast();
    wines.deleteCurrent();
    wines.moveNext();
    EXPECT_TRUE(wines.eof());
    wines.moveLast();
    EXPECT_EQ(wines.value("Label").toString(), "Chablis");
}

TEST_F(EditTest, ReadOnlyRecordsetsRefuseWrites)
{
    Recordset wines;
    openWines(wines, LockType::ReadOnly);
    EXPECT_EQ(errorNumber([&] { wines.setValue("Label", "x"); }), test::notSupported);
    EXPECT_EQ(errorNumber([&] { wines.addNew(); }), test::notSupported);
    EXPECT_EQ(errorNumber([&] { wines.deleteCurrent(); }), test::notSupported);
    EXPECT_EQ(count(), 4);
}

TEST_F(EditTest, CloseWithAPendingEditIsRefused)
{
    Recordset wines;
    openWines(wines);
    wines.setValue("Region", "Pending");
    EXPECT_EQ(errorNumber([&] { wines.close(); }), test::notInContext);
    EXPECT_TRUE(wines.isOpen());
    wines.update();
    wines.close();
    EXPECT_EQ(count("Region = 'Pending'"), 1);
}

TEST_F(EditTest, RowDeletedByAnotherUserCannotBeUpdated)
{
    Recordset wines;
    openWines(wines);
    wines.setValue("Region", "Gone");
    Connection other;
    other.open(connectionString());
    other.execute("DELETE * FROM tblWines WHERE Label = 'Margaux'");
    EXPECT_EQ(errorNumber([&] { wines.update(); }), static_cast<int>(0x80040E38u));
    wines.cancelUpdate();
    EXPECT_EQ(errorNumber([&] { wines.value("Label"); }), test::deletedRow);
}

} // namespace
} // namespace jet
