#include "library/InstalledAddons.h"

#include "platform/NameFolding.h"

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
    std::unordered_set<std::string> gone;
    for (const std::string& name : names)
        gone.insert(FoldCase(name));
    std::erase_if(at->writtenNames,
                  [&gone](const std::string& name) { return gone.contains(FoldCase(name)); });
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

} // namespace quorvel
