// ELF layouts our own toolchain does not produce: 32-bit, big-endian, notes reachable only
// through program headers, 8-byte note padding, notes of other owners.

#include "BinaryImages.h"
#include "QStringPrinter.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

using testimages::ElfNote;
using testimages::ElfSpec;

namespace {

constexpr uint32_t kFdoType = 0xcafe1a7e;

ElfNote packageNote(const QByteArray& json)
{
    return {"FDO", kFdoType, json + '\0'};
}

const QByteArray kOurJson = R"({"type":"deb","name":"quorvex","version":"2.5.0.0",)"
                            R"("CompanyName":"Quillmere","FileVersion":"3.6.1.2",)"
                            R"("ProductVersion":"3.6.0.0","InternalName":"x"})";

struct Layout
{
    bool is64, bigEndian, sectionHeaders;
    uint64_t noteAlign;
};

class ElfLayouts : public ::testing::TestWithParam<Layout>
{
};

} // namespace

TEST_P(ElfLayouts, FindTheNoteBehindNotesOfOtherOwners)
{
    const Layout layout = GetParam();
    ElfSpec spec;
    spec.is64 = layout.is64;
    spec.bigEndian = layout.bigEndian;
    spec.sectionHeaders = layout.sectionHeaders;
    spec.noteAlign = layout.noteAlign;
    spec.notes = {{"GNU", 3, QByteArray(20, 'b')},
                  {"FDO", 1, "not the metadata"}, // right owner, wrong type
                  packageNote(kOurJson)};
    const auto info = verinfo::readBytes(testimages::elfImage(spec));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
    EXPECT_EQ(info->value("InternalName"), "x");
    EXPECT_EQ(info->fixed.fileVersionMS, 0x00030006u);
    EXPECT_EQ(info->fixed.fileVersionLS, 0x00010002u);
    EXPECT_EQ(info->fixed.productVersionMS, 0x00030006u);
    EXPECT_EQ(info->fixed.productVersionLS, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    AllClassesAndOrders, ElfLayouts,
    ::testing::Values(Layout{true, false, true, 4}, Layout{true, false, false, 4},
                      Layout{true, true, true, 8}, Layout{false, false, true, 4},
                      Layout{false, true, true, 4}, Layout{false, true, false, 4},
                      Layout{true, false, false, 8}));

TEST(ElfReader, FileTypeFollowsTheElfType)
{
    ElfSpec spec;
    spec.notes = {packageNote(kOurJson)};
    spec.type = 2; // ET_EXEC
    EXPECT_EQ(verinfo::readBytes(testimages::elfImage(spec))->fixed.fileType, 1u);
    spec.type = 3; // ET_DYN with an interpreter: a position-independent program
    spec.interpreter = true;
    EXPECT_EQ(verinfo::readBytes(testimages::elfImage(spec))->fixed.fileType, 1u);
    spec.interpreter = false; // ET_DYN without one: a library
    EXPECT_EQ(verinfo::readBytes(testimages::elfImage(spec))->fixed.fileType, 2u);
}

TEST(ElfReader, NoteOfAnotherPackagerUsesItsVersion)
{
    ElfSpec spec;
    spec.notes = {
        packageNote(R"({"type":"rpm","name":"bash","version":"5.2.15-3","osVersion":1})")};
    const auto info = verinfo::readBytes(testimages::elfImage(spec));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("name"), "bash");
    EXPECT_EQ(info->value("CompanyName"), "");
    EXPECT_FALSE(info->stringTables.at(0).contains("osVersion")) << "only text members";
    EXPECT_EQ(info->fixed.fileVersionMS, 0x00050002u);
    EXPECT_EQ(info->fixed.fileVersionLS, 0x000F0000u);
}

TEST(ElfReader, WithoutAUsableNoteThereIsNoVersionInformation)
{
    ElfSpec spec;
    spec.notes = {{"GNU", 3, QByteArray(20, 'b')}};
    EXPECT_FALSE(verinfo::readBytes(testimages::elfImage(spec)));
    spec.notes = {packageNote("{\"CompanyName\":")}; // broken JSON
    EXPECT_FALSE(verinfo::readBytes(testimages::elfImage(spec)));
    spec.notes = {packageNote("[\"CompanyName\"]")}; // not an object
    EXPECT_FALSE(verinfo::readBytes(testimages::elfImage(spec)));
    spec.notes = {{"FDOX", kFdoType, kOurJson}}; // other owner
    EXPECT_FALSE(verinfo::readBytes(testimages::elfImage(spec)));
}

TEST(ElfReader, NoteDescriptorWithoutTerminatingNulStillReads)
{
    ElfSpec spec;
    spec.notes = {{"FDO", kFdoType, kOurJson}};
    const auto info = verinfo::readBytes(testimages::elfImage(spec));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
}

TEST(VersionNumbers, TextBecomesTheFixedBlockHalves)
{
    using verinfo::versionNumbers;
    using Halves = std::pair<uint32_t, uint32_t>;
    EXPECT_EQ(versionNumbers("2.5.0.0"), (Halves{0x00020005, 0x00000000}));
    EXPECT_EQ(versionNumbers("3.6.1.2"), (Halves{0x00030006, 0x00010002}));
    EXPECT_EQ(versionNumbers("1.2"), (Halves{0x00010002, 0}));
    EXPECT_EQ(versionNumbers(" 7 "), (Halves{0x00070000, 0}));
    EXPECT_EQ(versionNumbers("1.2.3.4.5"), (Halves{0x00010002, 0x00030004}));
    EXPECT_EQ(versionNumbers("2.5.0-rc1"), (Halves{0x00020005, 0}));
    EXPECT_EQ(versionNumbers("70000.1"), (Halves{0xFFFF0001, 0})) << "parts saturate at 65535";
    EXPECT_EQ(versionNumbers(""), (Halves{0, 0}));
    EXPECT_EQ(versionNumbers("x.y"), (Halves{0, 0}));
}
