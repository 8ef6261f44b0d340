// The old schemas: what the update procedures read is there, and nothing they add exists yet
// (several of them add without looking first, and would fail on a second copy).

#include "SampleFixture.h"
#include "vb/Error.h"

namespace sample::test {
namespace {

bool hasColumn(const QString& path, const QString& table, const QString& field)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    try {
        connection.execute(QStringLiteral("SELECT [%1] FROM [%2] WHERE 1 = 0").arg(field, table));
        return true;
    } catch (const vb::Error&) {
        return false;
    }
}

bool hasTable(const QString& path, const QString& table)
{
    jet::Connection connection;
    connection.open(connectionString(path));
    try {
        connection.execute(QStringLiteral("SELECT * FROM [%1] WHERE 1 = 0").arg(table));
        return true;
    } catch (const vb::Error&) {
        return false;
    }
}

struct Field
{
    const char* table;
    const char* field;
};

void expectFields(const QString& path, const QList<Field>& fields, bool present)
{
    for (const Field& f : fields) {
        EXPECT_EQ(hasColumn(path, QString::fromLatin1(f.table), QString::fromLatin1(f.field)),
                  present)
            << f.table << "." << f.field << (present ? " is missing" : " already exists");
    }
}

TEST(OldMainSchema, HoldsWhatTheMainUpdatesReadAndNothingTheyAdd)
{
    const QString path =
        databasePath(installation(InstallationOptions::defaultWines), mainDatabaseFile);
    expectFields(path,
                 {{"tblWines", "oldWineID"},
                  {"tblWines", "DrinkFrom"},
                  {"tblWines", "Optimal"},
                  {"tblWines", "DrinkTo"},
                  {"tblWines", "Vintage"},
                  {"tblWines", "Variety5"},
                  {"tblWines", "VarietyPerc5"},
                  {"tblWines", "WineLabelPointer"},
                  {"tblWines", "BottleLocations"},
                  {"tblWinerySite", "MasterID"},
                  {"tblWinerySite", "Address2"},
                  {"tblTastingNotes", "MasterID"},
                  {"tblTastingNotes", "Author"},
                  {"tblTransactions", "Time"},
                  {"tblTransactions", "Cost"},
                  {"tblDrinkProfile", "DeltaTo"},
                  {"tblPICKRetailOutlet", "RetailStoreName"}},
                 true);
    expectFields(path,
                 {{"tblDBVer", "MaxBarcodeID"},
                  {"tblDBVer", "StorageCurrencyCode"},
                  {"tblDBVer", "LastWineriesDownload"},
                  {"tblWinerySite", "UserID"},
                  {"tblTastingNotes", "UserID"},
                  {"tblTastingNotes", "LastModif"},
                  {"tblWines", "PreSelect"},
                  {"tblWines", "Created"},
                  {"tblWines", "LastModif"},
                  {"tblWines", "Peak"},
                  {"tblWines", "LifeSpan"},
                  {"tblWines", "PeriodBandWidth"},
                  {"tblWines", "Varieties"},
                  {"tblWines", "HasLabel"},
                  {"tblWines", "datDead"},
                  {"tblWines", "FirstBought"},
                  {"tblDrinkProfile", "DeltaPeak"},
                  {"tblDrinkProfile", "LifeSpan"}},
                 false);
    for (const char* table : {"tblCountryAliases", "tblRegionAliases", "tblAppellationAliases",
                              "tblLocations", "CalcDHI", "ReverseQuery"}) {
        EXPECT_FALSE(hasTable(path, QString::fromLatin1(table))) << table;
    }
    // The old CurrentQuery exists (update 10 redefines it) and gives every wine once.
    EXPECT_EQ(scalar(path, QStringLiteral("SELECT Count(*) FROM CurrentQuery")).toInt(),
              InstallationOptions::defaultWines);
}

TEST(OldMainSchema, WineColumnsKeepThePositionsTheWineRecordClassUses)
{
    const QString path =
        databasePath(installation(InstallationOptions::defaultWines), mainDatabaseFile);
    jet::Connection connection;
    connection.open(connectionString(path));
    const jet::ResultSet rows = connection.execute(QStringLiteral("SELECT * FROM tblWines"));
    ASSERT_EQ(rows.fieldCount(), 37);
    const QList<QPair<int, const char*>> positions{
        {0, "WineID"},           {1, "Vintage"},   {3, "QOH"},           {6, "WineLabelPointer"},
        {7, "DrinkFrom"},        {8, "DrinkTo"},   {14, "Value"},        {15, "Optimal"},
        {16, "BottleLocations"}, {17, "Variety1"}, {26, "VarietyPerc5"}, {27, "WineTypeID"},
        {32, "NoteID"},          {33, "oldWineID"}};
    for (const auto& [index, name] : positions) {
        EXPECT_EQ(rows.field(index).name, QString::fromLatin1(name)) << index;
    }
}

TEST(OldSettingsSchema, HoldsWhatTheSettingsUpdatesReadAndNothingTheyAdd)
{
    const QString path =
        databasePath(installation(InstallationOptions::defaultWines), settingsFile);
    expectFields(path,
                 {{"tblPreferences", "StorageCurrencyCode"},
                  {"tblPreferences", "DisplayCurrencyCode"},
                  {"tblPreferences", "LatestExchangeRates"},
                  {"tblPreferences", "LastWebLinksDownload"},
                  {"tblVersions", "news_local_version"},
                  {"tblQueryDefinitions", "Value"},
                  {"tblAuctionData", "Value"}},
                 true);
    expectFields(path,
                 {{"tblPreferences", "DoubleClickEdit"},
                  {"tblPreferences", "DefaultVintageDelta"},
                  {"tblPreferences", "NeverImportConflicts"},
                  {"tblPreferences", "SaveComboSize"},
                  {"tblPreferences", "TovrakOnExit"},
                  {"tblPreferences", "LastBarcodeUse"},
                  {"tblPreferences", "ReInitFieldsOnSave"},
                  {"tblPreferences", "BackupOnExit"},
                  {"tblPreferences", "DrinkMonthToJuly"},
                  {"tblWorkingTNs", "MasterID"},
                  {"tblWorkingTNs", "LastModif"},
                  {"tblQueryInfo", "Prompts"},
                  {"tblQueryDefinitions", "OpenParenthese"},
                  {"tblQueryDefinitions", "ValueType"},
                  {"tblVersions", "news_last_read"},
                  {"tblExchangeRates", "CurrencyTitle"}},
                 false);
    EXPECT_FALSE(hasTable(path, QStringLiteral("tblLayoutFilter")));
}

TEST(OldWebLinksSchema, HasNoOwnerDateOrDownloadStampYet)
{
    const QString path =
        databasePath(installation(InstallationOptions::defaultWines), webLinksFile);
    expectFields(path, {{"WebLinks", "ID"}, {"WebLinks", "MasterID"}, {"WebLinks", "SearchURL"}},
                 true);
    expectFields(
        path,
        {{"WebLinks", "UserID"}, {"WebLinks", "LastModif"}, {"tblDBVer", "LastWebLinksDownload"}},
        false);
}

} // namespace
} // namespace sample::test
