// Schema statements become a structured description for the catalog.

#include "JetSql.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

DdlStatement ddl(const char* sql)
{
    const TranslatedStatement t = translate(QString::fromUtf8(sql));
    EXPECT_TRUE(t.sqlite.isEmpty());
    return t.ddl;
}

TEST(AlterColumn, TypesAndSizesOfTheUpdates)
{
    const struct
    {
        const char* sql;
        const char* table;
        const char* column;
        JetType type;
        int size;
    } cases[] = {
        {"ALTER TABLE tblPICKRetailOutlet ALTER COLUMN [RetailStoreName] TEXT(50)",
         "tblPICKRetailOutlet", "RetailStoreName", JetType::Text, 50},
        {"ALTER TABLE tblWines ALTER COLUMN [DrinkFrom] TEXT(7)", "tblWines", "DrinkFrom",
         JetType::Text, 7},
        {"ALTER TABLE tblAuctionData ALTER COLUMN [Value] LONG", "tblAuctionData", "Value",
         JetType::Long, 0},
        {"ALTER TABLE PrintLabels ALTER COLUMN [Columns] INTEGER", "PrintLabels", "Columns",
         JetType::Long, 0}, // INTEGER is Jet's 32-bit type
        {"ALTER TABLE PrintLabels ALTER COLUMN [Rows] SHORT", "PrintLabels", "Rows",
         JetType::Integer, 0},
        {"ALTER TABLE tblQueryDefinitions ALTER COLUMN [Value] TEXT(255)", "tblQueryDefinitions",
         "Value", JetType::Text, 255},
    };
    for (const auto& c : cases) {
        const DdlStatement d = ddl(c.sql);
        EXPECT_EQ(d.action, DdlStatement::Action::AlterColumn) << c.sql;
        EXPECT_EQ(d.table, QString::fromUtf8(c.table));
        ASSERT_EQ(d.columns.size(), 1);
        EXPECT_EQ(d.columns[0].name, QString::fromUtf8(c.column));
        EXPECT_EQ(d.columns[0].type, c.type) << c.sql;
        EXPECT_EQ(d.columns[0].size, c.size) << c.sql;
    }
}

TEST(CreateTable, ColumnsKeysAndReferences)
{
    const DdlStatement d =
        ddl("CREATE TABLE tblRegionAliases (Alias TEXT(30) NOT NULL, CountryID LONG, "
            "LocalID LONG CONSTRAINT RegionRef REFERENCES tblPICKRegion (StateRegionID), "
            "Note MEMO WITH COMPRESSION, Amount CURRENCY DEFAULT 0, Id COUNTER(100, 5), "
            "CONSTRAINT PrimaryKey PRIMARY KEY (Alias, CountryID), "
            "CONSTRAINT RegionID FOREIGN KEY (LocalID) REFERENCES tblPICKRegion (StateRegionID) "
            "ON UPDATE CASCADE ON DELETE CASCADE, UNIQUE (Note))");
    EXPECT_EQ(d.action, DdlStatement::Action::CreateTable);
    EXPECT_EQ(d.table, QStringLiteral("tblRegionAliases"));
    ASSERT_EQ(d.columns.size(), 6);
    EXPECT_TRUE(d.columns[0].notNull);
    EXPECT_EQ(d.columns[0].size, 30);
    ASSERT_EQ(d.columns[2].constraints.size(), 1);
    EXPECT_EQ(d.columns[2].constraints[0].kind, ConstraintDef::Kind::ForeignKey);
    EXPECT_EQ(d.columns[2].constraints[0].name, QStringLiteral("RegionRef"));
    EXPECT_EQ(d.columns[2].constraints[0].referencedColumns, QStringList{"StateRegionID"});
    EXPECT_TRUE(d.columns[3].compressed);
    EXPECT_EQ(d.columns[3].type, JetType::Memo);
    EXPECT_EQ(d.columns[4].defaultSql, std::optional<QString>(QStringLiteral("0")));
    EXPECT_EQ(d.columns[5].type, JetType::Counter);
    EXPECT_EQ(d.columns[5].firstValue, 100);
    EXPECT_EQ(d.columns[5].increment, 5);
    ASSERT_EQ(d.constraints.size(), 3);
    EXPECT_EQ(d.constraints[0].kind, ConstraintDef::Kind::PrimaryKey);
    EXPECT_EQ(d.constraints[0].columns, (QStringList{"Alias", "CountryID"}));
    EXPECT_EQ(d.constraints[1].kind, ConstraintDef::Kind::ForeignKey);
    EXPECT_EQ(d.constraints[1].referencedTable, QStringLiteral("tblPICKRegion"));
    EXPECT_EQ(d.constraints[1].onUpdate, ReferentialAction::Cascade);
    EXPECT_EQ(d.constraints[1].onDelete, ReferentialAction::Cascade);
    EXPECT_EQ(d.constraints[2].kind, ConstraintDef::Kind::Unique);
    EXPECT_TRUE(d.constraints[2].name.isEmpty());
}

