// Update 16: tblExchangeRates reloaded from rates.dat inside one transaction. The old rows are
// those of the sample ("USD - United States Dollar" ...), the file's are three-letter codes.

#include "common/DatabaseConnection.h"
#include "SettingsTestRun.h"

#include <gtest/gtest.h>

namespace updater::testing {
namespace {

class ExchangeRatesUpdate : public ::testing::Test
{
protected:
    void SetUp() override { oldRows = install.count(QStringLiteral("tblExchangeRates")); }

    double rate(const char* code)
    {
        return install
            .value(QStringLiteral("SELECT USExchangeRate FROM tblExchangeRates WHERE "
                                  "CurrencyCode = '%1'")
                       .arg(QLatin1String(code)))
            .toDouble();
    }

    // The update failed at 16 and the table holds the old rows, as another connection sees it
    // too.
    void expectOldRatesKept()
    {
        EXPECT_TRUE(install.state().hasError());
        EXPECT_EQ(install.version(), 15);
        EXPECT_EQ(install.settings().transactionLevel(), 0);
        EXPECT_EQ(install.count(QStringLiteral("tblExchangeRates")), oldRows);
        EXPECT_EQ(install
                      .valueIn(QStringLiteral("settings.dat"),
                               QStringLiteral("SELECT Count(*) FROM tblExchangeRates WHERE "
                                              "CurrencyCode = 'EUR - Euro'"))
                      .toLong(),
                  1);
        EXPECT_EQ(install
                      .valueIn(QStringLiteral("settings.dat"),
                               QStringLiteral("SELECT Count(*) FROM tblExchangeRates"))
                      .toLong(),
                  oldRows);
    }

    void expectErrorNames(const QString& what)
    {
        EXPECT_TRUE(install.state().errorText.contains(what))
            << install.state().errorText.toStdString();
    }

    SettingsTestInstallation install;
    qint64 oldRows = 0;
};

TEST_F(ExchangeRatesUpdate, ReadsQuotedAndPlainFieldsAndConvertsRatesWithAFullStop)
{
    install.writeRates("\"EUR\",\"Euro, the\",0.8914\r\n"
                       "  GBP ,  British Pound , 0.6199abc\n"
                       "\n"
                       "\"XAU\",\"\",\n"
                       "\"XXX\",\"No rate\",\"n/a\"\r\n");
    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.count(QStringLiteral("tblExchangeRates")), 4);
    EXPECT_DOUBLE_EQ(rate("EUR"), 0.8914);
    EXPECT_DOUBLE_EQ(rate("GBP"), 0.6199);
    EXPECT_DOUBLE_EQ(rate("XAU"), 0.0);
    EXPECT_DOUBLE_EQ(rate("XXX"), 0.0);
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT CurrencyTitle FROM tblExchangeRates WHERE "
                                        "CurrencyCode = 'EUR'"))
                  .toString(),
              QStringLiteral("Euro, the"));
    EXPECT_EQ(install
                  .value(QStringLiteral("SELECT CurrencyTitle FROM tblExchangeRates WHERE "
                                        "CurrencyCode = 'GBP'"))
                  .toString(),
              QStringLiteral("British Pound"));
}

TEST_F(ExchangeRatesUpdate, EmptyFileLeavesTheTableEmpty)
{
    install.writeRates(QByteArray());
    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 18);
    EXPECT_EQ(install.count(QStringLiteral("tblExchangeRates")), 0);
}

TEST_F(ExchangeRatesUpdate, MissingFileFailsAndKeepsTheOldRates)
{
    install.removeFile(QStringLiteral("rates.dat"));
    runSettingsChain(install);
    expectOldRatesKept();
    expectErrorNames(QStringLiteral("rates.dat"));
}

// Bytes of a literal, embedded zeros included.
template <std::size_t N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, static_cast<qsizetype>(N - 1));
}

struct MalformedRates
{
    const char* name;
    QByteArray content;
};

class MalformedRatesFile : public ExchangeRatesUpdate,
                           public ::testing::WithParamInterface<MalformedRates>
{
};

TEST_P(MalformedRatesFile, FailsInsideTheTransactionNamingFileAndRecord)
{
    install.writeRates(GetParam().content);
    runSettingsChain(install);
    expectOldRatesKept();
    expectErrorNames(QStringLiteral("rates.dat"));
    expectErrorNames(QStringLiteral("record 2"));
}

INSTANTIATE_TEST_SUITE_P(
    Update16, MalformedRatesFile,
    ::testing::Values(
        MalformedRates{"UnterminatedQuote", "\"USD\",\"Dollar\",1\r\n\"EUR\",\"Euro,0.89\r\n"},
        MalformedRates{"FewerFields", "\"USD\",\"Dollar\",1\r\n\"EUR\",0.89\r\n"},
        MalformedRates{"BinaryGarbage", bytes("\"USD\",\"Dollar\",1\r\n\x7f"
                                              "ELF\x02\x01\x01\x00\x00,\x00\x03\x00>\x00\r\n")},
        MalformedRates{"NotUtf8", "USD,Dollar,1\nEUR,\xff\xfe,0.9\n"},
        MalformedRates{"RateOutOfRange", "USD,Dollar,1\nEUR,Euro,1e999\n"}),
    [](const ::testing::TestParamInfo<MalformedRates>& info) { return info.param.name; });

TEST_F(ExchangeRatesUpdate, RowTheTableRefusesRollsBackTheWholeReload)
{
    // The third record's code is longer than CurrencyCode's 50 characters: the deletion and the
    // two rows before it were already made inside the transaction.
    install.writeRates("USD,Dollar,1\r\nEUR,Euro,0.89\r\n" + QByteArray(60, 'X') +
                       ",Too long,1\r\n");
    runSettingsChain(install);
    expectOldRatesKept();
    expectErrorNames(QStringLiteral("Record 3"));
}

} // namespace
} // namespace updater::testing
