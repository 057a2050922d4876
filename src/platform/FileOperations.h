#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace quorvel {

// Copies `source` over `destination` through a temporary file in the destination's
// folder, flushed to the disk before it takes the destination's place (and the
// folder after), so `destination` holds either its old content or the whole new
// one, also after a power cut. The temporary is `destination` followed by ".quorvel-tmp"; one left
// there by a killed copy is replaced.
// `destination` is taken as given (resolve its case first). Returns false, leaving
// `destination` untouched, when anything fails; a missing source is a failure.
// `error`, when given, then tells why.
bool CopyFileReplacing(const std::filesystem::path& source,
                       const std::filesystem::path& destination, std::error_code* error = nullptr);

// Copies the entry `source` over `destination` as CopyFileReplacing does, a link
// as a link (never what it points to). Returns false, `destination` untouched,
// when anything fails.
bool CopyEntryReplacing(const std::filesystem::path& source,
                        const std::filesystem::path& destination);

// Copies each pair's source (a link as a link) to its destination, replacing an
// entry there, then puts them all on the disk together: for many files at once,
// where a flush each would wait on the disk each time. Returns how many were
// copied, in order, before one failed; those are on the disk too.
std::size_t CopyEntriesFlushedTogether(
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& copies);

// As CopyEntriesFlushedTogether, but a file that can be written is given a second
// name (a hard link) where the disk allows it, rather than copied: for keeping
// files that are about to be replaced by a new file under their name, never
// changed where they lie.
std::size_t KeepEntriesFlushedTogether(
    const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& entries);

// Puts the data of `files`, all on one disk, on that disk together: one flush of
// the file system where the system has one, else a flush each. Returns false when
// the disk refused a flush.
bool FlushFilesTogether(const std::vector<std::filesystem::path>& files);

// Puts the folder's entries on the disk: a renamed file is safe from a power cut
// only once its folder is. A file system that cannot flush a folder (some network
// ones) leaves the names to the system's own time; Windows flushes names with the file.
void FlushFolder(const std::filesystem::path& folder);

// Makes `folder` and the folders above it that are missing. Returns whether it is
// a folder now.
bool MakeFolders(const std::filesystem::path& folder);

// Deletes `path` when it is a regular file or a link (the link itself, never what
// it points to). Folders and other kinds of entry are left alone. Returns whether
// the entry is gone now.
bool DeleteFileEntry(const std::filesystem::path& path);

// The whole content of a file as bytes; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// What to do with a file that carries the read-only attribute.
enum class ReadOnlyFile {
    Keep, // not replaced: the player made it so
    Clear // the game's own file, which a copy from its CD leaves read-only on Windows
};

// Replaces `path` with `content` atomically: the temporary file `path` followed by
// ".quorvel-tmp" (one left by a killed write is replaced), flushed to the disk,
// then renamed over the old one, and the folder flushed so that the new name
// survives a power cut too. The folder is never read. A file without write
// permission is not replaced, unless `readOnly` says to clear the read-only
// attribute first (which Windows has; elsewhere it stays refused). Returns false,
// leaving the old file as it was, on any failure.
bool ReplaceFileAtomically(const std::filesystem::path& path, const std::string& content,
                           ReadOnlyFile readOnly = ReadOnlyFile::Keep);

// Puts the complete file `temporary` in place of `target` so that, whatever
// moment the process dies at, the name holds the old entry or the new file:
// the two are swapped in one step and the old entry (a link as a link) then
// deleted, which on ext4 avoids the forced flush of a rename over an existing
// file; where a swap is not possible the temporary is renamed over the old
// entry. On failure the temporary file is removed, the old entry stays and
// `error` tells why.
bool ReplaceEntry(const std::filesystem::path& temporary, const std::filesystem::path& target,
                  std::error_code& error);

// Renames `from` to `to`, replacing an entry of that name where the system lets
// it (Windows keeps a read-only file). Returns false, `error` telling why, when
// the rename failed.
bool RenameEntry(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::error_code& error);

// Moves the entry `from` (a link as a link) to `to` when no entry has that name and
// both are on one disk: no byte is copied, and the file is the same file. Nothing
// ever replaces an entry at `to`. Returns false, `from` as it was, otherwise. The
// new name is safe from a power cut once the folder of `to` is flushed.
bool MoveEntryToFreeName(const std::filesystem::path& from, const std::filesystem::path& to);

// As RenameEntry, but an existing file `to` that carries the read-only attribute
// is replaced too: Windows refuses a rename over such a file, and copies of a
// game installed from its CD are read-only. The flags are cleared only on Windows.
bool RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error);

// Makes the folder `folder` when it is missing (its parent must exist). Returns
// whether a folder is there now; an empty path is none.
bool CreateFolder(const std::filesystem::path& folder);

// A name for a temporary file beside `target` that does not exist yet; it ends
// in ".quorvel-tmp". For extracted files, which are not flushed.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// Deletes the regular files directly in `folder` whose names end in
// ".quorvel-tmp": what a run killed halfway through a write left behind. Links,
// folders and other names are left alone; an empty folder path does nothing.
// Returns how many were deleted.
std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& folder);

// The name of the entry `name` in `folder` as the folder holds it (on Windows in
// its own letter case), found by one question to the file system rather than a
// walk of the folder; nothing when there is none, or when the name is one the
// system would not take literally (a pattern, a name it trims, an 8.3 name of
// another file), which only a walk can tell.
std::optional<std::string> EntryNamed(const std::filesystem::path& folder, const std::string& name);

} // namespace quorvel
