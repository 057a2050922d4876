#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace quorvel::test {

// Every entry under a folder, by path relative to it: a file by its content, a
// folder as "<dir>", a link as "-> target". Compared whole, a snapshot shows any
// entry added, lost or changed anywhere in the tree.
using FolderSnapshot = std::map<std::string, std::string>;

FolderSnapshot SnapshotOf(const std::filesystem::path& root);

// Why `entries` cannot be laid out on Windows (a link, or two names that differ
// only in letter case), or nullptr when they can.
const char* WhyNotOnWindows(const FolderSnapshot& entries);

// Lays out `entries` (in the notation of a snapshot) under `root`.
void LayOut(const std::filesystem::path& root, const FolderSnapshot& entries);

// Lays out the GAME/ and BACKUPS/ folders under `root`, then `entries`.
void LayOutGameAndBackups(const std::filesystem::path& root, const FolderSnapshot& entries);

// `entries` together with the GAME/ and BACKUPS/ folders, as a snapshot of the
// root of LayOutGameAndBackups shows them.
FolderSnapshot WithGameAndBackups(FolderSnapshot entries);

} // namespace quorvel::test
