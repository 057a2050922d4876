#include "CorpusFiles.h"
#include "library/Unzip.h"
#include "support/RowName.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// Where Unzip leaves other files than Info-ZIP's "unzip -j" on purpose.
struct IntendedDifference {
    std::string archive;
    std::set<std::string> onlyFromUnzip;
    std::set<std::string> onlyFromOurs;
};

const IntendedDifference kIntendedDifferences[] = {
    // Info-ZIP creates the link; links in archives are never created here.
    {"info-zip-link.zip", {"LINK.TXT"}, {}},
    // Info-ZIP keeps a backslash as a character in names from Unix archives; here it
    // separates folders, as in the archives Windows tools make, and "..\" is dropped.
    {"backslash-names.zip", {"dir\\IN.TXT", "..\\UP.TXT"}, {"IN.TXT", "UP.TXT"}},
};

void dropIntended(std::map<std::string, ExtractedFile>& files, const std::set<std::string>& names) {
    for (const std::string& name : names)
        EXPECT_EQ(files.erase(name), 1u) << name << " was expected";
}

class UnzipDifferential : public testing::TestWithParam<std::string> {};

TEST_P(UnzipDifferential, LeavesTheFilesInfoZipLeaves) {
    if (std::system("unzip -v >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "Info-ZIP unzip is not installed";
    const fs::path archive = CorpusFolder("ordinary") / GetParam();
    TempFolder root;
    fs::create_directory(root / "INFOZIP");
    fs::create_directory(root / "OURS");
    const std::string command =
        "unzip -j -o -qq '" + archive.string() + "' -d '" + (root / "INFOZIP").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const UnzipResult result = Unzip(archive, root / "OURS");
    ASSERT_TRUE(result.done()) << result.why();

    auto theirs = ExtractedFiles(root / "INFOZIP");
    auto ours = ExtractedFiles(root / "OURS");
    for (const IntendedDifference& difference : kIntendedDifferences) {
        if (difference.archive == GetParam()) {
            dropIntended(theirs, difference.onlyFromUnzip);
            dropIntended(ours, difference.onlyFromOurs);
        }
    }
    ASSERT_FALSE(theirs.empty());
    ASSERT_EQ(theirs.size(), ours.size());
    for (const auto& [name, file] : theirs) {
        ASSERT_TRUE(ours.contains(name)) << name;
        EXPECT_TRUE(ours[name].content == file.content) << name;
        EXPECT_NEAR(ours[name].modified, file.modified, 2) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Tools, UnzipDifferential, testing::ValuesIn(OrdinaryArchives()),
                         [](const auto& info) { return RowName(info.param); });

} // namespace
