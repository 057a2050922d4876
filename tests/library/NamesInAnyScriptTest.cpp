#include "library/AddonLibrary.h"
#include "library/UninstallAddon.h"
#include "maintenance/AddonDeletion.h"
#include "maintenance/AddonImport.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"
#include "support/InstallAddon.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// Library and game folder under a folder named in another script; the archive
// holds a member flagged UTF-8 and one in CP437, the code page of unflagged names.
class NamesInAnyScript : public ::testing::TestWithParam<std::string> {};

TEST_P(NamesInAnyScript, InstallsAndUninstallsUnderTheFolder) {
    TempFolder root;
    const fs::path base = InFolder(root.path(), GetParam());
    const fs::path library = InFolder(base, "Bibliothèque");
    const fs::path game = InFolder(base, "Spiele café");
    MakeZip(InFolder(library, "café.zip"), {{"FM/Größe.TXT", "utf-8"}, {"Fl\x81gel.TXT", "cp437"}});
    fs::create_directories(game);

    const UnzipResult installed = InstallAddon(library, "CAFÉ", game);

    ASSERT_TRUE(installed.done()) << installed.why();
    EXPECT_EQ(ReadFile(InFolder(game, "Größe.TXT")), "utf-8");
    EXPECT_EQ(ReadFile(InFolder(game, "Flügel.TXT")), "cp437");
    const UninstallResult removed = UninstallAddon(game, installed->writtenNames, fs::path());
    EXPECT_TRUE(removed.failed.empty());
    EXPECT_TRUE(fs::is_empty(game));
}

INSTANTIATE_TEST_SUITE_P(Folders, NamesInAnyScript, ::testing::Values("José", "Müller", "東京"),
                         [](const auto& info) { return "script" + std::to_string(info.index); });

// Names that only Unicode case folding makes equal are one name, as the
// game's file systems see them: a member replaces the file already there.
TEST(NamesInAnyScript, NamesEqualUnderCaseFoldingAreOneFile) {
    const struct {
        std::string onDisk;
        std::string member;
    } cases[] = {{"ÉTÉ.TXT", "été.txt"}, {"ΑΒΓ.SND", "αβγ.snd"}, {"ПУШКА.WAV", "пушка.wav"}};
    for (const auto& c : cases) {
        TempFolder root;
        WriteFile(InFolder(root / "GAME", c.onDisk), "old");
        MakeZip(root / "LIB" / "A.ZIP", {{c.member, "new"}});

        ASSERT_TRUE(InstallAddon(root / "LIB", "A", root / "GAME").done()) << c.member;

        EXPECT_EQ(FolderListing(root / "GAME").regularFiles(), std::vector<std::string>{c.onDisk});
        EXPECT_EQ(ReadFile(InFolder(root / "GAME", c.onDisk)), "new") << c.member;
    }
}

// Every archive of a library folder is an add-on of its own, named by its own
// bytes: one whose name is not UTF-8, and two whose names differ only in case.
TEST(NamesInAnyScript, EachArchiveIsListedInstalledAndDeletedByItsOwnName) {
    if (kOnWindows)
        GTEST_SKIP() << "Windows names are Unicode, none undecodable; and " << kNeedsCaseTwins;
    const std::vector<std::string> cases[] = {{"Caf\xe9"}, {"DUP", "dup"}};
    for (const auto& archives : cases) {
        TempFolder root;
        fs::create_directories(root / "LIB");
        fs::create_directories(root / "GAME");
        // An import of a name in another case would replace its twin, as on the
        // game's file systems: the first comes in through an import, the rest after.
        MakeZip(root / "SOURCE" / (archives.front() + ".zip"), {{"A.TXT", archives.front()}});
        ASSERT_TRUE(
            ImportAddonArchive(root / "SOURCE" / (archives.front() + ".zip"), root / "LIB").done());
        for (auto archive = archives.begin() + 1; archive != archives.end(); ++archive)
            MakeZip(root / "LIB" / (*archive + ".zip"), {{"A.TXT", *archive}});
        for (const std::string& archive : archives)
            WriteFile(root / "LIB" / (archive + ".txt"), archive);
        EXPECT_EQ(ListAddonNames(root / "LIB"), archives);

        for (const std::string& archive : archives) {
            ASSERT_TRUE(InstallAddon(root / "LIB", archive, root / "GAME").done()) << archive;
            EXPECT_EQ(ReadFile(root / "GAME" / "A.TXT"), archive);
        }
        const AddonDeletionResult deleted = DeleteAddonFiles(root / "LIB", archives.front());
        EXPECT_EQ(deleted->deleted,
                  (std::vector<std::string>{archives.front() + ".txt", archives.front() + ".zip"}));
        EXPECT_TRUE(deleted.done());
        EXPECT_EQ(ListAddonNames(root / "LIB"),
                  std::vector<std::string>(archives.begin() + 1, archives.end()));
    }
}

} // namespace
