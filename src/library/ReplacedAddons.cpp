#include "library/ReplacedAddons.h"

#include "library/ExtractionPlan.h"
#include "platform/NameFolding.h"
#include "platform/ZipArchive.h"

#include <map>
#include <unordered_set>

namespace quorvel {

std::vector<ReplacedAddon> ReplacedAddons(const InstalledAddons& installed,
                                          const std::vector<std::string>& names,
                                          const AddonKey* leaving) {
    const auto holders = installed.holders(leaving);
    std::map<std::size_t, std::size_t> filesOf; // by position in install order
    std::unordered_set<std::string> counted;
    for (const std::string& name : names) {
        std::string folded = FoldCase(name);
        if (const auto holder = holders.find(folded);
            holder != holders.end() && counted.insert(std::move(folded)).second)
            ++filesOf[holder->second];
    }
    std::vector<ReplacedAddon> replaced;
    for (const auto& [position, files] : filesOf)
        replaced.push_back({UpperCase(installed.inOrder()[position].key.name), files});
    return replaced;
}

std::string ReplacedAddonsText(const std::vector<ReplacedAddon>& replaced) {
    std::string text;
    for (const ReplacedAddon& addon : replaced) {
        if (!text.empty())
            text += ", ";
        text += addon.name + " (" + std::to_string(addon.files) + ")";
    }
    return text;
}

std::vector<std::string> FileNamesOf(const std::vector<MemberCheck>& members) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const MemberCheck& member : members)
        if (seen.insert(FoldCase(member.name)).second)
            names.push_back(member.name);
    return names;
}

std::vector<std::string> ArchiveFileNames(const std::filesystem::path& archive) {
    return FileNamesOf(ArchiveMemberChecks(archive));
}

std::vector<MemberCheck> ArchiveMemberChecks(const std::filesystem::path& archivePath) {
    const ZipArchive archive(archivePath);
    std::vector<MemberCheck> checks;
    for (std::size_t index = 0; index < archive.memberCount(); ++index) {
        const auto entry = archive.directoryEntry(index);
        if (const auto name = entry ? WrittenName(*entry) : std::nullopt)
            checks.push_back({*name, {entry->size, entry->crc}});
    }
    return checks;
}

} // namespace quorvel
