#include "ProgramWithGame.h"

#include "FolderSnapshot.h"
#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "library/SecurityCopies.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel::test {

ProgramWithGame::ProgramWithGame(const std::string& gameTree,
                                 const std::function<void(const fs::path&)>& makeGameFolder) {
    if (makeGameFolder)
        makeGameFolder(game());
    MakeProgramFolder(program());
    LayOut(game(), Tree(gameTree));
    StorePaths(FolderText(game()));
    TakeSecurityCopies(game(), program() / "BACKUPS");
}

void ProgramWithGame::addon(std::size_t category, const std::string& file,
                            const std::string& members) const {
    MakeArchive(InFolder(program() / kAddonCategories[category].folderName, file), Tree(members));
}

} // namespace quorvel::test
