#include "FolderSnapshot.h"
#include "library/Unzip.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>
#include <random>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

struct CorpusCase {
    std::string title;
    std::size_t members = 0;
    std::size_t damaged = 0; // stored members whose data is then damaged
    std::size_t large = 0;   // members of several hundred KB
};

void PrintTo(const CorpusCase& c, std::ostream* out) {
    *out << c.title;
}

// Data that deflates to about a third, from the engine's raw output only, so that
// it is the same on every machine.
std::string memberData(std::mt19937& random, std::size_t index, std::size_t size) {
    std::string data = "member " + std::to_string(index) + " ";
    while (data.size() < size) {
        if (random() % 4 == 0) {
            for (int i = 0; i < 8; ++i)
                data += char('a' + random() % 26);
        } else {
            data += "terrain ";
        }
    }
    return data;
}

// A bare name from a few dozen, in a random letter case, in a folder of its own
// (an archive holds each stored name once): many members share a bare name in one
// case or another.
std::string memberName(std::mt19937& random, std::size_t index) {
    static const char* const separators[] = {"/", "\\", "/SUB/"};
    std::string bare = "Tile" + std::to_string(random() % 40) + ".tpc";
    for (char& c : bare)
        c = random() % 2 ? char(std::toupper(c)) : char(std::tolower(c));
    return "D" + std::to_string(index) + separators[random() % 3] + bare;
}

// Writes the corpus archive and lays out a destination that already holds some of
// its names: in another case, twice in two cases, and a folder in the way.
void MakeCorpus(const CorpusCase& c, const fs::path& archive, const fs::path& game) {
    std::mt19937 random(20261206);
    std::vector<ZipEntry> entries;
    for (std::size_t i = 0; i < c.members; ++i) {
        const std::size_t size = i < c.large ? 100'000 + random() % 200'000 : random() % 5000;
        entries.push_back({memberName(random, i), memberData(random, i, size), ZipEntry::Kind::File,
                           random() % 4 == 0});
    }
    for (std::size_t i = 0; i < c.damaged; ++i)
        entries.push_back({memberName(random, c.members + i),
                           "DAMAGED-" + std::to_string(i) + "-CONTENT", ZipEntry::Kind::File,
                           true});
    MakeZip(archive, entries);
    for (std::size_t i = 0; i < c.damaged; ++i)
        ASSERT_TRUE(DamageArchiveBytes(archive, "DAMAGED-" + std::to_string(i) + "-CONTENT"));
    LayOut(game, Tree("tile1.TPC=old 1; TILE2.TPC=old upper 2; tile2.tpc=old lower 2; "
                      "Tile3.tpc=<dir>; tile7.tpc=old 7"));
}

class ParallelUnzip : public testing::TestWithParam<CorpusCase> {};

TEST_P(ParallelUnzip, GivesTheSameFolderAndResultAsOneThread) {
    TempFolder root;
    MakeCorpus(GetParam(), root / "ADDON.ZIP", root / "ONE");
    const UnzipResult single = Unzip(root / "ADDON.ZIP", root / "ONE", {}, {.workers = 1});
    const FolderSnapshot expected = SnapshotOf(root / "ONE");
    ASSERT_FALSE(single->writtenNames.empty()) << single.why();

    const UnzipTuning spreads[] = {
        {.workers = 4},
        {.workers = 4, .wholeMemberBound = 1024}, // most members streamed
        {.workers = 3, .wholeMemberBound = 0},    // every member streamed
    };
    for (const UnzipTuning& tuning : spreads) {
        const fs::path game = root / ("SPREAD" + std::to_string(&tuning - spreads));
        MakeCorpus(GetParam(), root / "ADDON.ZIP", game);
        const UnzipResult spread = Unzip(root / "ADDON.ZIP", game, {}, tuning);
        EXPECT_EQ(SnapshotOf(game), expected) << game.filename();
        EXPECT_EQ(spread->writtenNames, single->writtenNames) << game.filename();
        EXPECT_EQ(spread->skipped, single->skipped) << game.filename();
        EXPECT_EQ(spread.why(), single.why()) << game.filename();
    }
}

const CorpusCase kCorpus[] = {
    {"ManyMembersSharingNamesInAnyCase", 400},
    {"DamagedMembersAmongThem", 120, 8},
    {"LargeMembersAmongSmallOnes", 60, 2, 5},
};

INSTANTIATE_TEST_SUITE_P(Corpus, ParallelUnzip, testing::ValuesIn(kCorpus),
                         [](const auto& info) { return info.param.title; });

TEST(ParallelUnzip, LaterOfTwoMembersOfOneNameWinsThoughTheEarlierTakesLonger) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsCaseTwins;
    TempFolder root;
    std::vector<ZipEntry> entries{{"A/X.DAT", std::string(3'000'000, 'x')}};
    for (int i = 0; i < 30; ++i)
        entries.push_back({"S" + std::to_string(i) + ".TXT", "small"});
    entries.push_back({"B/x.dat", "second"});
    MakeZip(root / "ADDON.ZIP", entries);
    fs::create_directory(root / "GAME");

    const UnzipResult result = Unzip(root / "ADDON.ZIP", root / "GAME", {}, {.workers = 4});

    EXPECT_EQ(ReadFile(root / "GAME" / "X.DAT"), "second");
    EXPECT_FALSE(fs::exists(root / "GAME" / "x.dat"));
    ASSERT_EQ(result->writtenNames.size(), 31u);
    EXPECT_EQ(result->writtenNames.front(), "X.DAT");
}

} // namespace
