#include "ForgedWorld.h"
#include "config/PathVariables.h"
#include "library/CopiesRecord.h"
#include "library/Installation.h"
#include "platform/NameText.h"
#include "support/CurrentFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

struct ForgedCase {
    std::string title;
    std::function<void(const ForgedWorld&)> forge;
    bool told = true; // a box tells the player at the start
};

void PrintTo(const ForgedCase& c, std::ostream* out) {
    *out << c.title;
}

void writeLedger(const ForgedWorld& w, const std::string& text) {
    WriteFile(w.file("INSTALLED.TXT"), text);
}

void storeGameFolder(const ForgedWorld& w, const std::string& value,
                     const std::string& backups = {}) {
    WriteFile(w.file("QUORVEL.INI"),
              "[PATH]\r\nRUTAEAW=" + value + "\r\nRUTABACKUPS=" +
                  (backups.empty() ? FolderText(w.program() / "BACKUPS") : backups) +
                  "\r\n[CONFIGURATION]\r\nBACKUPS=1\r\n");
}

void writeCopiesRecord(const ForgedWorld& w, const std::string& text) {
    WriteFile(w.program() / "BACKUPS" / std::string(kCopiesRecordName), text);
}

const std::string kLoot = "PRECIOUS.DAT=x; MAP.PAL=x; TUNE.SND=x; letter.txt=x; EAW.EXE=x";
const std::string kPlayers = "CAMPAIGN1.SAV=x; PILOTS.PLT=x; MYNOTES.TXT=x; SMACKW32.DLL=x; "
                             "EAW.EXE=x; EXTRA.SPT=x";

