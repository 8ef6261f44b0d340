// Truncated, corrupted and hand-crafted hostile files: the readers must answer nullopt or a
// valid result, never read outside the data and never loop without end. Each input is copied
// into a buffer of exactly its size so that the sanitizer build catches any overrun.

#include "BinaryImages.h"
#include "QStringPrinter.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <random>

using testimages::versionBlock;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void readExactCopy(QByteArrayView data)
{
    const auto copy = std::make_unique<char[]>(static_cast<size_t>(data.size()) + 1);
    std::copy(data.begin(), data.end(), copy.get());
    const auto info = verinfo::readBytes(QByteArrayView(copy.get(), data.size()));
    if (info)
        (void)info->value("CompanyName");
}

void put(QByteArray& data, qsizetype offset, uint32_t value, int width = 4)
{
    for (int b = 0; b < width; ++b)
        data[offset + b] = static_cast<char>(value >> (8 * b));
}

const QStringList kSamples = {QStringLiteral(VERSIONINFO_DATA_DIR "/sample64.dll"),
                              QStringLiteral(VERSIONINFO_DATA_DIR "/sample32.exe"),
                              QStringLiteral(VERSIONINFO_SAMPLE_LIBRARY)};

// File offsets in testimages::peImage.
constexpr qsizetype kRsrc = 0x200, kNames = kRsrc + 24, kLanguages = kRsrc + 48;
constexpr qsizetype kDataEntry = kRsrc + 72, kVersion = kRsrc + 88;

QByteArray peWithStrings(const QByteArray& tables)
{
    return testimages::peImage(
        versionBlock("VS_VERSION_INFO", {}, 0, versionBlock("StringFileInfo", {}, 1, tables)));
}

} // namespace

TEST(HostileInput, EveryPrefixAndEveryFlippedByteOfRealFilesIsSafe)
{
    for (const QString& path : kSamples) {
        SCOPED_TRACE(path.toStdString());
        QByteArray data = contents(path);
        ASSERT_TRUE(verinfo::readBytes(data).has_value());
        for (qsizetype length = 0; length < data.size(); ++length)
            readExactCopy(QByteArrayView(data).first(length));
        for (qsizetype i = 0; i < data.size(); ++i) {
            data[i] = static_cast<char>(data[i] ^ 0xFF);
            readExactCopy(data);
            data[i] = static_cast<char>(data[i] ^ 0xFF);
        }
    }
}

TEST(HostileInput, RandomCorruptionIsSafe)
{
    std::mt19937 random(20261208); // fixed start: the same inputs on every run
    for (const QString& path : kSamples) {
        const QByteArray original = contents(path);
        std::uniform_int_distribution<qsizetype> position(0, original.size() - 1);
        for (int round = 0; round < 2000; ++round) {
            QByteArray data = original;
            for (int n = 0; n < 8; ++n)
                data[position(random)] = static_cast<char>(random());
            readExactCopy(data);
        }
    }
}

TEST(HostileInput, ResourceTreeCyclesHugeCountsAndBadAddressesEnd)
{
    const QByteArray good = peWithStrings({});
    ASSERT_TRUE(verinfo::readBytes(good).has_value());
    const auto patched = [&](qsizetype offset, uint32_t value, int width = 4) {
        QByteArray bad = good;
        put(bad, offset, value, width);
        return verinfo::readBytes(bad);
    };
    EXPECT_FALSE(patched(kNames + 20, 0x80000000u)) << "names point back at the root";
    EXPECT_FALSE(patched(kLanguages + 20, 0x80000030u)) << "languages point at themselves";
    QByteArray huge = good; // 131070 entries claimed, none of them RT_VERSION
    put(huge, kRsrc + 12, 0xFFFFFFFF);
    put(huge, kRsrc + 16, 17);
    EXPECT_FALSE(verinfo::readBytes(huge));
    EXPECT_FALSE(patched(kDataEntry + 4, 0x7FFFFFFF)) << "data longer than its section";
    EXPECT_FALSE(patched(kDataEntry, 0xFFFFFFF0)) << "data at an RVA of no section";
    EXPECT_FALSE(patched(0x3C, 0xFFFFFFFF)) << "PE header beyond the end";
    EXPECT_FALSE(patched(0x86, 0xFFFF, 2)) << "more sections than the file holds";
    EXPECT_FALSE(patched(kVersion, 0, 2)) << "root block of length 0";
}

TEST(HostileInput, MalformedVersionBlocksAreClampedToTheirParent)
{
    // A string whose value has no NUL and whose length overstates the data.
    QByteArray string = versionBlock("CompanyName", QByteArray("Q\0u\0i\0", 6), 1);
    put(string, 0, 0x7FFF, 2);
    auto info = verinfo::readBytes(peWithStrings(versionBlock("040904B0", {}, 1, string)));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->value("CompanyName").startsWith("Qui"));

    // A child of length 0 ends the children instead of looping on the spot.
    info = verinfo::readBytes(peWithStrings(versionBlock("0409", {}, 1, QByteArray(16, '\0'))));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->stringTables.at(0).strings.empty());
    EXPECT_EQ(info->stringTables.at(0).translation, verinfo::Translation{}) << "key not 8 digits";

    // A translation value of 6 bytes holds one whole entry; a bad fixed block is ignored.
    const QByteArray var =
        versionBlock("Translation", QByteArray("\x09\x04\xB0\x04\x07\x04", 6), 0);
    info = verinfo::readBytes(testimages::peImage(versionBlock(
        "VS_VERSION_INFO", QByteArray(52, '\x11'), 0, versionBlock("VarFileInfo", {}, 1, var))));
    ASSERT_TRUE(info.has_value());
    ASSERT_EQ(info->translations.size(), 1u);
    EXPECT_EQ(info->translations[0], (verinfo::Translation{0x0409, 0x04B0}));
    EXPECT_EQ(info->fixed.fileVersionMS, 0u);
}

TEST(HostileInput, ElfNotesWithImpossibleSizesEnd)
{
    const QByteArray good = testimages::elfImage({.notes = {{"FDO", 0xcafe1a7e, "{}"}}});
    ASSERT_TRUE(verinfo::readBytes(good).has_value());
    const qsizetype note = good.indexOf(QByteArray("FDO\0", 4)) - 12;
    for (const qsizetype field : {note, note + 4}) {
        QByteArray bad = good;
        put(bad, field, 0xFFFFFFFC);
        EXPECT_FALSE(verinfo::readBytes(bad));
    }
    QByteArray damaged = good; // the note section's offset points nowhere: the segment serves
    put(damaged, good.size() - 64 + 24, 0xFFFFFF00);
    EXPECT_TRUE(verinfo::readBytes(damaged).has_value());
}

TEST(HostileInput, FuzzCorpusReplays)
{
    const QDir corpus(QStringLiteral(VERSIONINFO_CORPUS_DIR));
    const QStringList files = corpus.entryList(QDir::Files);
    EXPECT_FALSE(files.isEmpty()) << "no fuzz corpus in " << corpus.path().toStdString();
    for (const QString& name : files)
        readExactCopy(contents(corpus.filePath(name)));
}
