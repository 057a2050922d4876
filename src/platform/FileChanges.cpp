#include "platform/FileChanges.h"

#include <atomic>

namespace quorvel {
namespace {

// One load per change when nobody watches: nothing next to the system call.
std::atomic<FileChangeWatcher> watcher{nullptr};

} // namespace

void WatchFileChanges(FileChangeWatcher newWatcher) {
    watcher.store(newWatcher, std::memory_order_release);
}

void ReportFileChange(FileChange change, const std::filesystem::path& path,
                      const std::filesystem::path& source) {
    if (const FileChangeWatcher current = watcher.load(std::memory_order_acquire))
        current(change, path, source);
}

} // namespace quorvel
