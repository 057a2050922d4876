#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace quorvel::test {

// Every entry under a folder, by path relative to it: a file by its content, a
// folder as "<dir>", a link as "-> target". Compared whole, a snapshot shows any
// entry added, lost or changed anywhere in the tree.
using FolderSnapshot = std::map<std::string, std::string>;

// The snapshot of `root` without the entries `leftOut` names, which are not read.
FolderSnapshot SnapshotOf(const std::filesystem::path& root,
                          const std::set<std::string>& leftOut = {});

// Why `entries` cannot be laid out on Windows (a link, or two names that differ
// only in letter case), or nullptr when they can.
const char* WhyNotOnWindows(const FolderSnapshot& entries);

// The entries written "path=content; path=content", in the notation of a snapshot;
// a later entry of one path replaces an earlier one.
FolderSnapshot Tree(std::string_view text);

// Lays out `entries` (in the notation of a snapshot) under `root`.
void LayOut(const std::filesystem::path& root, const FolderSnapshot& entries);

// Writes an archive of `members` in name order, "<dir>" as a folder entry.
void MakeArchive(const std::filesystem::path& archive, const FolderSnapshot& members);

} // namespace quorvel::test
