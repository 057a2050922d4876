#include "library/Unzip.h"

#include "library/ChainExtraction.h"
#include "library/ExtractionPlan.h"
#include "library/SkippedMember.h"
#include "platform/FileOperations.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "platform/Workers.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

using Status = Extraction::Status;

// Deleting an old file can wait for the disk (ext4 mounted with `discard` frees
// its blocks at once), so more threads than cores keep the cores busy; beyond
// eight they gain nothing on one disk, and each holds its own buffers.
constexpr std::size_t kWorkersPerCore = 4;
constexpr std::size_t kMostWorkers = 8;

Status statusOf(ZipArchive::OpenStatus status) {
    switch (status) {
    case ZipArchive::OpenStatus::Missing:
        return Status::ArchiveMissing;
    case ZipArchive::OpenStatus::NotAZipArchive:
        return Status::NotAZipArchive;
    default:
        return Status::ArchiveUnreadable;
    }
}

UnzipResult failure(Status status, std::string description) {
    Extraction report;
    report.status = status;
    return UnzipResult::NotDone(std::move(description), std::move(report));
}

// Hands the members done to the caller's progress one at a time, whichever
// thread finished them.
class ProgressCounter {
public:
    ProgressCounter(const UnzipProgress& progress, std::size_t total)
        : progress_(progress)
        , total_(total) {}

    void memberDone() {
        if (!progress_)
            return;
        const std::lock_guard lock(mutex_);
        progress_(++done_, total_);
    }

private:
    const UnzipProgress& progress_;
    const std::size_t total_;
    std::mutex mutex_;
    std::size_t done_ = 0;
};

std::size_t workerCount(const UnzipTuning& tuning, std::size_t chains) {
    const std::size_t wanted =
        tuning.workers > 0 ? tuning.workers : kWorkersPerCore * MachineCores();
    return std::max<std::size_t>(1, std::min({wanted, kMostWorkers, chains}));
}

// Writes every chain, the workers taking the next chain as they finish one. Worker
// 0 reads through `archive`; each other worker through a handle of its own (libzip
// handles are not shared between threads), opened here before the threads start
// since opening reads the time zone, and left idle if it cannot be opened.
std::vector<ChainOutcome> extractChains(const ZipArchive& archive, const fs::path& archivePath,
                                        const ExtractionPlan& plan,
                                        const DestinationFolder& destination,
                                        const UnzipTuning& tuning, ProgressCounter& progress) {
    std::vector<ZipArchive> ownHandles;
    for (std::size_t worker = 1; worker < workerCount(tuning, plan.chains.size()); ++worker)
        ownHandles.emplace_back(archivePath);
    std::vector<ChainOutcome> outcomes(plan.chains.size());
    std::atomic<std::size_t> nextChain{0};
    RunOnWorkers(ownHandles.size() + 1, [&](std::size_t worker) {
        const ZipArchive& handle = worker == 0 ? archive : ownHandles[worker - 1];
        if (!handle.isOpen())
            return;
        MemberReader reader(handle, tuning.wholeMemberBound);
        for (std::size_t chain = nextChain++; chain < plan.chains.size(); chain = nextChain++)
            outcomes[chain] = StageChain(plan.chains[chain], reader, destination,
                                         [&progress] { progress.memberDone(); });
    });
    return outcomes;
}

// Durable, then published: every staged file's data goes to the disk in one flush
// before any takes its name, so a power cut never leaves a replaced file empty
// under an add-on's name; then the names, so that whoever records the files as
// written records what the disk holds. A flush the disk refuses is no reason to
// keep the add-on out: its files are as safe as any other program's then.
void publishChains(std::vector<ChainOutcome>& outcomes, const fs::path& destination,
                   const UnzipTuning& tuning) {
    std::vector<fs::path> staged;
    for (const ChainOutcome& outcome : outcomes)
        for (const StagedFile& file : outcome.staged)
            staged.push_back(file.temporary);
    if (staged.empty())
        return;
    FlushFilesTogether(staged);
    std::atomic<std::size_t> nextChain{0};
    RunOnWorkers(workerCount(tuning, outcomes.size()), [&](std::size_t) {
        for (std::size_t chain = nextChain++; chain < outcomes.size(); chain = nextChain++)
            PublishChain(outcomes[chain]);
    });
    FlushFolder(destination);
}

