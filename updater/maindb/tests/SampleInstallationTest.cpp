// The chain run by the real update driver on a sample installation at version 3: it reaches
// version 11 with the schema the suite's programs read, and a chain that fails leaves the
// user's data as it was.

#include "common/DatabaseConnection.h"
#include "jet/Connection.h"
#include "jet/schema/TableSchema.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "sample/DatabaseDigest.h"
#include "sample/Installation.h"
#include "updater/frmMain.h"
#include "updater/maindb/MainDatabaseSql.h"
#include "updater/maindb/MainDatabaseUpdates.h"
#include "updater/UpdateDriver.h"
#include "updater/UpdaterTexts.h"

#include <gtest/gtest.h>
#include <map>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace updater::maindb::testing {

namespace {

using jet::JetType;
using jet::KeySchema;
using shell::PromptMatcher;

class AcceptingBackup : public UserFilesBackup
{
public:
    qint16 backupUserFiles(qint32, const QString&, QString&) override { return BackupMade; }
    void setTargetFolder(const QString&) override {}
};

class SampleInstallation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        sample::InstallationOptions options;
        options.wines = 40;
        options.registerInstallation = true;
        sample::writeInstallation(m_folder.filePath(QStringLiteral("Quorvex")), options);
        m_user.expectMessage(PromptMatcher::exactly(texts::WillConvert), shell::vbOK);
    }

    QString databasePath(const QString& file) const
    {
        return m_folder.filePath(QStringLiteral("Quorvex/") + file);
    }
    QString mainPath() const { return databasePath(sample::mainDatabaseFile); }

    std::map<QString, QByteArray> digests() const
    {
        std::map<QString, QByteArray> result;
        for (const QString& file : {sample::mainDatabaseFile, sample::settingsFile,
                                    sample::languageFile, sample::webLinksFile})
            result[file] = sample::databaseDigest(databasePath(file));
        return result;
    }

    void answerDialog()
    {
        m_user.expectModal(QStringLiteral("frmUpdateToVersion3_4"), [](QWidget& window) {
            window.findChild<QRadioButton*>(QStringLiteral("optTo(1)"))->click();
            window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        m_user.expectMessage(PromptMatcher::containing(QStringLiteral("Thank you")), shell::vbOK);
        m_user.alwaysAnswer(PromptMatcher::containing(QStringLiteral("flagged for manual")),
                            shell::vbOK);
    }

    RunOutcome run()
    {
        RunOptions options;
        options.programFolder = m_folder.filePath(QStringLiteral("Quorvex/Tools"));
        options.backupFactory = [](const QString&) { return std::make_unique<AcceptingBackup>(); };
        options.chains = UpdateChains();
        addMainDatabaseChain(options.chains);
        frmMain window;
        UpdateDriver driver(window, options);
        return driver.run();
    }

    QTemporaryDir m_folder;
    shell::GTestScriptedUser m_user;
};

void expectColumn(const jet::TableSchema& table, const QString& name, JetType type, int size,
                  bool nullable)
{
    const int at = table.columnIndex(name);
    ASSERT_GE(at, 0) << table.name.toStdString() << "." << name.toStdString();
    const jet::ColumnSchema& column = table.columns[at];
    EXPECT_EQ(column.name, name);
    EXPECT_EQ(column.type, type) << name.toStdString();
    if (type == JetType::Text) {
        EXPECT_EQ(column.size, size) << name.toStdString();
    }
    EXPECT_EQ(column.nullable, nullable) << name.toStdString();
}

void expectIndex(const jet::TableSchema& table, const QString& name, const QStringList& columns,
                 bool unique)
{
    const jet::IndexSchema* index = table.index(name);
    ASSERT_NE(index, nullptr) << table.name.toStdString() << " " << name.toStdString();
    EXPECT_EQ(index->name, name);
    QStringList names;
    for (const jet::IndexColumn& column : index->columns)
        names << column.name;
    EXPECT_EQ(names, columns) << name.toStdString();
    EXPECT_EQ(index->unique, unique) << name.toStdString();
}

void expectForeignKey(const jet::TableSchema& table, const QString& name, const QString& related,
                      const QString& relatedColumn)
{
    for (const KeySchema& key : table.keys) {
        if (key.name != name)
            continue;
        EXPECT_EQ(key.kind, KeySchema::Kind::Foreign);
        EXPECT_EQ(key.columns, QStringList{QStringLiteral("LocalID")});
        EXPECT_EQ(key.relatedTable, related);
        EXPECT_EQ(key.relatedColumns, QStringList{relatedColumn});
        EXPECT_EQ(key.onUpdate, jet::ReferentialAction::Cascade);
        EXPECT_EQ(key.onDelete, jet::ReferentialAction::Cascade);
        return;
    }
    ADD_FAILURE() << "no key " << name.toStdString() << " on " << table.name.toStdString();
}

void expectMainSchema(sqlite3* db)
{
    const auto table = [db](const char* name) {
        const std::optional<jet::TableSchema> schema =
            jet::readTableSchema(db, QLatin1String(name));
        if (!schema)
            throw std::runtime_error(std::string("no table ") + name);
        return *schema;
    };

    const jet::TableSchema countryAliases = table("tblCountryAliases");
    expectColumn(countryAliases, QStringLiteral("Alias"), JetType::Text, 30, false);
    expectColumn(countryAliases, QStringLiteral("LocalID"), JetType::Long, 0, false);
    ASSERT_NE(countryAliases.primaryIndex(), nullptr);
    EXPECT_EQ(countryAliases.primaryIndex()->name, QStringLiteral("PrimaryKey"));
    expectForeignKey(countryAliases, QStringLiteral("CountryID"), QStringLiteral("tblPICKCountry"),
                     QStringLiteral("CountryID"));
    const jet::TableSchema regionAliases = table("tblRegionAliases");
    expectIndex(regionAliases, QStringLiteral("PrimaryKey"),
                {QStringLiteral("Alias"), QStringLiteral("CountryID")}, true);
    expectForeignKey(regionAliases, QStringLiteral("RegionID"), QStringLiteral("tblPICKRegion"),
                     QStringLiteral("StateRegionID"));
    expectForeignKey(table("tblAppellationAliases"), QStringLiteral("AppellationID"),
                     QStringLiteral("tblPICKAppellation"), QStringLiteral("AppellationID"));
    expectIndex(table("tblPICKRegion"), QStringLiteral("StateRegionID"),
                {QStringLiteral("StateRegionID")}, true);

    const jet::TableSchema wines = table("tblWines");
    expectIndex(wines, QStringLiteral("oldWineID"), {QStringLiteral("oldWineID")}, true);
    expectColumn(wines, QStringLiteral("PreSelect"), JetType::YesNo, 0, false);
    expectColumn(wines, QStringLiteral("Created"), JetType::DateTime, 0, false);
    expectColumn(wines, QStringLiteral("LastModif"), JetType::DateTime, 0, false);
    for (const char* point : {"DrinkFrom", "Optimal", "DrinkTo", "Peak"})
        expectColumn(wines, QLatin1String(point), JetType::Text, 7, true);
    expectColumn(wines, QStringLiteral("LifeSpan"), JetType::Integer, 0, true);
    expectColumn(wines, QStringLiteral("PeriodBandWidth"), JetType::Integer, 0, true);
    expectColumn(wines, QStringLiteral("Varieties"), JetType::Memo, 0, true);
    expectColumn(wines, QStringLiteral("HasLabel"), JetType::YesNo, 0, false);
    EXPECT_TRUE(wines.columns[wines.columnIndex(QStringLiteral("Peak"))].allowZeroLength);
    EXPECT_TRUE(wines.columns[wines.columnIndex(QStringLiteral("Varieties"))].allowZeroLength);
    for (const QString& stage : stageDateFields())
        expectColumn(wines, stage, JetType::DateTime, 0, true);
    for (const char* field : {"FirstBought", "LastBought", "FirstRemoval", "LastRemoval",
                              "FirstTastingNote", "LastTastingNote"})
        expectColumn(wines, QLatin1String(field), JetType::DateTime, 0, true);

    for (const char* owners : {"tblTastingNotes", "tblWinerySite"}) {
        const jet::TableSchema schema = table(owners);
        expectColumn(schema, QStringLiteral("UserID"), JetType::Long, 0, false);
        expectColumn(schema, QStringLiteral("MasterID"), JetType::Long, 0, false);
        expectIndex(schema, QStringLiteral("MasterID"),
                    {QStringLiteral("UserID"), QStringLiteral("MasterID")}, true);
    }
    expectColumn(table("tblTastingNotes"), QStringLiteral("LastModif"), JetType::DateTime, 0,
                 false);
    expectColumn(table("tblPICKRetailOutlet"), QStringLiteral("RetailStoreName"), JetType::Text, 50,
                 true);
    const jet::TableSchema profiles = table("tblDrinkProfile");
    for (const char* field : {"DeltaPeak", "LifeSpan", "PeriodBandWidth"})
        expectColumn(profiles, QLatin1String(field), JetType::Integer, 0, true);

    const jet::TableSchema version = table("tblDBVer");
    expectColumn(version, QStringLiteral("MaxBarcodeID"), JetType::Long, 0, false);
    expectColumn(version, QStringLiteral("LastWineriesDownload"), JetType::DateTime, 0, false);
    ASSERT_GE(version.columnIndex(QStringLiteral("StorageCurrencyCode")), 0);
    EXPECT_EQ(version.columns[version.columnIndex(QStringLiteral("StorageCurrencyCode"))].type,
              JetType::Text);

    const jet::TableSchema locations = table("tblLocations");
    expectColumn(locations, QStringLiteral("LocationID"), JetType::Counter, 0, false);
    expectColumn(locations, QStringLiteral("ZoneID"), JetType::Long, 0, false);
    expectColumn(locations, QStringLiteral("HotspotID"), JetType::Text, 50, false);
    expectColumn(locations, QStringLiteral("CurrentQty"), JetType::Integer, 0, false);
    expectColumn(locations, QStringLiteral("MaxQty"), JetType::Integer, 0, false);
    expectColumn(locations, QStringLiteral("LocationName"), JetType::Text, 50, false);
    expectColumn(locations, QStringLiteral("AllowAllSizes"), JetType::YesNo, 0, false);
    expectColumn(locations, QStringLiteral("Note"), JetType::Memo, 0, false);
    expectIndex(locations, QStringLiteral("PrimaryKey"), {QStringLiteral("LocationID")}, true);
    expectIndex(locations, QStringLiteral("LocationName"), {QStringLiteral("LocationName")}, true);

    std::map<QString, QString> queries;
    for (const jet::StoredQuerySchema& query : jet::storedQueries(db))
        queries[query.name] = query.jetText;
    EXPECT_EQ(queries[QStringLiteral("CalcDHI")], calcDhiQuery());
    EXPECT_EQ(queries[QStringLiteral("CurrentQuery")], currentQuery());
    EXPECT_EQ(queries[QStringLiteral("ReverseQuery")], reverseQuery());
}

TEST_F(SampleInstallation, ChainRunsFromVersionThreeToElevenWithTheSuitesSchema)
{
    answerDialog();
    ASSERT_EQ(run(), RunOutcome::Updated) << m_user.unexpected().join('\n').toStdString();

    jet::Connection connection;
    DatabaseHelpers::OpenDatabase(connection, mainPath(), true);
    jet::ResultSet version = connection.execute(QStringLiteral("SELECT Version FROM tblDBVer"));
    EXPECT_EQ(version.value(0).toLong(), 11);
    version.close();
    expectMainSchema(connection.handle());

    // Every wine of the sample has a drinking window and reads through the selection queries.
    jet::ResultSet counts = connection.execute(QStringLiteral(
        "SELECT Count(*), Count(Peak), Count(datDead), Count(Created) FROM tblWines"));
    const qint64 wines = counts.value(0).toLong();
    EXPECT_GT(wines, 0);
    EXPECT_EQ(counts.value(1).toLong(), wines);
    EXPECT_EQ(counts.value(2).toLong(), wines);
    EXPECT_EQ(counts.value(3).toLong(), wines);
    counts.close();
    jet::ResultSet selection =
        connection.execute(QStringLiteral("SELECT Count(*) FROM ReverseQuery"));
    EXPECT_EQ(selection.value(0).toLong(), 0);
    selection.close();
    connection.close();
}

TEST_F(SampleInstallation, OverflowInUpdateFiveLeavesTheUsersDataAsItWas)
{
    {
        jet::Connection connection;
        DatabaseHelpers::OpenDatabase(connection, mainPath(), true);
        QStringList ids;
        jet::ResultSet wines =
            connection.execute(QStringLiteral("SELECT WineID FROM tblWines ORDER BY WineID"));
        for (; !wines.eof(); wines.moveNext())
            ids << wines.value(0).toString();
        wines.close();
        ASSERT_GE(ids.size(), 3);
        // The highest number is taken, and two wines still wait for theirs.
        connection.execute(QStringLiteral("UPDATE tblWines SET oldWineID = 32767 WHERE WineID = ") +
                           ids.last());
        connection.execute(
            QStringLiteral("UPDATE tblWines SET oldWineID = 0 WHERE WineID IN (%1, %2)")
                .arg(ids[0], ids[1]));
        connection.close();
    }
    const std::map<QString, QByteArray> before = digests();
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("Overflow")), shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Failed);

    EXPECT_EQ(digests(), before);
    ASSERT_EQ(m_user.messages().size(), 2u);
    EXPECT_TRUE(m_user.messages()[1].prompt.startsWith(QStringLiteral("Severe Database Error!")))
        << m_user.messages()[1].prompt.toStdString();
    EXPECT_TRUE(m_user.messages()[1].prompt.contains(QStringLiteral("MainDatabaseUpdate5")));
}

} // namespace

} // namespace updater::maindb::testing
