// Relationships: a related record is required, and updates and deletes of the related record
// are refused or cascade as the key's rules say.

#include "jet/schema/SchemaEditor.h"
#include "SchemaTestDatabase.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

class KeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db.ddl("CREATE TABLE tblWines (WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                 "Name TEXT(20))");
        m_db.exec("INSERT INTO tblWines (Name) VALUES ('A'), ('B')");
    }

    qint64 count(const QString& table) const
    {
        return m_db.integer("SELECT count(*) FROM " + table);
    }

    test::SchemaTestDatabase m_db;
};

TEST_F(KeysTest, CascadesReallyCascade)
{
    m_db.ddl("CREATE TABLE tblNotes (NoteID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, WineID "
             "LONG, CONSTRAINT fkWine FOREIGN KEY (WineID) REFERENCES tblWines (WineID) ON "
             "UPDATE CASCADE ON DELETE CASCADE)");
    m_db.exec("INSERT INTO tblNotes (WineID) VALUES (1), (1), (2)");
    EXPECT_EQ(m_db.failure("INSERT INTO tblNotes (WineID) VALUES (9)"),
              "You cannot add or change a record because a related record is required in table "
              "'tblWines'.");
    EXPECT_NE(m_db.failure("UPDATE tblNotes SET WineID = 9"), "");
    EXPECT_EQ(m_db.failure("INSERT INTO tblNotes (WineID) VALUES (NULL)"), "");

    m_db.exec("UPDATE tblWines SET WineID = 10 WHERE WineID = 1");
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblNotes WHERE WineID = 10"), 2);
    m_db.exec("DELETE FROM tblWines WHERE WineID = 10");
    EXPECT_EQ(count("tblNotes"), 2); // the one for wine 2 and the one without a wine
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblNotes WHERE WineID = 2"), 1);

    const TableSchema notes = *readTableSchema(m_db.db(), "tblNotes");
    const KeySchema* key = notes.key("fkWine");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->kind, KeySchema::Kind::Foreign);
    EXPECT_EQ(key->relatedTable, "tblWines");
    EXPECT_EQ(key->relatedColumns, QStringList{"WineID"});
    EXPECT_EQ(key->onUpdate, ReferentialAction::Cascade);
    EXPECT_EQ(key->onDelete, ReferentialAction::Cascade);
}

TEST_F(KeysTest, WithoutCascadeRelatedRecordsStopUpdateAndDelete)
{
    m_db.ddl("CREATE TABLE tblNotes (WineID LONG REFERENCES tblWines)");
    m_db.exec("INSERT INTO tblNotes VALUES (1)");
    EXPECT_EQ(m_db.failure("DELETE FROM tblWines WHERE WineID = 1"),
              "The record cannot be deleted or changed because table 'tblNotes' includes "
              "related records.");
    EXPECT_NE(m_db.failure("UPDATE tblWines SET WineID = 5 WHERE WineID = 1"), "");
    EXPECT_EQ(m_db.failure("UPDATE tblWines SET Name = 'Z' WHERE WineID = 1"), "");
    EXPECT_EQ(m_db.failure("DELETE FROM tblWines WHERE WineID = 2"), "");
    EXPECT_EQ(count("tblWines"), 1);
    // Unnamed, the relationship is named after its tables; it refers to the primary key.
    const TableSchema notes = *readTableSchema(m_db.db(), "tblNotes");
    const KeySchema* key = notes.key("tblWinestblNotes");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->relatedColumns, QStringList{"WineID"});
}

TEST_F(KeysTest, SetNullClearsTheReference)
{
    KeySchema key;
    key.name = "fkWine";
    key.kind = KeySchema::Kind::Foreign;
    key.columns = QStringList{"WineID"};
    key.relatedTable = "tblWines";
    key.onDelete = ReferentialAction::SetNull;
    m_db.ddl("CREATE TABLE tblNotes (WineID LONG)");
    m_db.exec("INSERT INTO tblNotes VALUES (1), (2)");
    SchemaEditor(m_db.db()).addKey("tblNotes", key);
    m_db.exec("DELETE FROM tblWines WHERE WineID = 1");
    EXPECT_EQ(m_db.integer("SELECT count(*) FROM tblNotes WHERE WineID IS NULL"), 1);
}

