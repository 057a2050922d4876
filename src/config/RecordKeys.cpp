#include "config/RecordKeys.h"

#include "config/AddonCategory.h"
#include "platform/FileCheck.h"
#include "platform/FileOperations.h"
#include "platform/IniFile.h"
#include "platform/NameText.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// A record holds one line a fact; none of the program's own records reaches these
// sizes, so a bigger file is not one it wrote and is not read.
constexpr std::uint64_t kLongestLedger = 256ull << 20;
constexpr std::uint64_t kLongestSmallRecord = 1u << 20;

constexpr std::array kLedgerKeys{
    RecordKey{"GAME", ValueKind::GameFolder},    RecordKey{"ADDON", ValueKind::Category},
    RecordKey{"NAME", ValueKind::AddonName},     RecordKey{"ARCHIVE", ValueKind::Derived},
    RecordKey{"REPLACED", ValueKind::Text},      RecordKey{"PARTLY", ValueKind::Flag},
    RecordKey{"WROTE", ValueKind::BareName},     RecordKey{"CHECK", ValueKind::CheckedName},
    RecordKey{"ADDONFILE", ValueKind::BareName}, RecordKey{"KEPTIN", ValueKind::Derived},
    RecordKey{"KEPT", ValueKind::CheckedName}};

constexpr std::array kCopiesKeys{RecordKey{"GAME", ValueKind::GameFolder},
                                 RecordKey{"COPY", ValueKind::CopyCheck}};

constexpr auto configKeys() {
    std::array<RecordKey, kCategoryCount + 3> keys{};
    keys[0] = {"RUTAEAW", ValueKind::GameFolder};
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        keys[i + 1] = {kAddonCategories[i].pathKey, ValueKind::StoredFolder};
    keys[kCategoryCount + 1] = {kBackupPathKey, ValueKind::StoredFolder};
    keys[kCategoryCount + 2] = {"BACKUPS", ValueKind::Flag}; // [CONFIGURATION]
    return keys;
}
constexpr auto kConfigKeys = configKeys();

// A set's line is "CATEGORY=NAME": the key is a library folder's name.
constexpr auto setKeys() {
    std::array<RecordKey, kCategoryCount> keys{};
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        keys[i] = {kAddonCategories[i].folderName, ValueKind::AddonName};
    return keys;
}
constexpr auto kSetKeys = setKeys();

bool isAbsoluteFolder(std::string_view value) {
    return !value.empty() && value.find('\0') == std::string_view::npos &&
           NamePath(value).is_absolute();
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

const RecordDeclaration kLedgerRecord{"INSTALLED.TXT", kLongestLedger, kLedgerKeys};
const RecordDeclaration kCopiesRecord{"QUORVEL-COPIES.TXT", kLongestSmallRecord, kCopiesKeys};
const RecordDeclaration kConfigRecord{"QUORVEL.INI", kLongestSmallRecord, kConfigKeys};
const RecordDeclaration kSetRecord{"SETS/*.INI", kLongestLedger, kSetKeys};

std::optional<ValueKind> KindOf(const RecordDeclaration& record, std::string_view key) {
    const auto found = std::find_if(record.keys.begin(), record.keys.end(),
                                    [key](const RecordKey& k) { return k.name == key; });
    if (found == record.keys.end())
        return std::nullopt;
    return found->kind;
}

bool IsBareName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

bool ValueFits(ValueKind kind, std::string_view value) {
    switch (kind) {
    case ValueKind::GameFolder:
        return isAbsoluteFolder(value);
    case ValueKind::StoredFolder:
        // Read back whole: a value as long as a read returns may have been cut.
        return isAbsoluteFolder(value) && value.size() < kMaxIniValueLength &&
               isSeparator(value.back());
    case ValueKind::Derived:
    case ValueKind::Text:
        return true;
    case ValueKind::BareName:
        return IsBareName(value);
    case ValueKind::AddonName:
        // The library folder is listed by the system's rules: on Linux an archive's
        // name may hold a backslash or a colon.
        return !value.empty() && value != "." && value != ".." &&
               value.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos &&
               (fs::path::preferred_separator == '/' || IsBareName(value));
    case ValueKind::CheckedName: {
        const std::size_t second = value.find(' ', value.find(' ') + 1);
        return second != std::string_view::npos && ParseFileCheck(value.substr(0, second)) &&
               IsBareName(value.substr(second + 1));
    }
    case ValueKind::CopyCheck: {
        const std::size_t blank = value.find(' ');
        return blank != std::string_view::npos && IsBareName(value.substr(0, blank)) &&
               ParseFileCheck(value.substr(blank + 1));
    }
    case ValueKind::Category:
        return std::any_of(kAddonCategories.begin(), kAddonCategories.end(),
                           [value](const AddonCategory& c) { return c.folderName == value; });
    case ValueKind::Flag:
        return value == "0" || value == "1";
    }
    return false;
}

std::optional<std::string> ReadRecordFile(const fs::path& file, const RecordDeclaration& record) {
    std::error_code error;
    const std::uintmax_t size = file.empty() ? 0 : fs::file_size(file, error);
    if (file.empty() || error || size > record.longest)
        return std::nullopt;
    return ReadWholeFile(file);
}

} // namespace quorvel