std::vector<ForgedCase> forgedCases() {
    return {
        // INSTALLED.TXT, the list of what a killed run left installed.
        {"ledger_names_a_folder_without_the_game",
         [](const ForgedWorld& w) { writeLedger(w, w.ledgerNaming(w.documents(), kLoot)); }},
        {"ledger_of_an_archive_that_is_gone",
         [](const ForgedWorld& w) {
             writeLedger(w, w.ledgerNaming(w.game(), kPlayers));
             fs::remove(w.program() / "EXES" / "NEWEXE.zip");
         }},
        {"ledger_keeps_files_by_names_that_climb_out",
         [](const ForgedWorld& w) {
             writeLedger(w, "GAME=" + ForgedWorld::listed(FolderText(w.game())) +
                                "\nKEPT=1 00000000 " +
                                ForgedWorld::listed(NameText(w.documents() / "letter.txt")) +
                                "\nKEPT=1 00000000 ../../Documents/MAP.PAL\nKEPT=1 "
                                "00000000 ..\\\\..\\\\Documents\\\\TUNE.SND\n");
         },
         false},
        {"ledger_empty", [](const ForgedWorld& w) { writeLedger(w, ""); }, false},
        {"ledger_of_garbage",
         [](const ForgedWorld& w) { writeLedger(w, std::string("\0\xFF=\n\x80GAME\r\r=", 12)); },
         false},
        {"ledger_is_a_folder",
         [](const ForgedWorld& w) { fs::create_directories(w.file("INSTALLED.TXT")); }, false},
        {"ledger_huge",
         [](const ForgedWorld& w) {
             std::string text = w.ledgerNaming(w.game(), "CAMPAIGN1.SAV=x");
             for (int i = 0; i < 200000; ++i)
                 text += "WROTE=F" + std::to_string(i) + ".DAT\n";
             writeLedger(w, text);
         }},

        // QUORVEL.INI's game folder.
        {"stored_folder_of_another_game",
         [](const ForgedWorld& w) { storeGameFolder(w, FolderText(w.other())); }},
        // The game's own files are no copies of them: they are never recorded as copies.
        {"stored_backup_folder_is_the_game_folder",
         [](const ForgedWorld& w) {
             storeGameFolder(w, FolderText(w.game()), FolderText(w.game()));
         }},
        {"stored_folder_in_the_ansi_code_page",
         [](const ForgedWorld& w) { storeGameFolder(w, FolderText(w.root / "Spiel\xDC")); }},
        {"stored_file_empty", [](const ForgedWorld& w) { WriteFile(w.file("QUORVEL.INI"), ""); },
         false},
        {"stored_file_of_garbage",
         [](const ForgedWorld& w) {
             WriteFile(w.file("QUORVEL.INI"), std::string("[\0PATH\xFF", 7));
         },
         false},
        {"stored_file_is_a_folder",
         [](const ForgedWorld& w) {
             fs::remove(w.file("QUORVEL.INI"));
             fs::create_directories(w.file("QUORVEL.INI"));
         },
         false},

        // The record of the security copies.
        {"copies_record_of_garbage",
         [](const ForgedWorld& w) { writeCopiesRecord(w, "COPY=\xFF"); }},
        {"copies_record_is_a_folder",
         [](const ForgedWorld& w) {
             const fs::path record = w.program() / "BACKUPS" / std::string(kCopiesRecordName);
             fs::remove(record);
             fs::create_directories(record);
         }},
        {"a_copy_changed_after_the_record",
         [](const ForgedWorld& w) {
             WriteFile(w.program() / "BACKUPS" / "EXTRA.SPT", "other spt");
         }},
        // A patched EAW.EXE usually keeps its size: only the CRC tells it.
        {"a_copy_changed_in_its_bytes_only",
         [](const ForgedWorld& w) { WriteFile(w.program() / "BACKUPS" / "EAW.EXE", "game exX"); }},
        {"copies_without_record_of_another_game",
         [](const ForgedWorld& w) {
             fs::remove(w.program() / "BACKUPS" / std::string(kCopiesRecordName));
             WriteFile(w.program() / "BACKUPS" / "EAW.EXE", "other exe");
         }},
        // Copies without a record are the game's only when each equals the game's own
        // file byte for byte, one the game lacks included.
        {"copies_without_record_differing_in_bytes_only",
         [](const ForgedWorld& w) {
             fs::remove(w.program() / "BACKUPS" / std::string(kCopiesRecordName));
             WriteFile(w.program() / "BACKUPS" / "EAW.EXE", "game exX");
         }},
        {"copies_without_record_of_a_file_the_game_lacks",
         [](const ForgedWorld& w) {
             fs::remove(w.program() / "BACKUPS" / std::string(kCopiesRecordName));
             fs::remove(w.game() / "GRB_031.SND");
         }},
        {"copies_record_with_crlf",
         [](const ForgedWorld& w) {
             const fs::path record = w.program() / "BACKUPS" / std::string(kCopiesRecordName);
             std::string text = ReadFile(record), crlf;
             for (const char c : text)
                 crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
             WriteFile(record, crlf);
         },
         false},
    };
}

class ForgedRecords : public testing::TestWithParam<ForgedCase> {};

// Whatever a file Quorvel keeps holds, a start and a close go on: the game, the
// player's files, the second game, the documents and the security copies keep
// every byte, and what could not be used is told.
TEST_P(ForgedRecords, NeverCostAFileAndAreTold) {
    const ForgedCase& c = GetParam();
    ForgedWorld w;
    const CurrentFolder startedIn(w.documents());
    c.forge(w);
    const FolderSnapshot before = w.outsideRecords();

    Installation installation;
    const std::vector<RecoveryOutcome> recoveries = installation.recoverLastRun();
    const bool told = !installation.whyFolderUnused().empty() || !recoveries.empty();
    installation.clearAll();

    EXPECT_EQ(told, c.told) << installation.whyFolderUnused();
    EXPECT_EQ(w.outsideRecords(), before);
    EXPECT_TRUE(Installation().recoverLastRun().size() <= recoveries.size());
    EXPECT_EQ(w.outsideRecords(), before) << "after a second start";
}

INSTANTIATE_TEST_SUITE_P(Files, ForgedRecords, testing::ValuesIn(forgedCases()),
                         [](const auto& info) { return info.param.title; });

} // namespace
