#pragma once

#include "library/InstalledAddons.h"
#include "platform/FolderListing.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

// The game's own files that installs replaced, kept byte for byte in a folder of
// their own until no installed add-on holds their name any more: then they go back
// into the game folder. Each is known by its name in the game folder and the size
// and CRC it had there.
struct KeptGameFiles {
    std::filesystem::path folder; // where the kept files lie, one folder a game
    std::vector<MemberCheck> files;

    bool empty() const { return files.empty(); }
    const MemberCheck* find(const std::string& name) const;
};

// The folder inside `backupFolder` that keeps the files of `gameFolder`; empty when
// either is.
std::filesystem::path KeptFilesFolder(const std::filesystem::path& backupFolder,
                                      const std::filesystem::path& gameFolder);

// The game's own files that writing `names` would replace: those `game` holds
// (files and links, in any letter case) that no add-on in `installed` holds, other
// than the protected files that agreeing security copies put back (`coveredByCopies`).
// Names as the folder has them.
std::vector<std::string> GameFilesReplacedBy(const FolderListing& game,
                                             const InstalledAddons& installed,
                                             const std::vector<std::string>& names,
                                             const std::vector<std::string>& coveredByCopies);

// Keeps each of `names` of the game folder in `kept.folder` (a second name for the
// file where the disk allows it, else a copy), flushed, and adds
// it to `kept`. On a failure the copies this call made are removed again, `kept`
// is as it was, and the name that failed is returned; "" when all were kept.
std::string KeepGameFiles(const std::filesystem::path& gameFolder,
                          const std::vector<std::string>& names, KeptGameFiles& kept);

enum class KeptPutBack {
    Back,      // in the game folder, and no longer kept
    NotAsKept, // the kept entry is missing or changed since: left where it is, no longer kept
    Failed     // the copy failed: still kept
};

// The kept file of `name` goes back into the game folder in place of whatever holds
// the name now, when it still has the size and CRC it was kept with. The name is
// looked up in `game`, read once for all the files that go back: only this name's
// entry changes. Where it is moved back, the name is on the disk only once the
// caller has flushed the game folder, which it does before it records the change.
KeptPutBack PutBackKeptFile(const FolderListing& game, const std::string& name,
                            KeptGameFiles& kept);

// The kept file of `name` is no longer needed: deleted, and no longer kept.
void DropKeptFile(const std::string& name, KeptGameFiles& kept);

// Entries of `kept.folder` that `kept` does not list are what a kill left while
// files were being kept, before the list named them. Each goes when the game
// folder still holds the same bytes under its name, so that nothing is lost; any
// other stays. The folder goes when that empties it.
void DropUnlistedKeptCopies(const std::filesystem::path& gameFolder, const KeptGameFiles& kept);

} // namespace quorvel
