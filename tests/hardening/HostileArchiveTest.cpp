#include "CorpusFiles.h"
#include "library/MemberSizeLimit.h"
#include "library/Unzip.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

class HostileArchiveTest : public testing::TestWithParam<HostileArchive> {};

// GAME/ holds earlier files, one for every member that must not replace its
// file; SENTINEL.TXT beside GAME/ must be the only other entry afterwards.
TEST_P(HostileArchiveTest, KeepsEverythingOutsideAndEveryEarlierFile) {
    const HostileArchive& archive = GetParam();
    TempFolder root;
    WriteFile(root / "SENTINEL.TXT", "sentinel");
    WriteFile(root / "GAME" / "EARLIER.TXT", "earlier");
    for (const std::string& name : archive.kept)
        WriteFile(root / "GAME" / name, "earlier " + name);

    Unzip(CorpusFolder("hostile") / archive.file, root / "GAME");

    EXPECT_EQ(ReadFile(root / "SENTINEL.TXT"), "sentinel");
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 2)
        << "an entry was written beside the destination";
    EXPECT_EQ(LinksAndTemporaries(root.path()), std::vector<std::string>());
    for (const auto& [name, file] : ExtractedFiles(root / "GAME")) {
        EXPECT_NE(file.content, "<dir>") << name;
        EXPECT_LT(file.content.size(), kLargestMemberSize) << name;
    }
    for (const std::string& name : archive.kept)
        EXPECT_EQ(ReadFile(root / "GAME" / name), "earlier " + name);
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileArchiveTest, testing::ValuesIn(HostileArchives()),
                         [](const auto& info) { return TestNameOf(info.param.file); });

TEST(CheckMemberSize, RefusesMembersAboveTheLimitOrTheFreeSpace) {
    struct Case {
        std::uint64_t size, freeSpace, limit;
        MemberSize expected;
    };
    for (const Case c :
         {Case{100, 1000, 1000, MemberSize::Allowed}, Case{1000, 1000, 1000, MemberSize::Allowed},
          Case{1001, 5000, 1000, MemberSize::OverLimit},
          Case{600, 500, 1000, MemberSize::OverFreeSpace},
          Case{2000, 500, 1000, MemberSize::OverLimit}, Case{0, 0, 0, MemberSize::Allowed}}) {
        EXPECT_EQ(CheckMemberSize(c.size, c.freeSpace, c.limit), c.expected)
            << c.size << " " << c.freeSpace << " " << c.limit;
    }
    EXPECT_EQ(CheckMemberSize(kLargestMemberSize + 1, UINT64_MAX), MemberSize::OverLimit);
}

} // namespace
