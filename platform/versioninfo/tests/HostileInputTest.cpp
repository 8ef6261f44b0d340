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

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Reads an exact-size copy; a result must at least be self-consistent.
bool readsSafely(QByteArrayView data)
{
    const auto copy =
        std::make_unique<char[]>(static_cast<size_t>(std::max<qsizetype>(1, data.size())));
    std::copy(data.begin(), data.end(), copy.get());
    const auto info = verinfo::readBytes(QByteArrayView(copy.get(), data.size()));
    return !info || info->value("CompanyName").size() < data.size();
}

void put32(QByteArray& data, qsizetype offset, uint32_t value)
{
    for (int b = 0; b < 4; ++b)
        data[offset + b] = static_cast<char>(value >> (8 * b));
}

void put16(QByteArray& data, qsizetype offset, uint16_t value)
{
    data[offset] = static_cast<char>(value & 0xFF);
    data[offset + 1] = static_cast<char>(value >> 8);
}

const QStringList kSamples = {QStringLiteral(VERSIONINFO_DATA_DIR "/sample64.dll"),
                              QStringLiteral(VERSIONINFO_DATA_DIR "/sample32.exe"),
                              QStringLiteral(VERSIONINFO_SAMPLE_LIBRARY)};

// Offsets inside the images of testimages::peImage / versionResourceSection.
constexpr qsizetype kRsrc = 0x200;
constexpr qsizetype kNamesDirectory = kRsrc + 24;
constexpr qsizetype kLanguagesDirectory = kRsrc + 48;
constexpr qsizetype kDataEntry = kRsrc + 72;
constexpr qsizetype kVersionBlob = kRsrc + 88;

QByteArray minimalVersion(const QByteArray& stringFileInfoChildren = {})
{
    using testimages::versionBlock;
    return versionBlock("VS_VERSION_INFO", {}, 0,
                        versionBlock("StringFileInfo", {}, 1, stringFileInfoChildren));
}

QByteArray peWith(const QByteArray& version)
{
    return testimages::peImage(testimages::versionResourceSection(version));
}

} // namespace

TEST(HostileInput, EveryPrefixOfRealFilesIsSafe)
{
    for (const QString& path : kSamples) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray data = contents(path);
        ASSERT_FALSE(data.isEmpty());
        ASSERT_TRUE(verinfo::readBytes(data).has_value());
        for (qsizetype length = 0; length < data.size(); ++length)
            ASSERT_TRUE(readsSafely(QByteArrayView(data).first(length))) << length;
    }
}

TEST(HostileInput, EveryFlippedByteOfPeFilesIsSafe)
{
    for (const QString& path : kSamples.first(2)) {
        QByteArray data = contents(path);
        for (qsizetype i = 0; i < data.size(); ++i) {
            data[i] = static_cast<char>(data[i] ^ 0xFF);
            ASSERT_TRUE(readsSafely(data)) << i;
            data[i] = static_cast<char>(data[i] ^ 0xFF);
        }
    }
}

TEST(HostileInput, RandomCorruptionIsSafe)
{
    std::mt19937 random(20261208); // fixed seed: the same inputs on every run
    for (const QString& path : kSamples) {
        const QByteArray original = contents(path);
        std::uniform_int_distribution<qsizetype> position(0, original.size() - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int round = 0; round < 2000; ++round) {
            QByteArray data = original;
            for (int n = 0; n < 8; ++n)
                data[position(random)] = static_cast<char>(byte(random));
            ASSERT_TRUE(readsSafely(data)) << round;
        }
    }
}

TEST(HostileInput, ResourceTreeCyclesAndHugeCountsEnd)
{
    const QByteArray good = peWith(minimalVersion());
    ASSERT_TRUE(verinfo::readBytes(good).has_value());

    QByteArray cycle = good; // the names directory points back at the root
    put32(cycle, kNamesDirectory + 20, 0x80000000u);
    EXPECT_FALSE(verinfo::readBytes(cycle));
    cycle = good; // the languages directory points at itself
    put32(cycle, kLanguagesDirectory + 20, 0x80000000u | 48);
    EXPECT_FALSE(verinfo::readBytes(cycle));

    QByteArray huge = good; // 131070 entries claimed, none of them RT_VERSION
    put32(huge, kRsrc + 16, 17);
    put16(huge, kRsrc + 12, 0xFFFF);
    put16(huge, kRsrc + 14, 0xFFFF);
    EXPECT_FALSE(verinfo::readBytes(huge));
}