TEST(CreateTable, RefusesWhatJetRefuses)
{
    EXPECT_THROW(translate(QStringLiteral("CREATE TABLE t (a TEXT(0))")), SqlSyntaxError);
    EXPECT_THROW(translate(QStringLiteral("CREATE TABLE t (a TEXT(256))")), SqlSyntaxError);
    EXPECT_THROW(translate(QStringLiteral("CREATE TABLE t (a LONG(4))")), SqlSyntaxError);
    EXPECT_THROW(translate(QStringLiteral("CREATE TABLE t (a)")), SqlSyntaxError);
    EXPECT_THROW(translate(QStringLiteral("CREATE TABLE t (a VALUE)")), SqlSyntaxError);
    try {
        translate(QStringLiteral("ALTER TABLE t ALTER COLUMN c WIBBLE"));
        FAIL();
    } catch (const SqlSyntaxError& e) {
        EXPECT_EQ(e.position, 29);
        EXPECT_EQ(e.description(), QStringLiteral("Syntax error in field definition."));
    }
}

TEST(CreateIndex, OptionsAndColumnOrder)
{
    const DdlStatement d =
        ddl("CREATE UNIQUE INDEX MasterID ON WebLinks (UserID, MasterID DESC) WITH IGNORE NULL");
    EXPECT_EQ(d.action, DdlStatement::Action::CreateIndex);
    EXPECT_EQ(d.index.name, QStringLiteral("MasterID"));
    EXPECT_EQ(d.index.table, QStringLiteral("WebLinks"));
    ASSERT_EQ(d.index.columns.size(), 2);
    EXPECT_FALSE(d.index.columns[0].descending);
    EXPECT_TRUE(d.index.columns[1].descending);
    EXPECT_TRUE(d.index.unique);
    EXPECT_TRUE(d.index.ignoreNull);
    EXPECT_FALSE(d.index.primary);
    const DdlStatement p = ddl("CREATE INDEX PrimaryKey ON [tbl X] ([My Col]) WITH PRIMARY "
                               "DISALLOW NULL");
    EXPECT_TRUE(p.index.primary);
    EXPECT_TRUE(p.index.disallowNull);
    EXPECT_FALSE(p.index.unique);
    EXPECT_EQ(p.index.columns[0].name, QStringLiteral("My Col"));
}

TEST(OtherSchemaStatements, DropsAddsAndConstraints)
{
    DdlStatement d = ddl("DROP INDEX [URL] ON WebLinks;");
    EXPECT_EQ(d.action, DdlStatement::Action::DropIndex);
    EXPECT_EQ(d.name, QStringLiteral("URL"));
    EXPECT_EQ(d.table, QStringLiteral("WebLinks"));
    d = ddl("DROP TABLE [Old Table]");
    EXPECT_EQ(d.action, DdlStatement::Action::DropTable);
    EXPECT_EQ(d.table, QStringLiteral("Old Table"));
    d = ddl("ALTER TABLE Table4 DROP COLUMN col5;");
    EXPECT_EQ(d.action, DdlStatement::Action::DropColumn);
    EXPECT_EQ(d.name, QStringLiteral("col5"));
    d = ddl("ALTER TABLE t ADD COLUMN a DATETIME, b YESNO");
    EXPECT_EQ(d.action, DdlStatement::Action::AddColumn);
    ASSERT_EQ(d.columns.size(), 2);
    EXPECT_EQ(d.columns[1].type, JetType::YesNo);
    d = ddl("ALTER TABLE tblLocations ADD CONSTRAINT LocationName UNIQUE (LocationName)");
    EXPECT_EQ(d.action, DdlStatement::Action::AddConstraint);
    ASSERT_EQ(d.constraints.size(), 1);
    EXPECT_EQ(d.constraints[0].name, QStringLiteral("LocationName"));
    d = ddl("ALTER TABLE t DROP CONSTRAINT PrimaryKey");
    EXPECT_EQ(d.action, DdlStatement::Action::DropConstraint);
    EXPECT_EQ(d.name, QStringLiteral("PrimaryKey"));
}

TEST(TypeNames, SynonymsAndStorage)
{
    EXPECT_EQ(jetTypeFromName(QStringLiteral("varchar")), JetType::Text);
    EXPECT_EQ(jetTypeFromName(QStringLiteral("Bit")), JetType::YesNo);
    EXPECT_EQ(jetTypeFromName(QStringLiteral("smallint")), JetType::Integer);
    EXPECT_EQ(jetTypeFromName(QStringLiteral("AutoIncrement")), JetType::Counter);
    EXPECT_EQ(jetTypeFromName(QStringLiteral("Int")), JetType::Long);
    EXPECT_FALSE(jetTypeFromName(QStringLiteral("Blob")));
    EXPECT_EQ(sqliteDeclaration(JetType::Memo), QStringLiteral("TEXT COLLATE JET"));
    EXPECT_EQ(sqliteDeclaration(JetType::YesNo), QStringLiteral("INTEGER"));
    EXPECT_EQ(sqliteDeclaration(JetType::DateTime), QStringLiteral("REAL"));
    EXPECT_EQ(sqliteDeclaration(JetType::LongBinary), QStringLiteral("BLOB"));
}

} // namespace
} // namespace jet
