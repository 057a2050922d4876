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

// Lays out `entries` (in the notation of a snapshot) under `root`.
void LayOut(const std::filesystem::path& root, const FolderSnapshot& entries);

} // namespace quorvel::test
