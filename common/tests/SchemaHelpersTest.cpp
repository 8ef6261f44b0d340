// The schema tests and OpenTable on a database made with Jet DDL.

#include "common/DatabaseConnection.h"
#include "common/OpenTable.h"
#include "common/SchemaChange.h"
#include "common/SchemaExistence.h"
#include "platform/jet/adox/Catalog.h"
#include "platform/jet/adox/Table.h"
#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/recordset/Recordset.h"
#include "platform/vb/Error.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

using namespace DatabaseHelpers;

class SchemaHelpers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = m_dir.filePath(QStringLiteral("c sample.qvd"));
        jet::createDatabase(path, DatabasePassword);
        OpenDatabase(m_connection, path, true);
        m_connection.execute(
            QStringLiteral("CREATE TABLE tblWines (WineID LONG CONSTRAINT PrimaryKey PRIMARY KEY, "
                           "PreSelect BIT, Vintage TEXT(4))"));
        m_connection.execute(QStringLiteral("CREATE INDEX Vintage ON tblWines (Vintage)"));
        m_connection.execute(QStringLiteral("INSERT INTO tblWines VALUES (1, 0, '1998')"));
        m_connection.execute(QStringLiteral("INSERT INTO tblWines VALUES (2, -1, '2001')"));
        m_catalog.setActiveConnection(m_connection);
    }

    QTemporaryDir m_dir;
    jet::Connection m_connection;
    jet::adox::Catalog m_catalog;
};

TEST_F(SchemaHelpers, NamesAreComparedExactly)
{
    EXPECT_TRUE(TableExists(m_catalog, QStringLiteral("tblWines")));
    EXPECT_FALSE(TableExists(m_catalog, QStringLiteral("tblwines")));
    EXPECT_FALSE(TableExists(m_catalog, QStringLiteral("tblNotes")));

    jet::adox::Table& wines = m_catalog.tables().item(QStringLiteral("tblWines"));
    EXPECT_TRUE(ColumnExists(wines, QStringLiteral("PreSelect")));
    EXPECT_FALSE(ColumnExists(wines, QStringLiteral("preselect")));
    EXPECT_FALSE(ColumnExists(wines, QStringLiteral("HasLabel")));

    EXPECT_TRUE(IndexExists(wines, QStringLiteral("PrimaryKey")));
    EXPECT_TRUE(IndexExists(wines, QStringLiteral("Vintage")));
    EXPECT_FALSE(IndexExists(wines, QStringLiteral("vintage")));
    EXPECT_FALSE(IndexExists(wines, QStringLiteral("oldWineID")));
}

TEST_F(SchemaHelpers, OpenTableWritableReadOnlyAndByIndex)
{
    {
        jet::Recordset wines;
        OpenTable(wines, m_connection, QStringLiteral("tblWines"), false);
        EXPECT_EQ(wines.recordCount(), 2);
        wines.setValue(QStringLiteral("Vintage"), vb::Variant(QStringLiteral("1999")));
        wines.update();
        wines.close();
    }
    jet::ResultSet first =
        m_connection.execute(QStringLiteral("SELECT Vintage FROM tblWines WHERE WineID = 1"));
    EXPECT_EQ(first.value(0).toString(), "1999");
    first.close();

    jet::Recordset readOnly;
    OpenTable(readOnly, m_connection, QStringLiteral("tblWines"), true, QStringLiteral("Vintage"));
    EXPECT_EQ(readOnly.index(), "Vintage");
    EXPECT_EQ(readOnly.value(QStringLiteral("Vintage")).toString(), "1999"); // index order
    EXPECT_THROW(
        {
            readOnly.setValue(QStringLiteral("Vintage"), vb::Variant(QStringLiteral("2000")));
            readOnly.update();
        },
        vb::Error);
}

} // namespace

namespace {

using namespace DatabaseHelpers;

TEST_F(SchemaHelpers, AddColumnIfMissingAddsOnceWithItsProperties)
{
    jet::adox::Table& wines = m_catalog.tables().item(QStringLiteral("tblWines"));
    const NewColumn peak{QStringLiteral("Peak"), jet::DataType::VarWChar, 7, true, true};
    EXPECT_TRUE(AddColumnIfMissing(m_catalog, wines, peak));
    EXPECT_FALSE(AddColumnIfMissing(m_catalog, wines, peak)); // second time: already there
    EXPECT_FALSE(AddColumnIfMissing(m_catalog, wines,
                                    {QStringLiteral("PreSelect"), jet::DataType::Boolean}));

    // Optional, zero length allowed, at most 7 characters: as the column was described.
    m_connection.execute(QStringLiteral("UPDATE tblWines SET Peak = '' WHERE WineID = 1"));
    m_connection.execute(QStringLiteral("UPDATE tblWines SET Peak = Null WHERE WineID = 2"));
    EXPECT_THROW(m_connection.execute(
                     QStringLiteral("UPDATE tblWines SET Peak = '2004-123' WHERE WineID = 2")),
                 vb::Error);
    EXPECT_TRUE(wines.columns()
                    .item(QStringLiteral("Peak"))
                    .property(QStringLiteral("Nullable"))
                    .toBoolean());
}

} // namespace