// What became of the extraction as a whole: nothing written at all is a failure
// whatever the reason, and members the destination refused are told.
UnzipResult stateOutcome(Extraction report, const fs::path& archivePath) {
    std::vector<SkippedMember> refused;
    std::copy_if(report.skipped.begin(), report.skipped.end(), std::back_inserter(refused),
                 [](const SkippedMember& member) { return member.refusedByDestination; });
    if (report.writtenNames.empty()) {
        report.status = Status::NothingWritten;
        std::string why = NameText(archivePath) + ": " + NothingWrittenText(report.skipped);
        return UnzipResult::NotDone(std::move(why), std::move(report));
    }
    if (!refused.empty()) {
        report.status = Status::SomeNotWritten;
        std::string why = NameText(archivePath) + ": " + NotWrittenText(refused);
        return UnzipResult::NotDone(std::move(why), std::move(report));
    }
    report.status = Status::Extracted;
    return UnzipResult::Done(std::move(report));
}

// The chains' outcomes as one result, names in the order a member-by-member
// extraction would have written them first.
UnzipResult merged(const ExtractionPlan& plan, std::vector<ChainOutcome>& outcomes,
                   const fs::path& archivePath) {
    Extraction result;
    result.skipped = plan.unusable;
    std::vector<std::pair<std::size_t, std::string>> written;
    for (ChainOutcome& outcome : outcomes) {
        std::move(outcome.skipped.begin(), outcome.skipped.end(),
                  std::back_inserter(result.skipped));
        std::move(outcome.written.begin(), outcome.written.end(), std::back_inserter(written));
    }
    std::sort(written.begin(), written.end());
    for (auto& [index, name] : written)
        result.writtenNames.push_back(std::move(name));
    std::sort(result.skipped.begin(), result.skipped.end(),
              [](const SkippedMember& a, const SkippedMember& b) { return a.index < b.index; });
    return stateOutcome(std::move(result), archivePath);
}

// Extracts the members that `choose` leaves in the plan of the whole archive.
UnzipResult extract(const fs::path& archivePath, const fs::path& destinationPath,
                    const UnzipProgress& progress, const UnzipTuning& tuning,
                    const std::function<void(ExtractionPlan&)>& choose) {
    std::error_code ec;
    if (destinationPath.empty())
        return failure(Status::DestinationMissing, "No destination folder is set");
    if (!fs::is_directory(destinationPath, ec))
        return failure(Status::DestinationMissing, NameText(destinationPath) + ": No such folder");
    const ZipArchive archive(archivePath);
    if (!archive.isOpen())
        return failure(statusOf(archive.status()), archive.errorText());

    ExtractionPlan plan = PlanExtraction(archive);
    if (choose)
        choose(plan);
    ProgressCounter counter(progress, PlannedMemberCount(plan));
    for (std::size_t i = 0; i < plan.folderEntries + plan.unusable.size(); ++i)
        counter.memberDone();
    RemoveLeftoverTemporaries(destinationPath); // before any thread writes one of its own
    const DestinationFolder destination(destinationPath);
    std::vector<ChainOutcome> outcomes;
    try {
        outcomes = extractChains(archive, archivePath, plan, destination, tuning, counter);
    } catch (...) {
        // What was staged is no file of the game's nor yet of the add-on's.
        RemoveLeftoverTemporaries(destinationPath);
        throw;
    }
    publishChains(outcomes, destinationPath, tuning);
    return merged(plan, outcomes, archivePath);
}

} // namespace

UnzipResult Unzip(const fs::path& archivePath, const fs::path& destinationPath,
                  const UnzipProgress& progress, const UnzipTuning& tuning) {
    return extract(archivePath, destinationPath, progress, tuning, {});
}

UnzipResult UnzipMembers(const fs::path& archivePath, const fs::path& destinationPath,
                         const std::vector<std::string>& names, const UnzipProgress& progress) {
    const auto folded = FoldedNames(names);
    return extract(archivePath, destinationPath, progress, {},
                   [&folded](ExtractionPlan& plan) { KeepOnlyNames(plan, folded); });
}

} // namespace quorvel
