// The settings chain as the driver runs it: from version 3 to 18 in one call, on the sample's
// settings database and its satellites.

#include "common/Registry_Management.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "SettingsTestInstallation.h"
#include "updater/settingsdb/SettingsDatabaseUpdates.h"
#include "updater/UpdateChains.h"

#include <gtest/gtest.h>

QV_QT_TEST_APPLICATION();

namespace updater::testing {
namespace {

using jet::JetType;

TEST(SettingsChain, RegistersTheUpdateAfterEachVersionFrom3To17)
{
    UpdateChains chains;
    addSettingsDatabaseChain(chains);
    for (std::int16_t version = 3; version <= 17; ++version)
        EXPECT_NE(chains.firstUpdate(DatabaseKind::Settings, version), nullptr) << version;
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Settings, 2), nullptr);
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Settings, 18), nullptr);
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Main, 3), nullptr);
}

// One run of the whole chain, looked at from several sides.
class SettingsChainRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_install = std::make_unique<SettingsTestInstallation>();
        ASSERT_EQ(s_install->version(), 3);
        s_auctionRows = s_install->count(QStringLiteral("tblAuctionData"));
        ASSERT_GT(s_auctionRows, 0);
        UpdateChains chains;
        addSettingsDatabaseChain(chains);
        (*chains.firstUpdate(DatabaseKind::Settings, 3))(s_install->state());
    }
    static void TearDownTestSuite() { s_install.reset(); }

    SettingsTestInstallation& install = *s_install;
    const qint64 auctionRows = s_auctionRows;

private:
    static inline std::unique_ptr<SettingsTestInstallation> s_install;
    static inline qint64 s_auctionRows = 0;
};

TEST_F(SettingsChainRun, EndsAtVersion18WithoutError)
{
    EXPECT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 18);
}

TEST_F(SettingsChainRun, AddsThePreferenceColumnsWithTheirTypes)
{
    const auto preferences = install.schema(QStringLiteral("tblPreferences"));
    const std::pair<const char*, JetType> expected[] = {
        {"DoubleClickEdit", JetType::YesNo},        {"NeverAskSharing", JetType::YesNo},
        {"AutoApplyProfile", JetType::YesNo},       {"DefaultVintageDelta", JetType::Integer},
        {"NeverImportConflicts", JetType::YesNo},   {"AlwaysAcceptGeoChanges", JetType::YesNo},
        {"AlwaysRefuseGeoChanges", JetType::YesNo}, {"SetUnknownAppellation", JetType::YesNo},
        {"DoNotShowTipAtStartup", JetType::YesNo},  {"SaveComboSize", JetType::YesNo},
        {"TovrakOnExit", JetType::YesNo},           {"LastBarcodeUse", JetType::Text},
        {"ReInitFieldsOnSave", JetType::YesNo},     {"BackupOnExit", JetType::YesNo},
        {"DrinkMonthToJuly", JetType::YesNo}};
    for (const auto& [name, type] : expected) {
        const auto column = findColumn(preferences, QString::fromLatin1(name));
        ASSERT_TRUE(column) << name;
        EXPECT_EQ(column->type, type) << name;
    }
    const auto barcode = findColumn(preferences, QStringLiteral("LastBarcodeUse"));
    EXPECT_EQ(barcode->size, 8);
    EXPECT_TRUE(barcode->nullable);
    EXPECT_TRUE(barcode->allowZeroLength);
}

