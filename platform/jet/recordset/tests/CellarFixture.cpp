#include "CellarFixture.h"

#include <QFile>

namespace jet::test {

std::unique_ptr<TestDatabase> CellarFixture::s_template;

void CellarFixture::SetUpTestSuite()
{
    s_template = std::make_unique<TestDatabase>();
    Connection connection;
    connection.open(s_template->connectionString());
    executeAll(connection,
               {"CREATE TABLE tblWines (WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, "
                "Label TEXT(20) NOT NULL, Vintage SHORT, [Value] CURRENCY, Bought DATETIME, "
                "PreSelect BIT, Region TEXT(30), Note MEMO)",
                "CREATE UNIQUE INDEX UniqueLabel ON tblWines (Label)",
                "CREATE INDEX VintageLabel ON tblWines (Vintage, Label DESC)",
                "INSERT INTO tblWines (Label, Vintage, [Value], Bought, PreSelect, Region) "
                "VALUES ('Margaux', 1998, 120.5, #3/1/2001#, True, 'Bordeaux')",
                "INSERT INTO tblWines (Label, Vintage, [Value], Bought, PreSelect, Region) "
                "VALUES ('barolo', 2004, 0, #12/31/1905#, False, 'Piedmont')",
                "INSERT INTO tblWines (Label, Vintage, [Value], Bought, PreSelect, Region) "
                "VALUES ('Chablis', 2004, 18, Null, False, 'Burgundy')",
                "INSERT INTO tblWines (Label, Vintage, [Value], Bought, PreSelect, Region) "
                "VALUES ('Alba d''Oro', 1998, 0, #6/15/2010#, True, Null)"});
    connection.close(); // everything is in the database file itself now
}

void CellarFixture::TearDownTestSuite()
{
    s_template.reset();
}

void CellarFixture::SetUp()
{
    m_path = m_dir.filePath(QStringLiteral("cellar test.qvd"));
    ASSERT_TRUE(QFile::copy(s_template->path(), m_path));
    m_connection.open(connectionString());
}

QString CellarFixture::connectionString() const
{
    return TestDatabase::connectionStringFor(m_path, TestDatabase::systemPassword());
}

void CellarFixture::openWines(Recordset& wines, LockType lock, const QString& index)
{
    wines.open(QStringLiteral("tblWines"), m_connection, CursorType::Keyset, lock,
               CommandType::TableDirect);
    if (!index.isEmpty()) {
        wines.setIndex(index);
    }
}

QStringList CellarFixture::labelsToEnd(Recordset& wines)
{
    QStringList labels;
    for (; !wines.eof(); wines.moveNext()) {
        labels.append(wines.value(QStringLiteral("Label")).toString());
    }
    return labels;
}

QStringList CellarFixture::allLabels(Recordset& wines)
{
    if (wines.recordCount() == 0) {
        return {};
    }
    wines.moveFirst();
    return labelsToEnd(wines);
}

} // namespace jet::test
