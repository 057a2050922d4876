#include "library/SetPutBack.h"

#include "library/AddonLibrary.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

std::string whyNotInstalled(const InstallOutcome& outcome) {
    if (!outcome.error.empty())
        return outcome.error;
    if (outcome.extraction && !outcome.extraction->ok())
        return outcome.extraction->description;
    return {};
}

} // namespace

SetArchives CheckSetArchives(const PathVariables& paths, const std::vector<AddonKey>& set) {
    SetArchives found;
    std::array<std::optional<AddonArchives>, kCategoryCount> libraries;
    std::unordered_set<std::string> archives;
    for (const AddonKey& addon : set) {
        std::optional<AddonArchives>& library = libraries.at(addon.category);
        if (!library)
            library.emplace(paths.CategoryFolder.at(addon.category));
        const std::optional<fs::path> archive = library->find(addon.name);
        if (!archive) {
            found.missing.push_back({addon, "its archive is no longer in the library"});
            continue;
        }
        if (!archives.insert(archive->string()).second) {
            found.namedTwice.push_back(addon);
            continue;
        }
        const ZipArchive zip(*archive);
        if (!zip.isOpen()) {
            found.missing.push_back({addon, zip.errorText()});
            continue;
        }
        found.members += zip.memberCount();
        found.present.push_back(addon);
    }
    return found;
}

PutBackOutcome PutBackSet(Installation& installation, const std::vector<AddonKey>& set,
                          const UnzipProgress& progress, const StopRequest& stop) {
    PutBackOutcome outcome;
    if (set.empty()) {
        outcome.refusal = "The set holds no add-on.";
        return outcome;
    }
    if (installation.paths().GameFolder.empty()) {
        outcome.refusal = "No game folder is chosen.";
        return outcome;
    }
    SetArchives archives = CheckSetArchives(installation.paths(), set);
    outcome.notPutBack = std::move(archives.missing);
    outcome.namedTwice = std::move(archives.namedTwice);
    // Taking the setup out for nothing in its place would only empty the game.
    if (archives.present.empty()) {
        outcome.refusal = "none of its add-ons can go in, so the add-ons installed now stay.";
        return outcome;
    }
    const ClearOutcome cleared = installation.clearAll(progress);
    if (!cleared.refusal.empty()) {
        outcome.refusal = "Clear All did not touch the game folder " + cleared.refusal;
        return outcome;
    }
    if (!cleared.files.failed.empty()) {
        outcome.refusal =
            "Clear All could not delete or put back: " + FewNames(cleared.files.failed);
        return outcome;
    }
    std::size_t before = 0;
    for (const AddonKey& addon : archives.present) {
        if (stop && stop()) {
            outcome.stopped = true;
            break;
        }
        std::size_t inThisOne = 0;
        const InstallOutcome installed =
            installation.install(addon.category, addon.name, [&](std::size_t done, std::size_t) {
                inThisOne = done;
                if (progress)
                    progress(before + done, std::max(archives.members, before + done));
            });
        before += inThisOne;
        if (const std::string why = whyNotInstalled(installed); why.empty())
            outcome.putBack.push_back(addon);
        else
            outcome.notPutBack.push_back({addon, why});
    }
    return outcome;
}

} // namespace quorvel
