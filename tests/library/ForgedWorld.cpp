#include "ForgedWorld.h"

#include "config/AddonCategory.h"
#include "library/CopiesRecord.h"
#include "library/Ledger.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel::test {
namespace {

constexpr std::size_t kExes = 6;

} // namespace

ForgedWorld::ForgedWorld()
    : ProgramWithGame("EAW.EXE=game exe; EAW.INI=game ini; EXTRA.SPT=game spt; "
                      "GRB_031.SND=game snd; CAMPAIGN1.SAV=save; PILOTS.PLT=pilots; "
                      "MYNOTES.TXT=notes; SMACKW32.DLL=dll") {
    LayOut(documents(), Tree("PRECIOUS.DAT=p; MAP.PAL=m; TUNE.SND=t; letter.txt=l"));
    // Nothing of the types Clear All deletes but the protected files: a forged
    // QUORVEL.INI that names this game, without copies, makes it the program's.
    LayOut(other(), Tree("EAW.EXE=other exe; CAMPAIGN2.SAV=other save; EXTRA.SPT=other spt"));
    addon(kExes, "NEWEXE.zip", "EAW.EXE=addon exe; EXTRA.SPT=addon spt; MAP.TPC=addon map");
}

std::string ForgedWorld::listed(const std::string& text) {
    std::string escaped;
    for (const char c : text)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

std::string ForgedWorld::ledgerNaming(const fs::path& folder, const std::string& names) const {
    std::string text = "GAME=" + listed(FolderText(folder)) +
                       "\nADDON=EXES\nNAME=NEWEXE\nARCHIVE=" +
                       listed(NameText(program() / "EXES" / "NEWEXE.zip")) + "\n";
    for (const auto& [name, content] : Tree(names))
        text += "WROTE=" + name + "\n";
    return text;
}

FolderSnapshot ForgedWorld::outsideRecords(const std::set<std::string>& leftOut) const {
    const std::string folder = program().filename().string() + "/";
    std::set<std::string> records = leftOut;
    records.insert(folder + std::string(kLedgerFileName));
    records.insert(folder + "QUORVEL.INI");
    records.insert(folder + std::string(kBackupFolderName) + "/" + std::string(kCopiesRecordName));
    return SnapshotOf(root.path(), records);
}

} // namespace quorvel::test