TEST_F(SettingsChainRun, AddsTheColumnsOfTheOtherTables)
{
    const auto notes = install.schema(QStringLiteral("tblWorkingTNs"));
    EXPECT_EQ(findColumn(notes, QStringLiteral("MasterID"))->type, JetType::Long);
    EXPECT_EQ(findColumn(notes, QStringLiteral("UserID"))->type, JetType::Long);
    EXPECT_EQ(findColumn(notes, QStringLiteral("LastModif"))->type, JetType::DateTime);

    const auto prompts =
        install.columnSchema(QStringLiteral("tblQueryInfo"), QStringLiteral("Prompts"));
    ASSERT_TRUE(prompts);
    EXPECT_EQ(prompts->type, JetType::Memo);
    EXPECT_TRUE(prompts->nullable);
    EXPECT_TRUE(prompts->allowZeroLength);

    const auto definitions = install.schema(QStringLiteral("tblQueryDefinitions"));
    for (const char* name : {"OpenParenthese", "CloseParenthese", "DateDeltaType", "ValueType"})
        EXPECT_EQ(findColumn(definitions, QString::fromLatin1(name))->type, JetType::Integer)
            << name;
    EXPECT_EQ(findColumn(definitions, QStringLiteral("Value"))->size, 255);
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT Count(*) FROM tblQueryDefinitions WHERE "
                                        "OpenParenthese <> 0 OR CloseParenthese <> 0 OR "
                                        "DateDeltaType <> 0 OR ValueType <> 0 OR "
                                        "ValueType Is Null"))
                  .toLong(),
              0);

    EXPECT_EQ(install.columnSchema(QStringLiteral("tblAuctionData"), QStringLiteral("Value"))->type,
              JetType::Long);
    EXPECT_EQ(
        install.columnSchema(QStringLiteral("tblVersions"), QStringLiteral("news_last_read"))->type,
        JetType::Integer);
    EXPECT_EQ(install.value(QStringLiteral("SELECT news_last_read FROM tblVersions")).toLong(), 7);

    const auto title =
        install.columnSchema(QStringLiteral("tblExchangeRates"), QStringLiteral("CurrencyTitle"));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->size, 255);
    EXPECT_TRUE(title->nullable);
    EXPECT_TRUE(title->allowZeroLength);
}

TEST_F(SettingsChainRun, CreatesTheLayoutFilterTableWithItsKey)
{
    const auto table = install.schema(QStringLiteral("tblLayoutFilter"));
    ASSERT_TRUE(table);
    const auto layout = findColumn(table, QStringLiteral("LayoutName"));
    EXPECT_EQ(layout->type, JetType::Text);
    EXPECT_EQ(layout->size, 30);
    EXPECT_FALSE(layout->nullable);
    EXPECT_FALSE(layout->allowZeroLength);
    EXPECT_FALSE(findColumn(table, QStringLiteral("ColumnIndex"))->nullable);
    EXPECT_EQ(findColumn(table, QStringLiteral("FilterText"))->size, 255);
    const jet::IndexSchema* key = table->primaryIndex();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->name, QStringLiteral("PrimaryKey"));
    ASSERT_EQ(key->columns.size(), 2);
    EXPECT_EQ(key->columns.at(0).name, QStringLiteral("LayoutName"));
    EXPECT_EQ(key->columns.at(1).name, QStringLiteral("ColumnIndex"));
}

TEST_F(SettingsChainRun, WritesThePreferenceValuesAndTheRegistry)
{
    EXPECT_EQ(
        install.value(QStringLiteral("SELECT DefaultVintageDelta FROM tblPreferences")).toLong(),
        1);
    EXPECT_FALSE(
        install.value(QStringLiteral("SELECT DoubleClickEdit FROM tblPreferences")).toBoolean());
    EXPECT_EQ(install.value(QStringLiteral("SELECT LastBarcodeUse FROM tblPreferences")).toString(),
              QStringLiteral("0"));
    EXPECT_EQ(
        install.value(QStringLiteral("SELECT StorageCurrencyCode FROM tblPreferences")).toString(),
        QStringLiteral("USD"));
    EXPECT_EQ(
        install.value(QStringLiteral("SELECT DisplayCurrencyCode FROM tblPreferences")).toString(),
        QStringLiteral("EUR"));
    EXPECT_EQ(
        install.value(QStringLiteral("SELECT LatestExchangeRates FROM tblPreferences")).toString(),
        QStringLiteral("Rates as of September 25, 2003"));
    EXPECT_EQ(Registry_Management::GetProductSetting(
                  reg::HKEY_CURRENT_USER, QStringLiteral("LastSelections"),
                  QStringLiteral("QueryID"), QStringLiteral("-")),
              QStringLiteral("0"));
}