TEST(HostileInput, LengthsAndAddressesOutsideTheFileAreRejected)
{
    const QByteArray good = peWith(minimalVersion());
    QByteArray bad = good;
    put32(bad, kDataEntry + 4, 0x7FFFFFFF); // version data longer than its section
    EXPECT_FALSE(verinfo::readBytes(bad));
    bad = good;
    put32(bad, kDataEntry, 0xFFFFFFF0); // version data at an RVA of no section
    EXPECT_FALSE(verinfo::readBytes(bad));
    bad = good;
    put32(bad, 0x3C, 0xFFFFFFFF); // PE header beyond the end
    EXPECT_FALSE(verinfo::readBytes(bad));
    bad = good;
    put16(bad, 0x80 + 6, 0xFFFF); // more sections than the file holds
    EXPECT_FALSE(verinfo::readBytes(bad));
    bad = good;
    put16(bad, kVersionBlob, 0); // root block of length 0
    EXPECT_FALSE(verinfo::readBytes(bad));
}

TEST(HostileInput, MalformedVersionBlocksAreClampedToTheirParent)
{
    using testimages::versionBlock;
    // A string whose value has no NUL and whose length overstates the data.
    QByteArray string = versionBlock("CompanyName", QByteArray("Q\0u\0i\0", 6), 1);
    put16(string, 0, 0x7FFF);
    const QByteArray table = versionBlock("040904B0", {}, 1, string);
    auto info = verinfo::readBytes(peWith(minimalVersion(table)));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->value("CompanyName").startsWith("Qui"));

    // A child of length 0 ends the children instead of looping on the spot.
    QByteArray stuck = versionBlock("040904B0", {}, 1, QByteArray(16, '\0'));
    info = verinfo::readBytes(peWith(minimalVersion(stuck)));
    ASSERT_TRUE(info.has_value());
    EXPECT_TRUE(info->stringTables.at(0).strings.empty());

    // A translation value of 6 bytes holds one whole entry.
    const QByteArray var =
        versionBlock("Translation", QByteArray("\x09\x04\xB0\x04\x07\x04", 6), 0);
    const QByteArray root =
        versionBlock("VS_VERSION_INFO", {}, 0, versionBlock("VarFileInfo", {}, 1, var));
    info = verinfo::readBytes(peWith(root));
    ASSERT_TRUE(info.has_value());
    ASSERT_EQ(info->translations.size(), 1u);
    EXPECT_EQ(info->translations[0], (verinfo::Translation{0x0409, 0x04B0}));

    // A fixed block with a wrong signature is ignored rather than trusted.
    const QByteArray wrongFixed = versionBlock("VS_VERSION_INFO", QByteArray(52, '\x11'), 0);
    info = verinfo::readBytes(peWith(wrongFixed));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->fixed.fileVersionMS, 0u);
}

TEST(HostileInput, ElfNotesWithImpossibleSizesEnd)
{
    testimages::ElfSpec spec;
    spec.notes = {{"FDO", 0xcafe1a7e, "{}"}};
    const QByteArray good = testimages::elfImage(spec);
    ASSERT_TRUE(verinfo::readBytes(good).has_value());
    const qsizetype note = good.indexOf(QByteArray("FDO\0", 4)) - 12;
    QByteArray bad = good;
    put32(bad, note, 0xFFFFFFFF); // name size
    EXPECT_FALSE(verinfo::readBytes(bad));
    bad = good;
    put32(bad, note + 4, 0xFFFFFFFC); // descriptor size
    EXPECT_FALSE(verinfo::readBytes(bad));
    bad = good; // extended section numbering with an absurd count in section 0
    put16(bad, 60, 0);
    const qsizetype shoff = static_cast<qsizetype>(static_cast<uint8_t>(bad[40])) |
                            static_cast<qsizetype>(static_cast<uint8_t>(bad[41])) << 8;
    put32(bad, shoff + 32, 0xFFFFFFFF);
    put32(bad, shoff + 36, 0xFFFFFFFF);
    EXPECT_TRUE(readsSafely(bad));
}

TEST(HostileInput, FuzzCorpusReplays)
{
    const QDir corpus(QStringLiteral(VERSIONINFO_CORPUS_DIR));
    const QStringList files = corpus.entryList(QDir::Files);
    EXPECT_FALSE(files.isEmpty()) << "no seed corpus in " << corpus.path().toStdString();
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(readsSafely(contents(corpus.filePath(name))));
    }
}
