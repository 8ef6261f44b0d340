// Update 15: the marked-wines query, the captions of the grid's columns and the currency codes.
// The chain is stopped after update 15 by taking rates.dat away, so update 16 fails.

#include "SettingsTestRun.h"

#include <gtest/gtest.h>

namespace updater::testing {
namespace {

class QueryDefinitionsUpdate : public ::testing::Test
{
protected:
    void runUpTo15()
    {
        install.removeFile(QStringLiteral("rates.dat"));
        runSettingsChain(install);
    }

    void expectStoppedAfter15()
    {
        EXPECT_EQ(install.version(), 15);
        EXPECT_TRUE(install.state().errorText.contains(QStringLiteral("rates.dat")))
            << install.state().errorText.toStdString();
    }

    QString preference(const char* field)
    {
        const vb::Variant value = install.value(
            QStringLiteral("SELECT %1 FROM tblPreferences").arg(QLatin1String(field)));
        return value.isNull() ? QStringLiteral("<Null>") : value.toString();
    }

    void setCurrencies(const QString& storage, const QString& display)
    {
        const auto literal = [](const QString& text) {
            return text.isNull() ? QStringLiteral("Null") : "'" + text + "'";
        };
        install.execute(QStringLiteral("UPDATE tblPreferences SET StorageCurrencyCode = %1, "
                                       "DisplayCurrencyCode = %2")
                            .arg(literal(storage), literal(display)));
    }

    SettingsTestInstallation install;
};

TEST_F(QueryDefinitionsUpdate, MarkedWinesQueryIsAddedOnlyWhenMissing)
{
    install.execute(QStringLiteral("INSERT INTO tblQueryInfo (QID, Description, [SQL], Locked) "
                                   "VALUES (40, '** Marked Wines **', 'Where x', False)"));
    runUpTo15();
    expectStoppedAfter15();
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT Count(*) FROM tblQueryInfo WHERE Description "
                                        "= '** Marked Wines **'"))
                  .toLong(),
              1);
    EXPECT_EQ(install.value(QStringLiteral("SELECT Max(QID) FROM tblQueryInfo")).toLong(), 40);
}

TEST_F(QueryDefinitionsUpdate, MarkedWinesQueryTakesTheLastRowsNumberPlusOne)
{
    // The last row in table order, not the highest number.
    install.execute(
        QStringLiteral("INSERT INTO tblQueryInfo (QID, Description) VALUES (5000, 'High')"));
    install.execute(
        QStringLiteral("INSERT INTO tblQueryInfo (QID, Description) VALUES (30, 'Last')"));
    runUpTo15();
    expectStoppedAfter15();
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT QID FROM tblQueryInfo WHERE Description = "
                                        "'** Marked Wines **'"))
                  .toLong(),
              31);
}

TEST_F(QueryDefinitionsUpdate, EmptyQueryInfoFailsAtVersion14)
{
    install.execute(QStringLiteral("DELETE * FROM tblQueryInfo"));
    runSettingsChain(install);
    EXPECT_TRUE(install.state().hasError());
    EXPECT_TRUE(install.state().errorText.contains(QStringLiteral("tblQueryInfo")))
        << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 14);
    EXPECT_EQ(install.count(QStringLiteral("tblQueryInfo")), 0);
}

TEST_F(QueryDefinitionsUpdate, OnlyTheDeliveredCaptionsAreRenamedAndNewRowsAlwaysAdded)
{
    install.execute(
        QStringLiteral("UPDATE tblColumnHeaders SET Caption = 'Drink from' WHERE ColumnID = 11"));
    install.execute(
        QStringLiteral("UPDATE tblColumnHeaders SET Caption = 'to' WHERE ColumnID = 12"));
    install.execute(
        QStringLiteral("INSERT INTO tblColumnHeaders (ColumnID, Caption) VALUES (25, 'Mine')"));
    runUpTo15();
    expectStoppedAfter15();
    const auto caption = [&](int id) {
        return install
            .value(
                QStringLiteral("SELECT Caption FROM tblColumnHeaders WHERE ColumnID = %1").arg(id))
            .toString();
    };
    EXPECT_EQ(caption(11), QStringLiteral("Drink from"));
    EXPECT_EQ(caption(12), QStringLiteral("to"));
    EXPECT_EQ(caption(19), QStringLiteral("Drink/Hold U."));
    EXPECT_EQ(
        install.column(QStringLiteral("SELECT Caption FROM tblColumnHeaders WHERE ColumnID = 25")),
        (QList<vb::Variant>{vb::Variant("Mine"), vb::Variant("M")}));
    EXPECT_EQ(install.count(QStringLiteral("tblColumnHeaders")), 24 + 1 + 11);
}

struct CurrencyCase
{
    const char* storage; // nullptr: Null
    const char* display;
    const char* storageAfter;
    const char* displayAfter;
    bool ratesCaptionSet;
};

class CurrencyCodes : public QueryDefinitionsUpdate,
                      public ::testing::WithParamInterface<CurrencyCase>
{
};

TEST_P(CurrencyCodes, AreCutToThreeLettersEachOnItsOwn)
{
    const CurrencyCase& c = GetParam();
    setCurrencies(c.storage ? QString::fromLatin1(c.storage) : QString(),
                  QString::fromLatin1(c.display));
    runUpTo15();
    expectStoppedAfter15();
    EXPECT_EQ(preference("StorageCurrencyCode"), QString::fromLatin1(c.storageAfter));
    EXPECT_EQ(preference("DisplayCurrencyCode"), QString::fromLatin1(c.displayAfter));
    EXPECT_EQ(preference("LatestExchangeRates"),
              c.ratesCaptionSet ? QStringLiteral("Rates as of September 25, 2003")
                                : QStringLiteral("Rates as of March 3, 2002"));
}

INSTANTIATE_TEST_SUITE_P(
    Update15, CurrencyCodes,
    ::testing::Values(CurrencyCase{"USD", "EUR - Euro", "USD", "EUR", false},
                      CurrencyCase{nullptr, "GBP - British Pound", "<Null>", "GBP", false},
                      CurrencyCase{"CHF - Swiss Franc", "EU", "CHF", "EU", true},
                      CurrencyCase{"USD - United States Dollar", "JPY", "USD", "JPY", true}));

} // namespace
} // namespace updater::testing
