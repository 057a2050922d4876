#include "config/PathVariables.h"

#include "config/RecordKeys.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/IniFile.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kConfigFileName = "QUORVEL.INI";
constexpr std::string_view kGameIniName = "EAW.INI";
constexpr std::string_view kPathSection = "PATH";
constexpr std::string_view kGameFolderKey = "RUTAEAW";

fs::path& programFolderSource() {
    static fs::path folder;
    return folder;
}

constexpr std::string_view kFirstRunSection = "CONFIGURATION";
constexpr std::string_view kFirstRunKey = "BACKUPS";

} // namespace

fs::path ProgramFolder() {
    const fs::path& source = programFolderSource();
    return source.empty() ? fs::path() : NamePath(FolderText(source));
}

void SetProgramFolder(const fs::path& folder) {
    programFolderSource() = folder;
}

fs::path ConfigFile() {
    const fs::path folder = ProgramFolder();
    return folder.empty() ? fs::path() : folder / kConfigFileName;
}

std::string FolderText(const fs::path& folder) {
    // The system's own separator throughout, whichever one the caller's path used.
    std::string text = NameText(fs::path(folder).make_preferred());
    if (!text.empty() && text.back() != static_cast<char>(fs::path::preferred_separator))
        text += static_cast<char>(fs::path::preferred_separator);
    return text;
}

std::string StoredGameFolder() {
    return ReadIniValue(ConfigFile(), kPathSection, kGameFolderKey);
}

// One read of the file for all nine keys.
PathVariables ReadStoredPaths() {
    PathVariables paths;
    paths.ProgramFolder = ProgramFolder();
    paths.ConfigFilePath = ConfigFile();
    const std::string text = paths.ConfigFilePath.empty()
                                 ? std::string()
                                 : ReadRecordFile(ResolvePath(paths.ConfigFilePath), kConfigRecord)
                                       .value_or(std::string());
    const auto stored = [&text](std::string_view key) {
        return NamePath(ReadIniValueIn(text, kPathSection, key));
    };
    // A folder the program stored beside itself that reads back cut short or
    // relative is worked out again from the program folder; none stored stays none.
    const auto storedFolder = [&](std::string_view key, std::string_view folderName) {
        const std::string value = ReadIniValueIn(text, kPathSection, key);
        if (value.empty() || ValueFits(*KindOf(kConfigRecord, key), value))
            return NamePath(value);
        return paths.ProgramFolder.empty() ? fs::path()
                                           : NamePath(FolderText(paths.ProgramFolder / folderName));
    };
    paths.GameFolder = stored(kGameFolderKey);
    paths.GameIniPath = paths.GameFolder.empty() ? fs::path() : paths.GameFolder / kGameIniName;
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        paths.CategoryFolder[i] =
            storedFolder(kAddonCategories[i].pathKey, kAddonCategories[i].folderName);
    paths.BackupFolder = storedFolder(kBackupPathKey, kBackupFolderName);
    return paths;
}

// All nine keys change in one replace, so that a crash never leaves the game
// folder new and the library folders old.
bool StorePaths(const std::string& gameFolder) {
    const fs::path folder = ProgramFolder();
    if (folder.empty())
        return false;
    const fs::path file = ResolvePath(folder / kConfigFileName);
    auto text = ReadIniFileForWriting(file);
    if (!text)
        return false;
    bool set = SetIniValueIn(*text, kPathSection, kGameFolderKey, gameFolder);
    for (const AddonCategory& category : kAddonCategories)
        set = set && SetIniValueIn(*text, kPathSection, category.pathKey,
                                   FolderText(folder / category.folderName));
    set = set && SetIniValueIn(*text, kPathSection, kBackupPathKey,
                               FolderText(folder / kBackupFolderName));
    return set && ReplaceFileAtomically(file, *text);
}

bool FirstRunWindowDue() {
    return ReadIniValue(ConfigFile(), kFirstRunSection, kFirstRunKey) != "1";
}

bool StoreFirstRunFlag(bool doNotShowAgain) {
    return WriteIniValue(ConfigFile(), kFirstRunSection, kFirstRunKey, doNotShowAgain ? "1" : "0");
}

} // namespace quorvel
