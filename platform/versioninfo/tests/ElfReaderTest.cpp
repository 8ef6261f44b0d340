// ELF layouts our own toolchain does not produce: 32-bit, big-endian, notes reachable only
// through program headers, 8-byte note padding, notes of other owners and packagers.

#include "BinaryImages.h"
#include "QStringPrinter.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

using testimages::ElfLayout;

namespace {

constexpr uint32_t kFdoType = 0xcafe1a7e;
const QByteArray kJson = R"({"type":"deb","CompanyName":"Quillmere","FileVersion":"3.6.1.2",)"
                         R"("ProductVersion":"3.6.0.0","Size":12})";

std::optional<verinfo::VersionInfo> readNotes(std::vector<testimages::ElfNote> notes,
                                              ElfLayout layout = {})
{
    layout.notes = std::move(notes);
    return verinfo::readBytes(testimages::elfImage(layout));
}

class ElfLayouts : public ::testing::TestWithParam<ElfLayout>
{
};

} // namespace

TEST_P(ElfLayouts, FindTheNoteBehindNotesOfOtherOwners)
{
    const auto info = readNotes({{"GNU", 3, QByteArray(20, 'b')},
                                 {"FDO", 1, "right owner, wrong type"},
                                 {"FDO", kFdoType, kJson + '\0'}},
                                GetParam());
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("CompanyName"), "Quillmere");
    EXPECT_FALSE(info->stringTables.at(0).contains("Size")) << "only text members are strings";
    EXPECT_EQ(info->fixed.fileVersionMS, 0x00030006u);
    EXPECT_EQ(info->fixed.fileVersionLS, 0x00010002u);
    EXPECT_EQ(info->fixed.productVersionLS, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ClassesOrdersAndPaths, ElfLayouts,
    ::testing::Values(ElfLayout{}, ElfLayout{.sectionHeaders = false},
                      ElfLayout{.bigEndian = true, .noteAlign = 8},
                      ElfLayout{.sectionHeaders = false, .noteAlign = 8}, ElfLayout{.is64 = false},
                      ElfLayout{.is64 = false, .bigEndian = true},
                      ElfLayout{.is64 = false, .bigEndian = true, .sectionHeaders = false}));

TEST(ElfReader, FileTypeFollowsTheElfType)
{
    const auto typeOf = [](uint16_t type, bool interpreter) {
        return readNotes({{"FDO", kFdoType, kJson}}, {.type = type, .interpreter = interpreter})
            ->fixed.fileType;
    };
    EXPECT_EQ(typeOf(2, false), verinfo::kFileTypeApp); // ET_EXEC
    EXPECT_EQ(typeOf(3, true), verinfo::kFileTypeApp);  // position-independent program
    EXPECT_EQ(typeOf(3, false), verinfo::kFileTypeDll); // shared library
}

TEST(ElfReader, NotesOfOtherPackagersAndBrokenNotes)
{
    const auto info = readNotes({{"FDO", kFdoType, R"({"name":"bash","version":"5.2.15-3"})"}});
    ASSERT_TRUE(info.has_value()) << "no NUL after the JSON is fine too";
    EXPECT_EQ(info->value("name"), "bash");
    EXPECT_EQ(info->value("CompanyName"), "");
    EXPECT_EQ(info->fixed.fileVersionMS, 0x00050002u) << "the convention's version stands in";
    EXPECT_EQ(info->fixed.fileVersionLS, 0x000F0000u);

    EXPECT_FALSE(readNotes({{"GNU", 3, QByteArray(20, 'b')}}));
    EXPECT_FALSE(readNotes({{"FDO", kFdoType, "{\"CompanyName\":"}}));
    EXPECT_FALSE(readNotes({{"FDO", kFdoType, "[\"CompanyName\"]"}}));
    EXPECT_FALSE(readNotes({{"FDOX", kFdoType, kJson}}));
}

TEST(VersionNumbers, TextBecomesTheFixedBlockHalves)
{
    using verinfo::versionNumbers;
    using Halves = std::pair<uint32_t, uint32_t>;
    EXPECT_EQ(versionNumbers("2.5.0.0"), (Halves{0x00020005, 0x00000000}));
    EXPECT_EQ(versionNumbers("3.6.1.2"), (Halves{0x00030006, 0x00010002}));
    EXPECT_EQ(versionNumbers(" 7 "), (Halves{0x00070000, 0}));
    EXPECT_EQ(versionNumbers("1.2.3.4.5"), (Halves{0x00010002, 0x00030004}));
    EXPECT_EQ(versionNumbers("2.5.0-rc1"), (Halves{0x00020005, 0}));
    EXPECT_EQ(versionNumbers("70000.1"), (Halves{0xFFFF0001, 0})) << "parts saturate";
    EXPECT_EQ(versionNumbers("x.y"), (Halves{0, 0}));
}
