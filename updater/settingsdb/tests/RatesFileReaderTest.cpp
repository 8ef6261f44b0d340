// The rates.dat reader on its own: records as the platform's sequential input reads them, the
// locale-independent rate, and refusals that name the file and the record.

#include "updater/settingsdb/RatesFileReader.h"

#include "updater/settingsdb/fuzz/FuzzOneInput.h"
#include "vb/Error.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

namespace updater {
namespace {

QList<ExchangeRateRecord> readAll(QByteArray content)
{
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    RatesFileReader reader(buffer, QStringLiteral("rates.dat"));
    QList<ExchangeRateRecord> records;
    while (!reader.atEnd())
        records.append(reader.readRecord());
    return records;
}

// The error reading `content` raises.
vb::Error readError(const QByteArray& content)
{
    try {
        readAll(content);
    } catch (const vb::Error& error) {
        return error;
    }
    return vb::Error(0, QStringLiteral("no error"));
}

TEST(RatesFileReader, ReadsQuotedAndPlainFieldsOfEveryLineEnding)
{
    const QList<ExchangeRateRecord> records =
        readAll("\xEF\xBB\xBF\"USD\",\"United States Dollar\",1\r\n"
                "\r\n"
                "  EUR\t, Euro , 0.8914 \n"
                "\" GBP \",\"Pound, British\",\"0.6199\"\n"
                "   \n"
                "JPY,,111.62");
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0].currencyCode, QStringLiteral("USD"));
    EXPECT_EQ(records[0].currencyTitle, QStringLiteral("United States Dollar"));
    EXPECT_DOUBLE_EQ(records[0].rate, 1.0);
    EXPECT_EQ(records[1].currencyCode, QStringLiteral("EUR"));
    EXPECT_EQ(records[1].currencyTitle, QStringLiteral("Euro"));
    EXPECT_DOUBLE_EQ(records[1].rate, 0.8914);
    // Blanks inside quotes are part of the field, and so are commas.
    EXPECT_EQ(records[2].currencyCode, QStringLiteral(" GBP "));
    EXPECT_EQ(records[2].currencyTitle, QStringLiteral("Pound, British"));
    EXPECT_DOUBLE_EQ(records[2].rate, 0.6199);
    EXPECT_EQ(records[3].currencyTitle, QString());
    EXPECT_DOUBLE_EQ(records[3].rate, 111.62);
}

TEST(RatesFileReader, EmptyOrBlankFileHoldsNoRecord)
{
    EXPECT_TRUE(readAll(QByteArray()).isEmpty());
    EXPECT_TRUE(readAll("\r\n\n  \t\r\n").isEmpty());
}

TEST(RatesFileReader, ReadingPastTheLastRecordRaises62)
{
    QByteArray content("USD,Dollar,1\n");
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    RatesFileReader reader(buffer, QStringLiteral("rates.dat"));
    reader.readRecord();
    EXPECT_TRUE(reader.atEnd());
    try {
        reader.readRecord();
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::InputPastEndOfFile);
    }
}

TEST(RatesFileReader, RateIsTheLeadingNumberWithAFullStopWhateverTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::pair<const char*, double> cases[] = {
        {"0.8914", 0.8914}, {"", 0.0},        {"n/a", 0.0},        {"1.5 per unit", 1.5},
        {"-2.25", -2.25},   {"\"1,5\"", 1.0}, {"1 000.5", 1000.5}, {"1e3", 1000.0},
        {"&H10", 16.0},     {".5.5", 0.5},
    };
    for (const auto& [text, expected] : cases) {
        const QList<ExchangeRateRecord> records = readAll(QByteArray("XXX,Test,") + text + "\n");
        ASSERT_EQ(records.size(), 1) << text;
        EXPECT_DOUBLE_EQ(records[0].rate, expected) << text;
    }
    QLocale::setDefault(previous);
}

struct Refusal
{
    const char* name;
    QByteArray content;
    const char* where; // "record N (line L)"
};

class RatesFileRefusal : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(RatesFileRefusal, NamesTheFileAndTheRecord)
{
    const vb::Error error = readError(GetParam().content);
    EXPECT_EQ(error.number(), 321) << error.description().toStdString();
    EXPECT_TRUE(error.description().contains(QStringLiteral("'rates.dat'")))
        << error.description().toStdString();
    EXPECT_TRUE(error.description().contains(QLatin1String(GetParam().where)))
        << error.description().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, RatesFileRefusal,
    ::testing::Values(
        Refusal{"UnterminatedQuote", "USD,Dollar,1\n\"EUR,Euro,1\n", "record 2 (line 2)"},
        Refusal{"QuoteClosedOnTheNextLine", "\"USD\",\"Dollar\n\",1\n", "record 1 (line 1)"},
        Refusal{"TextAfterClosingQuote", "\"USD\"x,Dollar,1\n", "record 1 (line 1)"},
        Refusal{"TwoFields", "USD,Dollar,1\n\nEUR,0.89\n", "record 2 (line 3)"},
        Refusal{"OneField", "USD\n", "record 1 (line 1)"},
        Refusal{"FourFields", "USD,Dollar,1,extra\n", "record 1 (line 1)"},
        Refusal{"ControlCharacters", QByteArray("USD,Dollar,1\nEUR\x01,Euro,1\n"),
                "record 2 (line 2)"},
        Refusal{"EmbeddedZero", QByteArray("USD,Dol\0lar,1\n", 14), "record 1 (line 1)"},
        Refusal{"BareCarriageReturn", "USD,Dollar,1\rEUR,Euro,2\n", "record 1 (line 1)"},
        Refusal{"InvalidUtf8", "USD,Dollar,1\nEUR,\xC3\x28,1\n", "record 2 (line 2)"},
        Refusal{"RateTooLarge", "USD,Dollar,1e400\n", "record 1 (line 1)"},
        Refusal{"OverlongLine",
                "USD,Dollar,1\n" + QByteArray(RatesFileReader::maximumLineLength + 10, 'A'),
                "record 2 (line 2)"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

TEST(RatesFileReader, MissingFileRaisesFileNotFoundWithItsPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rates.dat"));
    try {
        RatesFileReader reader(path);
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), vb::ErrorNumber::FileNotFound);
        EXPECT_TRUE(error.description().contains(QDir::toNativeSeparators(path)));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("rates.dat")));
    EXPECT_THROW(RatesFileReader{path}, vb::Error);
}

TEST(RatesFileReader, FuzzCorpusReplays)
{
    const QDir corpus(QStringLiteral(RATES_CORPUS_DIR));
    const QFileInfoList files = corpus.entryInfoList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "no corpus at " << corpus.path().toStdString();
    for (const QFileInfo& file : files) {
        QFile input(file.absoluteFilePath());
        ASSERT_TRUE(input.open(QIODevice::ReadOnly));
        const QByteArray data = input.read(1 << 20);
        fuzzRatesFile(reinterpret_cast<const std::uint8_t*>(data.constData()),
                      static_cast<std::size_t>(data.size()));
    }
}

} // namespace
} // namespace updater
