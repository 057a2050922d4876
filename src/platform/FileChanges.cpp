#include "platform/FileChanges.h"

#include <atomic>

namespace quorvel {
namespace {

// One load per change when nobody watches: nothing next to the system call.
std::atomic<FileChangeWatcher> watcher{nullptr};

} // namespace

std::string_view FileChangeName(FileChange change) {
    switch (change) {
    case FileChange::Create:
        return "create";
    case FileChange::Write:
        return "write";
    case FileChange::Rename:
        return "rename";
    case FileChange::Delete:
        return "delete";
    case FileChange::Copy:
        return "copy";
    case FileChange::Attributes:
        return "attributes";
    }
    return "change";
}

void WatchFileChanges(FileChangeWatcher newWatcher) {
    watcher.store(newWatcher, std::memory_order_release);
}

void ReportFileChange(FileChange change, const std::filesystem::path& path,
                      const std::filesystem::path& source) {
    if (const FileChangeWatcher current = watcher.load(std::memory_order_acquire))
        current(change, path, source);
}

} // namespace quorvel
