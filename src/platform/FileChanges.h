#pragma once

#include <filesystem>

namespace quorvel {

// Every call that changes the file system goes through the platform, which
// reports it here just before it is made. A test can watch the reports: count
// the changes an operation makes, or end the process at one of them to see what
// a crash there leaves on disk. The flushes are reported too, so that a test can
// tell what a power cut, rather than a kill, could still take away.

enum class FileChange {
    Create,     // a new file or folder
    Write,      // data into an open file
    Rename,     // an entry moved onto a name, possibly over an old entry
    Delete,     // an entry removed
    Copy,       // a file copied to a new name
    Attributes, // a time, permissions or the read-only attribute changed
    Flush       // data put on the disk: of the file `path`, or of every file on the disk of
                // the folder `path`; changes nothing a kill could interrupt
};

// Called on the thread that makes the change; extraction makes changes on several
// threads at once. `path` is the entry changed: for a rename or a copy, the name
// that receives the entry, and `source` the entry it comes from (empty for others).
using FileChangeWatcher = void (*)(FileChange change, const std::filesystem::path& path,
                                   const std::filesystem::path& source);

// Makes `watcher` the one watcher; null: none.
void WatchFileChanges(FileChangeWatcher watcher);

// Tells the watcher, if any, that `change` of `path` is about to be made.
void ReportFileChange(FileChange change, const std::filesystem::path& path,
                      const std::filesystem::path& source = {});

} // namespace quorvel