TEST_F(SettingsChainRun, AddsTheMarkedWinesQueryAndTheColumnCaptions)
{
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT QID FROM tblQueryInfo WHERE Description = "
                                        "'** Marked Wines **' AND [SQL] = 'Where "
                                        "tblWines.PreSelect = True' AND Locked = True"))
                  .toLong(),
              9);
    const QList<vb::Variant> captions =
        install.column(QStringLiteral("SELECT Caption FROM tblColumnHeaders"));
    ASSERT_EQ(captions.size(), 35);
    EXPECT_EQ(captions.at(10).toString(), QStringLiteral("Hold U."));
    EXPECT_EQ(captions.at(11).toString(), QStringLiteral("Best U."));
    EXPECT_EQ(captions.at(18).toString(), QStringLiteral("Drink/Hold U."));
    EXPECT_EQ(captions.at(24).toString(), QStringLiteral("M"));
    EXPECT_EQ(captions.at(34).toString(), QStringLiteral("Modified"));
}

TEST_F(SettingsChainRun, ReloadsTheRatesAndMovesTheAuctionData)
{
    EXPECT_EQ(install.count(QStringLiteral("tblExchangeRates")), 18);
    EXPECT_DOUBLE_EQ(install
                         .value(QStringLiteral("SELECT USExchangeRate FROM tblExchangeRates "
                                               "WHERE CurrencyCode = 'EUR'"))
                         .toDouble(),
                     0.8914);
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT CurrencyTitle FROM tblExchangeRates WHERE "
                                        "CurrencyCode = 'JPY'"))
                  .toString(),
              QStringLiteral("Japanese Yen"));

    EXPECT_EQ(install.count(QStringLiteral("tblAuctionData")), 0);
    EXPECT_EQ(install
                  .valueIn(QStringLiteral("Auctions.dat"),
                           QStringLiteral("SELECT Count(*) FROM tblAuctionData"))
                  .toLong(),
              auctionRows);
}

TEST_F(SettingsChainRun, LeavesPrintLabelColumnsAndRowsAs16BitIntegers)
{
    const auto labels =
        install.schemaIn(QStringLiteral("printlabels.dat"), QStringLiteral("PrintLabels"));
    EXPECT_EQ(findColumn(labels, QStringLiteral("Columns"))->type, JetType::Integer);
    EXPECT_EQ(findColumn(labels, QStringLiteral("Rows"))->type, JetType::Integer);
    EXPECT_EQ(install
                  .valueIn(QStringLiteral("printlabels.dat"),
                           QStringLiteral("SELECT Sum([Columns] * [Rows]) FROM PrintLabels"))
                  .toLong(),
              8 + 21 + 10 + 30 + 48 + 8);
}

TEST_F(SettingsChainRun, ShowsEveryUpdateOnTheProgressLine)
{
    const QStringList& lines = install.progressLines();
    for (int update = 4; update <= 18; ++update)
        EXPECT_TRUE(
            lines.contains(QStringLiteral("Settings Database Update %1 step 1 of ").arg(update),
                           Qt::CaseSensitive) ||
            std::any_of(
                lines.begin(), lines.end(),
                [&](const QString& line) {
                    return line.startsWith(
                        QStringLiteral("Settings Database Update %1 step 1 of ").arg(update));
                }))
            << update;
    EXPECT_TRUE(lines.contains(QStringLiteral("Settings Database Update 4 step 5 of 5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Settings Database Update 15 step 14 of 14")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Moving auction data - this may take several minutes step 2 of 2")));
}

} // namespace
} // namespace updater::testing
