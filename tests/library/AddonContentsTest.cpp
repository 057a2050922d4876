#include "ProgramWithGame.h"
#include "library/Installation.h"
#include "platform/FileOperations.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::size_t kGraphics = 4, kSounds = 5, kExes = 6;

// "name>holder" for each file, "name" alone for one an add-on holds itself.
std::string heldText(const InstalledContentsOutcome& contents, const AddonKey& key) {
    if (!contents.done())
        return "not done: " + contents.why();
    std::string text;
    for (const HeldFile& file : contents->files)
        text += file.name + (file.holder == key ? "" : ">" + file.holder.name) + " ";
    for (const std::string& kept : contents->keptGameFiles)
        text += "kept:" + kept + " ";
    return text;
}

// "name>what it replaces" for each file, "name" alone for one that replaces nothing.
std::string replacesText(const ArchiveContentsOutcome& contents) {
    if (!contents.done())
        return "not done";
    std::string text = contents->takesOut ? "out:" + contents->takesOut->name + " " : "";
    for (const FileToWrite& file : contents->files)
        text += file.name +
                (file.replaces == Replaces::Addon      ? ">" + file.addon.name
                 : file.replaces == Replaces::GameFile ? ">game"
                                                       : "") +
                " ";
    return text;
}

// A and B share a file and each replaces one of the game's; E1, in a category that
// holds one add-on, brings a file A brought over the game's, and replaces another.
// E2 would take E1 out first: the game file kept for E1 counts as the game's again,
// X.DLL as A's (put back from A's archive), EAW.EXE as nobody's (its copy goes back).
// An archive's names are spelled as in it, an installed add-on's as in the game folder.
TEST(AddonContents, EachFileSaysWhoHoldsItAndWhatItsInstallWouldReplace) {
    ProgramWithGame p("EAW.EXE=game exe; README.TXT=game readme; X.DLL=game x; "
                      "KEEP.DLL=game keep; MAP.TXT=game map");
    p.addon(kGraphics, "A.zip", "x.dll=a; SHARED.TPC=a; A.PIC=a");
    p.addon(kSounds, "B.zip", "shared.tpc=b; readme.txt=b");
    p.addon(kExes, "E1.zip", "EAW.EXE=e1; X.DLL=e1; KEEP.DLL=e1; E1.PIC=e1");
    p.addon(kSounds, "C.zip", "KEEP.DLL=c; x.dll=c; MAP.txt=c");
    MakeZip(p.program() / "EXES" / "E2.zip", {{"new.pic", "n"},
                                              {"SUB/", "", ZipEntry::Kind::Folder},
                                              {"SUB/keep.dll", "k"},
                                              {"X.dll", "x"},
                                              {"LINK.DLL", "X.DLL", ZipEntry::Kind::Link},
                                              {"eaw.exe", "e"},
                                              {"SUB/..", "u"},
                                              {"Shared.TPC", "s"},
                                              {"README.txt", "r"},
                                              {"MAP.TXT", "m"},
                                              {"NEW.PIC", "n2"}});
    WriteFile(p.program() / "GRAPHICS" / "BAD.zip", "not a zip archive");
    Installation installation;
    for (const AddonKey& key : {AddonKey{kGraphics, "A"}, {kSounds, "B"}, {kExes, "E1"}})
        ASSERT_EQ(installation.install(key.category, key.name).why(), "") << key.name;

    const std::vector<std::pair<AddonKey, std::string>> installed{
        {{kGraphics, "A"}, "A.PIC SHARED.TPC>B X.DLL>E1 "},
        {{kSounds, "B"}, "README.TXT SHARED.TPC kept:README.TXT "},
        {{kExes, "E1"}, "E1.PIC EAW.EXE KEEP.DLL X.DLL kept:KEEP.DLL "},
        {{kGraphics, "E1"}, "not done: E1 is not installed in GRAPHICS"}};
    for (const auto& [key, expected] : installed)
        EXPECT_EQ(heldText(installation.contentsOf(key), key), expected) << key.name;

    const struct {
        std::size_t category;
        std::string name, files, conflictLine;
    } archives[]{
        {kExes, "E2",
         "out:E1 new.pic keep.dll>game X.dll>A eaw.exe Shared.TPC>B README.txt>B MAP.TXT>game ",
         "A (1), B (2), the game (2)"},
        {kSounds, "C", "KEEP.DLL>E1 MAP.txt>game x.dll>E1 ", "E1 (2), the game (1)"},
        {kGraphics, "BAD", "not done", ""},
        {kGraphics, "NONE", "not done", ""}};
    for (const auto& row : archives) {
        const ArchiveContentsOutcome contents = installation.wouldWrite(row.category, row.name);
        EXPECT_EQ(replacesText(contents), row.files) << row.name;
        EXPECT_EQ(installation.conflictLine(row.category, row.name), row.conflictLine) << row.name;
        if (!contents.done()) {
            EXPECT_NE(contents.why().find(row.name), std::string::npos) << contents.why();
        }
    }

    // The install keeps and records what the list said it would replace.
    ASSERT_EQ(installation.install(kExes, "E2").why(), "");
    EXPECT_EQ(heldText(installation.contentsOf({kExes, "E2"}), {kExes, "E2"}),
              "new.pic KEEP.DLL X.DLL EAW.EXE SHARED.TPC README.TXT MAP.TXT kept:KEEP.DLL "
              "kept:MAP.TXT ");
    EXPECT_EQ(installation.installed().inOrder().back().replaced, "A (1), B (2)");
}

} // namespace