TEST_F(KeysTest, RelationshipsNeedMatchingDataAndAUniqueIndex)
{
    m_db.ddl("CREATE TABLE tblNotes (WineID LONG, Name TEXT(20))");
    m_db.exec("INSERT INTO tblNotes VALUES (7, 'A')");
    const QString orphans =
        m_db.ddlFailure("ALTER TABLE tblNotes ADD CONSTRAINT fk FOREIGN KEY (WineID) REFERENCES "
                        "tblWines (WineID)");
    EXPECT_TRUE(orphans.contains("no related record")) << orphans.toStdString();
    EXPECT_EQ(readTableSchema(m_db.db(), "tblNotes")->key("fk"), nullptr);

    try {
        m_db.ddl("ALTER TABLE tblNotes ADD CONSTRAINT fk2 FOREIGN KEY (Name) REFERENCES "
                 "tblWines (Name)");
        FAIL() << "a relationship to a field without a unique index";
    } catch (const vb::Error& error) {
        EXPECT_TRUE(error.description().startsWith("No unique index found"));
    }
}

TEST_F(KeysTest, TablesAndKeysInARelationshipAreProtected)
{
    m_db.ddl("CREATE TABLE tblNotes (WineID LONG, CONSTRAINT fk FOREIGN KEY (WineID) "
             "REFERENCES tblWines (WineID))");
    EXPECT_THROW(m_db.ddl("DROP TABLE tblWines"), vb::Error);
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblWines DROP CONSTRAINT PrimaryKey"), vb::Error);
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblNotes DROP COLUMN WineID"), vb::Error);
    EXPECT_THROW(m_db.ddl("ALTER TABLE tblNotes ALTER COLUMN WineID TEXT(5)"), vb::Error);

    // Dropping the relationship frees both tables.
    m_db.ddl("ALTER TABLE tblNotes DROP CONSTRAINT fk");
    m_db.exec("INSERT INTO tblNotes VALUES (99)");
    m_db.ddl("DROP TABLE tblWines");
    EXPECT_EQ(tableNames(m_db.db()), QStringList{"tblNotes"});
}

TEST_F(KeysTest, DroppingTheRelatedTableRemovesItsTriggers)
{
    m_db.ddl("CREATE TABLE tblNotes (WineID LONG, CONSTRAINT fk FOREIGN KEY (WineID) "
             "REFERENCES tblWines (WineID) ON DELETE CASCADE)");
    m_db.exec("INSERT INTO tblNotes VALUES (1)");
    m_db.ddl("DROP TABLE tblNotes");
    // tblWines no longer cascades into a table that is gone.
    EXPECT_EQ(m_db.failure("DELETE FROM tblWines"), "");
}

TEST_F(KeysTest, RebuildingEitherTableKeepsTheRelationship)
{
    m_db.ddl("CREATE TABLE tblNotes (NoteID COUNTER PRIMARY KEY, WineID LONG, Note TEXT(5), "
             "CONSTRAINT fk FOREIGN KEY (WineID) REFERENCES tblWines (WineID) ON DELETE "
             "CASCADE)");
    m_db.exec("INSERT INTO tblNotes (WineID, Note) VALUES (1, 'a'), (2, 'b')");
    m_db.ddl("ALTER TABLE tblWines ALTER COLUMN Name TEXT(40)");
    m_db.ddl("ALTER TABLE tblNotes ALTER COLUMN Note TEXT(50)");
    EXPECT_NE(m_db.failure("INSERT INTO tblNotes (WineID) VALUES (3)"), "");
    m_db.exec("DELETE FROM tblWines WHERE WineID = 1");
    EXPECT_EQ(count("tblNotes"), 1);
    EXPECT_EQ(m_db.integer("PRAGMA foreign_keys"), 1);
}

} // namespace
} // namespace jet
