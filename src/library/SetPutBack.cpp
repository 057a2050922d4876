#include "library/SetPutBack.h"

#include "library/AddonLibrary.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

#include <algorithm>

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
    std::vector<AddonKey> present;
    std::size_t members = 0;
    for (const AddonKey& addon : set) {
        const auto& folder = installation.paths().CategoryFolder.at(addon.category);
        if (!AddonArchiveExists(folder, addon.name)) {
            outcome.notPutBack.push_back({addon, "its archive is no longer in the library"});
            continue;
        }
        present.push_back(addon);
        members += ZipArchive(AddonArchivePath(folder, addon.name)).memberCount();
    }
    std::size_t before = 0;
    for (const AddonKey& addon : present) {
        if (stop && stop()) {
            outcome.stopped = true;
            break;
        }
        std::size_t inThisOne = 0;
        const InstallOutcome installed =
            installation.install(addon.category, addon.name, [&](std::size_t done, std::size_t) {
                inThisOne = done;
                if (progress)
                    progress(before + done, std::max(members, before + done));
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
