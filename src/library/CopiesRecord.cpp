#include "library/CopiesRecord.h"

#include "config/PathVariables.h"
#include "config/RecordKeys.h"
#include "library/SecurityCopies.h"
#include "platform/FileCheck.h"
#include "platform/FileOperations.h"
#include "platform/FolderIdentity.h"
#include "platform/FolderListing.h"
#include "platform/IniFile.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kGameKey = "GAME=";
constexpr std::string_view kCopyKey = "COPY=";

fs::path recordFile(const fs::path& backupFolder) {
    return InFolder(backupFolder, kCopiesRecordName);
}

// The protected files the backup folder holds, with their checks; nothing when
// one of them cannot be read.
std::optional<std::vector<std::pair<std::string, FileCheck>>>
copiesIn(const fs::path& backupFolder) {
    const FolderListing backup(backupFolder);
    std::vector<std::pair<std::string, FileCheck>> copies;
    for (const std::string_view name : kProtectedFiles) {
        const auto actual = backup.find(std::string(name));
        if (!actual)
            continue;
        const auto check = CheckOfFile(InFolder(backupFolder, *actual));
        if (!check)
            return std::nullopt;
        copies.emplace_back(std::string(name), *check);
    }
    return copies;
}

bool parseCopy(std::string_view value, CopiesRecord& record) {
    const std::size_t blank = value.find(' ');
    const auto name = ProtectedFileNamed(value.substr(0, blank));
    const auto check =
        blank == std::string_view::npos ? std::nullopt : ParseFileCheck(value.substr(blank + 1));
    if (!name || !check || value.substr(0, blank) != *name)
        return false;
    const bool repeated = std::any_of(record.copies.begin(), record.copies.end(),
                                      [&](const auto& copy) { return copy.first == *name; });
    record.copies.emplace_back(std::string(*name), *check);
    return !repeated;
}

} // namespace

std::string CopiesRecordText(const CopiesRecord& record) {
    std::string text = std::string(kGameKey) + FolderText(record.gameFolder) + "\n";
    for (const auto& [name, check] : record.copies)
        text += std::string(kCopyKey) + name + " " + FileCheckText(check) + "\n";
    return text;
}

std::optional<CopiesRecord> ParseCopiesRecord(std::string_view text) {
    CopiesRecord record;
    while (!text.empty()) {
        const std::string_view row = TakeLine(text);
        const std::size_t equals = row.find('=');
        const auto kind = KindOf(kCopiesRecord, row.substr(0, equals));
        if (equals == std::string_view::npos || !kind || !ValueFits(*kind, row.substr(equals + 1)))
            return std::nullopt;
        if (row.starts_with(kGameKey) && record.gameFolder.empty())
            record.gameFolder = NamePath(row.substr(kGameKey.size()));
        else if (!row.starts_with(kCopyKey) || !parseCopy(row.substr(kCopyKey.size()), record))
            return std::nullopt;
    }
    if (record.gameFolder.empty() || !record.gameFolder.is_absolute())
        return std::nullopt;
    return record;
}

bool RecordCopies(const fs::path& backupFolder, const fs::path& gameFolder) {
    const auto copies = copiesIn(backupFolder);
    if (backupFolder.empty() || gameFolder.empty() || !copies)
        return false;
    return ReplaceFileAtomically(recordFile(backupFolder), CopiesRecordText({gameFolder, *copies}));
}

bool ForgetCopies(const fs::path& backupFolder) {
    return !backupFolder.empty() && DeleteFileEntry(recordFile(backupFolder));
}

CopiesState CheckCopies(const fs::path& backupFolder, const fs::path& gameFolder) {
    std::error_code error;
    const fs::path file = recordFile(backupFolder);
    if (backupFolder.empty() || !fs::exists(fs::symlink_status(file, error)))
        return CopiesState::Unrecorded;
    const auto text = ReadRecordFile(file, kCopiesRecord);
    const auto record = text ? ParseCopiesRecord(*text) : std::nullopt;
    if (!record)
        return CopiesState::NotAsRecorded;
    if (!SameFolder(record->gameFolder, gameFolder))
        return CopiesState::OfOtherGame;
    const auto copies = copiesIn(backupFolder);
    return copies && *copies == record->copies ? CopiesState::OfThisGame
                                               : CopiesState::NotAsRecorded;
}

