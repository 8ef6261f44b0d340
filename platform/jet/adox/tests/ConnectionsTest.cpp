// Several connections and catalogs on one file in one process: a schema change made through
// one is seen by the others at once, and none blocks another.

#include "jet/adox/Catalog.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace jet::adox {
namespace {

TEST(ConnectionsTest, SchemaChangeThroughAnotherConnectionIsSeen)
{
    test::TestDatabase database;
    Connection updater;
    updater.open(database.connectionString());
    test::executeAll(updater, {"CREATE TABLE tblWines (WineID COUNTER PRIMARY KEY, Name TEXT(20))",
                               "INSERT INTO tblWines (Name) VALUES ('Alpha')"});
    // The updater's connection has translated statements, so it knows the names of the file.
    ResultSet rows = updater.execute("SELECT Name FROM tblWines");
    rows.close();

    {
        Catalog catalog;
        catalog.setActiveConnection(database.connectionString());
        Table& wines = catalog.tables().item("tblWines");
        Column grower("Grower", DataType::VarWChar, 30);
        grower.setParentCatalog(&catalog);
        grower.setProperty("Nullable", true);
        wines.columns().append(grower);
        catalog.views().append("qryGrowers", "SELECT Grower FROM tblWines;");
        Table notes("tblNotes");
        notes.columns().append("NoteID", DataType::Integer);
        catalog.tables().append(notes);
    }

    // A new column is a name, not a parameter; the stored query runs by name.
    updater.execute("UPDATE tblWines SET Grower = 'Smith'");
    rows = updater.execute("SELECT Grower FROM qryGrowers");
    EXPECT_EQ(rows.value(0).toString(), "Smith");
    rows.close();
    updater.execute("INSERT INTO tblNotes (NoteID) VALUES (1)");

    // The updater may hold a transaction open while another catalog reads the schema.
    updater.beginTrans();
    updater.execute("INSERT INTO tblNotes (NoteID) VALUES (2)");
    Catalog reader;
    reader.setActiveConnection(database.connectionString());
    EXPECT_EQ(reader.tables().count(), 2);
    EXPECT_EQ(reader.tables().item("tblWines").columns().count(), 3);
    updater.commitTrans();
}

TEST(ConnectionsTest, CatalogOnAnOpenConnectionSharesItsTransaction)
{
    test::TestDatabase database;
    Connection connection;
    connection.open(database.connectionString());
    connection.execute("CREATE TABLE tblA (A LONG)");
    Catalog catalog;
    catalog.setActiveConnection(connection);
    connection.beginTrans();
    catalog.tables().item("tblA").columns().append("B", DataType::VarWChar, 10);
    connection.rollbackTrans();
    Catalog after;
    after.setActiveConnection(connection);
    EXPECT_EQ(after.tables().item("tblA").columns().count(), 1);
}

} // namespace
} // namespace jet::adox
