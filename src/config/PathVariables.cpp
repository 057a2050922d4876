#include "config/PathVariables.h"

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

void recomputeProgramPaths(PathVariables& paths) {
    const fs::path& source = programFolderSource();
    paths.ProgramFolder = source.empty() ? fs::path() : NamePath(FolderText(source));
    paths.ConfigFilePath =
        paths.ProgramFolder.empty() ? fs::path() : paths.ProgramFolder / kConfigFileName;
}

fs::path storedFolder(const PathVariables& paths, std::string_view key) {
    return NamePath(ReadIniValue(paths.ConfigFilePath, kPathSection, key));
}

} // namespace

PathVariables& Paths() {
    static PathVariables paths;
    return paths;
}

void SetProgramFolder(const fs::path& folder) {
    programFolderSource() = folder;
}

std::string FolderText(const fs::path& folder) {
    // The system's own separator throughout, whichever one the caller's path used.
    std::string text = NameText(fs::path(folder).make_preferred());
    if (!text.empty() && text.back() != static_cast<char>(fs::path::preferred_separator))
        text += static_cast<char>(fs::path::preferred_separator);
    return text;
}

std::string StoredGameFolder() {
    return ReadIniValue(Paths().ConfigFilePath, kPathSection, kGameFolderKey);
}

void ReloadPaths(bool full) {
    PathVariables& paths = Paths();
    if (full)
        recomputeProgramPaths(paths);
    paths.GameFolder = storedFolder(paths, kGameFolderKey);
    paths.GameIniPath = paths.GameFolder.empty() ? fs::path() : paths.GameFolder / kGameIniName;
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        paths.CategoryFolder[i] = storedFolder(paths, kAddonCategories[i].pathKey);
    paths.BackupFolder = storedFolder(paths, kBackupPathKey);
}

bool StorePaths(const std::string& gameFolder) {
    PathVariables& paths = Paths();
    recomputeProgramPaths(paths);
    if (paths.ConfigFilePath.empty())
        return false;
    bool written = WriteIniValue(paths.ConfigFilePath, kPathSection, kGameFolderKey, gameFolder);
    for (const AddonCategory& category : kAddonCategories)
        written &= WriteIniValue(paths.ConfigFilePath, kPathSection, category.pathKey,
                                 FolderText(paths.ProgramFolder / category.folderName));
    written &= WriteIniValue(paths.ConfigFilePath, kPathSection, kBackupPathKey,
                             FolderText(paths.ProgramFolder / kBackupFolderName));
    return written;
}

} // namespace quorvel
