#include "library/SetPutBack.h"

#include "library/AddonLibrary.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace fs = std::filesystem;

namespace quorvel {

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
    if (set.empty())
        return PutBackOutcome::NotDone("The set holds no add-on.");
    if (installation.paths().GameFolder.empty())
        return PutBackOutcome::NotDone("No game folder is chosen.");
    SetArchives archives = CheckSetArchives(installation.paths(), set);
    PutBackReport report;
    report.notPutBack = std::move(archives.missing);
    report.namedTwice = std::move(archives.namedTwice);
    // Taking the setup out for nothing in its place would only empty the game.
    if (archives.present.empty())
        return PutBackOutcome::NotDone(
            "none of its add-ons can go in, so the add-ons installed now stay.", std::move(report));
    const ClearOutcome cleared = installation.clearAll(progress);
    if (!cleared.done())
        return PutBackOutcome::NotDone("Clear All did not touch the game folder " + cleared.why(),
                                       std::move(report));
    if (!cleared->failed.empty())
        return PutBackOutcome::NotDone("Clear All could not delete or put back: " +
                                           FewNames(cleared->failed),
                                       std::move(report));
    std::size_t before = 0;
    for (const AddonKey& addon : archives.present) {
        if (stop && stop()) {
            report.stopped = true;
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
        if (installed.done())
            report.putBack.push_back(addon);
        else
            report.notPutBack.push_back({addon, installed.why()});
    }
    return PutBackOutcome::Done(std::move(report));
}

} // namespace quorvel
