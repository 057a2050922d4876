#include "CorpusFiles.h"
#include "library/ChainExtraction.h"
#include "library/Unzip.h"
#include "support/RowName.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

class HostileArchiveTest : public testing::TestWithParam<HostileArchive> {};

// GAME/ holds earlier files, one for every member that must not replace its
// file; SENTINEL.TXT beside GAME/ must be the only other entry afterwards. Each
// archive is extracted with members inflated in memory and with every one streamed.
TEST_P(HostileArchiveTest, KeepsEverythingOutsideAndEveryEarlierFile) {
    const HostileArchive& archive = GetParam();
    for (const std::size_t wholeMemberBound : {std::size_t{4} << 20, std::size_t{0}}) {
        SCOPED_TRACE(wholeMemberBound ? "in memory" : "streamed");
        TempFolder root;
        WriteFile(root / "SENTINEL.TXT", "sentinel");
        WriteFile(root / "GAME" / "EARLIER.TXT", "earlier");
        for (const std::string& name : archive.kept)
            WriteFile(root / "GAME" / name, "earlier " + name);

        Unzip(CorpusFolder("hostile") / archive.file, root / "GAME", {},
              {.wholeMemberBound = wholeMemberBound});

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
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileArchiveTest, testing::ValuesIn(HostileArchives()),
                         [](const auto& info) { return RowName(info.param.file); });

} // namespace
