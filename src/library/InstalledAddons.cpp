#include "library/InstalledAddons.h"

#include "library/ExtractionPlan.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <unordered_set>

namespace quorvel {

void InstalledAddons::add(InstalledAddon addon) {
    remove(addon.key);
    addons_.push_back(std::move(addon));
}

const InstalledAddon* InstalledAddons::find(const AddonKey& key) const {
    const auto at = std::find_if(addons_.begin(), addons_.end(),
                                 [&key](const InstalledAddon& addon) { return addon.key == key; });
    return at == addons_.end() ? nullptr : &*at;
}

void InstalledAddons::remove(const AddonKey& key) {
    std::erase_if(addons_, [&key](const InstalledAddon& addon) { return addon.key == key; });
}

void InstalledAddons::forget(const AddonKey& key, const std::vector<std::string>& names) {
    const auto at = std::find_if(addons_.begin(), addons_.end(),
                                 [&key](const InstalledAddon& addon) { return addon.key == key; });
    if (at == addons_.end())
        return;
    const auto gone = FoldedNames(names);
    std::erase_if(at->writtenNames,
                  [&gone](const std::string& name) { return gone.contains(FoldCase(name)); });
}

void InstalledAddons::keepRemaining(const std::vector<std::string>& remaining,
                                    const std::filesystem::path& gameFolder, const AddonKey* only) {
    const FolderListing game(gameFolder);
    std::unordered_set<std::string> there;
    for (const std::string& name : remaining)
        if (game.find(name))
            there.insert(FoldCase(name));
    const auto concerned = [only](const InstalledAddon& addon) {
        return !only || addon.key == *only;
    };
    for (InstalledAddon& addon : addons_)
        if (concerned(addon))
            std::erase_if(addon.writtenNames, [&there](const std::string& name) {
                return !there.contains(FoldCase(name));
            });
    std::erase_if(addons_, [&concerned](const InstalledAddon& addon) {
        return concerned(addon) && addon.writtenNames.empty();
    });
}

std::unordered_map<std::string, std::size_t>
InstalledAddons::holders(const AddonKey* skipped) const {
    std::unordered_map<std::string, std::size_t> holder;
    for (std::size_t position = 0; position < addons_.size(); ++position) {
        if (skipped && addons_[position].key == *skipped)
            continue;
        for (const std::string& name : addons_[position].writtenNames)
            holder[FoldCase(name)] = position;
    }
    return holder;
}

void AddonFileRecord::wrote(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        folded_.insert(FoldCase(name));
}

void AddonFileRecord::deleted(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        folded_.erase(FoldCase(name));
}

bool AddonFileRecord::holds(const std::string& name) const {
    return folded_.contains(FoldCase(name));
}

std::vector<std::string> FileNamesOf(const std::vector<MemberCheck>& members) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const MemberCheck& member : members)
        if (seen.insert(FoldCase(member.name)).second)
            names.push_back(member.name);
    return names;
}

std::vector<MemberCheck> ArchiveMemberChecks(const std::filesystem::path& archive) {
    return ArchiveMemberChecks(ZipArchive(archive));
}

std::vector<MemberCheck> ArchiveMemberChecks(const ZipArchive& archive) {
    std::vector<MemberCheck> checks;
    for (std::size_t index = 0; index < archive.memberCount(); ++index) {
        const auto entry = archive.directoryEntry(index);
        if (const auto name = entry ? WrittenName(*entry) : std::nullopt)
            checks.push_back({*name, {entry->size, entry->crc}});
    }
    return checks;
}

} // namespace quorvel
