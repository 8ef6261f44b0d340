// The updates that add columns and tables: what they leave alone, which rows get values, the
// label formats' field types, and tblLayoutFilter's key.

#include "SettingsTestRun.h"

#include <gtest/gtest.h>

namespace updater::testing {
namespace {

using jet::JetType;

class ColumnUpdates : public ::testing::Test
{
protected:
    SettingsTestInstallation install;
};

TEST_F(ColumnUpdates, ExistingColumnsKeepTheirTypeAndPropertiesAndTheChainGoesOn)
{
    // A partly updated copy: three of the columns exist already, in their own way.
    install.execute(QStringLiteral("ALTER TABLE tblQueryInfo ADD COLUMN Prompts TEXT(40)"));
    install.execute(
        QStringLiteral("ALTER TABLE tblPreferences ADD COLUMN LastBarcodeUse TEXT(20)"));
    install.execute(
        QStringLiteral("ALTER TABLE tblPreferences ADD COLUMN DefaultVintageDelta LONG"));
    const auto before =
        install.columnSchema(QStringLiteral("tblPreferences"), QStringLiteral("LastBarcodeUse"));
    ASSERT_TRUE(before);

    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 18);

    const auto prompts =
        install.columnSchema(QStringLiteral("tblQueryInfo"), QStringLiteral("Prompts"));
    EXPECT_EQ(prompts->type, JetType::Text);
    EXPECT_EQ(prompts->size, 40);
    const auto barcode =
        install.columnSchema(QStringLiteral("tblPreferences"), QStringLiteral("LastBarcodeUse"));
    EXPECT_EQ(barcode->size, 20);
    EXPECT_EQ(barcode->nullable, before->nullable);
    EXPECT_EQ(barcode->allowZeroLength, before->allowZeroLength);
    EXPECT_EQ(
        install
            .columnSchema(QStringLiteral("tblPreferences"), QStringLiteral("DefaultVintageDelta"))
            ->type,
        JetType::Long);
    EXPECT_EQ(
        install.value(QStringLiteral("SELECT DefaultVintageDelta FROM tblPreferences")).toLong(),
        1);
}

TEST_F(ColumnUpdates, PreferenceValuesGoIntoTheFirstRowOnly)
{
    install.execute(QStringLiteral("INSERT INTO tblPreferences (UserName, StorageCurrencyCode) "
                                   "VALUES ('Second', 'CHF - Swiss Franc')"));
    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();

    const QList<vb::Variant> delta = install.column(
        QStringLiteral("SELECT DefaultVintageDelta FROM tblPreferences ORDER BY PreferenceID"));
    ASSERT_EQ(delta.size(), 2);
    EXPECT_EQ(delta.at(0).toLong(), 1);
    EXPECT_TRUE(delta.at(1).isNull());
    const QList<vb::Variant> barcode = install.column(
        QStringLiteral("SELECT LastBarcodeUse FROM tblPreferences ORDER BY PreferenceID"));
    EXPECT_EQ(barcode.at(0).toString(), QStringLiteral("0"));
    EXPECT_TRUE(barcode.at(1).isNull());
    const QList<vb::Variant> storage = install.column(
        QStringLiteral("SELECT StorageCurrencyCode FROM tblPreferences ORDER BY PreferenceID"));
    EXPECT_EQ(storage.at(1).toString(), QStringLiteral("CHF - Swiss Franc"));
}

TEST_F(ColumnUpdates, PreferencesWithoutTheirRowFailUpdate4NamingTheTable)
{
    install.execute(QStringLiteral("DELETE * FROM tblPreferences"));
    runSettingsChain(install);
    EXPECT_TRUE(install.state().hasError());
    EXPECT_TRUE(install.state().errorText.contains(QStringLiteral("tblPreferences")))
        << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 3);
}

TEST_F(ColumnUpdates, MissingPrintLabelsFailsUpdate12AndNamesTheFile)
{
    install.removeFile(QStringLiteral("printlabels.dat"));
    runSettingsChain(install);
    EXPECT_TRUE(install.state().hasError());
    EXPECT_TRUE(install.state().errorText.contains(QStringLiteral("printlabels.dat")))
        << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 11);
}

TEST_F(ColumnUpdates, LayoutFilterWithItsKeyAlreadyTakesTheErrorPath)
{
    install.execute(QStringLiteral(
        "CREATE TABLE tblLayoutFilter (LayoutName TEXT(30) NOT NULL, ColumnIndex SHORT NOT NULL, "
        "FilterText TEXT(255) NOT NULL, CONSTRAINT PrimaryKey PRIMARY KEY (LayoutName, "
        "ColumnIndex))"));
    runSettingsChain(install);
    EXPECT_TRUE(install.state().hasError());
    EXPECT_EQ(install.state().errorSource.isEmpty(), false);
    EXPECT_EQ(install.version(), 13);
}

TEST_F(ColumnUpdates, PartlyMadeLayoutFilterIsCompletedWithItsKey)
{
    install.execute(QStringLiteral("CREATE TABLE tblLayoutFilter (LayoutName TEXT(50) NOT NULL)"));
    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    const auto table = install.schema(QStringLiteral("tblLayoutFilter"));
    EXPECT_EQ(findColumn(table, QStringLiteral("LayoutName"))->size, 50);
    ASSERT_TRUE(findColumn(table, QStringLiteral("FilterText")));
    ASSERT_NE(table->primaryIndex(), nullptr);
    EXPECT_EQ(table->primaryIndex()->columns.size(), 2);
}

} // namespace
} // namespace updater::testing