std::vector<std::string> FilesCoveredByCopies(const fs::path& backupFolder,
                                              const fs::path& gameFolder) {
    std::vector<std::string> covered;
    if (CheckCopies(backupFolder, gameFolder) != CopiesState::OfThisGame)
        return covered;
    const FolderListing backup(backupFolder);
    for (const std::string_view name : kRestoredGameFiles)
        if (backup.find(std::string(name)))
            covered.emplace_back(name);
    return covered;
}

fs::path SetAsideCopiesFolder(const fs::path& backupFolder, const fs::path& gameFolder) {
    if (backupFolder.empty() || gameFolder.empty())
        return {};
    const std::string id = FileCheckText(CheckOfText(FolderText(gameFolder)));
    return NamePath(FolderText(backupFolder / "ASIDE" / id.substr(id.find(' ') + 1)));
}

fs::path CopiesFolderOf(const fs::path& backupFolder, const fs::path& gameFolder) {
    if (CheckCopies(backupFolder, gameFolder) == CopiesState::OfThisGame)
        return backupFolder;
    const fs::path aside = SetAsideCopiesFolder(backupFolder, gameFolder);
    return CheckCopies(aside, gameFolder) == CopiesState::OfThisGame ? aside : fs::path();
}

bool SetCopiesAside(const fs::path& backupFolder, const fs::path& gameFolder) {
    const fs::path aside = SetAsideCopiesFolder(backupFolder, gameFolder);
    if (aside.empty() || !MakeFolders(aside))
        return false;
    const FolderListing backup(backupFolder);
    std::vector<std::pair<fs::path, fs::path>> files;
    for (const std::string_view name : kProtectedFiles)
        if (const auto actual = backup.find(std::string(name)))
            files.emplace_back(InFolder(backupFolder, *actual), InFolder(aside, name));
    // The record last: it vouches for the copies before it.
    files.emplace_back(recordFile(backupFolder), recordFile(aside));
    return CopyEntriesFlushedTogether(files) == files.size();
}

void DropSetAsideCopies(const fs::path& backupFolder, const fs::path& gameFolder) {
    const fs::path aside = SetAsideCopiesFolder(backupFolder, gameFolder);
    if (aside.empty())
        return;
    const FolderListing listing(aside);
    for (const std::string& name : listing.regularFiles())
        DeleteFileEntry(InFolder(aside, name));
    std::error_code error;
    fs::remove(aside, error);
    fs::remove(aside.parent_path().parent_path(), error); // ASIDE, when no other game waits
}

std::string CopiesStateText(CopiesState state, const fs::path& backupFolder) {
    const std::string where = NameText(backupFolder);
    switch (state) {
    case CopiesState::OfThisGame:
        return {};
    case CopiesState::OfOtherGame:
        return "the security copies in " + where + " were taken from another game folder";
    case CopiesState::NotAsRecorded:
        return "the security copies in " + where + " are not as they were taken";
    case CopiesState::Unrecorded:
        return "the security copies in " + where + " are not known to be of this game folder";
    }
    return {};
}

bool AdoptCopies(const fs::path& backupFolder, const fs::path& gameFolder,
                 const std::vector<std::string>& addonsFiles) {
    // A stored backup folder that is the game folder holds the game's own files,
    // no copies of them.
    if (SameFolder(backupFolder, gameFolder))
        return false;
    const FolderListing backup(backupFolder);
    const FolderListing game(gameFolder);
    const bool none = std::none_of(
        kProtectedFiles.begin(), kProtectedFiles.end(),
        [&backup](std::string_view name) { return backup.find(std::string(name)).has_value(); });
    if (none)
        return true;
    for (const std::string_view view : kRestoredGameFiles) {
        const std::string name(view);
        const auto copy = backup.find(name);
        if (!copy ||
            std::find(addonsFiles.begin(), addonsFiles.end(), FoldCase(name)) != addonsFiles.end())
            continue;
        const auto own = game.find(name);
        const auto copyCheck = CheckOfFile(InFolder(backupFolder, *copy));
        if (!own || !copyCheck || CheckOfFile(InFolder(gameFolder, *own)) != copyCheck)
            return false;
    }
    return RecordCopies(backupFolder, gameFolder);
}

} // namespace quorvel
