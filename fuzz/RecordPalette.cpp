#include "RecordPalette.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "platform/NameText.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace quorvel::fuzz {
namespace {

// What names no folder a program may use, or one only Windows knows.
const std::vector<std::string> kNoFolders{
    "./",      "../EAW/",     "EAW\\",     "Documents/",         "", "/", "CON", "NUL", "COM1\\",
    "\\\\.\\", "\\\\.\\C:\\", "C:\\EAW\\", "\\\\server\\share\\"};
const std::vector<std::string> kOddNames{
    "NEWEXE", "CON",     "NUL",      "COM1",          "AUX.TXT",          "\\\\.\\COM1",
    ".",      "..",      "EAW.EXE ", "EAW.EXE.",      "eaw.exe",          "INSTALLED.TXT",
    "KEPT",   "BACKUPS", "SETS",     "EAW.EXE:extra", "EAW.EXE\\nEAW.INI"};
const std::vector<std::string> kFlags{"1", "0", "2", "", " 1", "01", "yes"};
const std::vector<std::string> kTexts{"",
                                      "x",
                                      "\xDC"
                                      "ber",
                                      "\xC3",
                                      "\xC3\x9C",
                                      "CLOUDS (1), COCKPITS (2)",
                                      "a\\nb\\",
                                      "\xEF\xBB\xBF"};
const std::vector<std::string> kHeaders{
    "[PATH]", "[CONFIGURATION]", "[", "[PATH", "; a note", "#", "=", " "};

std::string mangled(std::string value, ByteChoices& choices) {
    if (choices.oneIn(6))
        value.resize(choices.below(value.size() + 1));
    if (choices.oneIn(8))
        value += RecordPalette::codePageBytes(choices, 1 + choices.below(8));
    if (choices.oneIn(12))
        value.insert(choices.below(value.size() + 1), 1, '\0');
    return value;
}

std::string twisted(std::string key, ByteChoices& choices) {
    switch (choices.below(3)) {
    case 0:
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return key;
    case 1:
        return " " + key;
    default:
        return key + " ";
    }
}

} // namespace

RecordPalette::RecordPalette(const test::ForgedWorld& world)
    : games_{FolderText(world.game()), NameText(world.game()),
             FolderText(world.game() / ".." / world.game().filename()), "../EAW/"}
    , folders_(kNoFolders)
    , names_(kOddNames) {
    const fs::path backups = world.program() / kBackupFolderName;
    std::vector<fs::path> places{world.game(),     world.other(), world.documents(),
                                 world.program(),  backups,       world.program() / "EXES",
                                 world.root.path()};
    for (const auto& entry : fs::directory_iterator(world.root.path()))
        if (entry.is_symlink())
            places.push_back(entry.path());
    for (const fs::path& place : places)
        addFolder(place);
    for (const fs::path& game : {world.game(), world.other()})
        for (const auto& entry : fs::directory_iterator(game))
            if (const auto check = CheckOfFile(entry.path()))
                gameChecks_.push_back(*check);
    for (const fs::path& place : places)
        for (const auto& entry : fs::directory_iterator(place))
            if (const auto check = CheckOfFile(entry.path()))
                files_.push_back({NameText(entry.path().filename()), NameText(place.filename()),
                                  NameText(entry.path()), notOfAGame(*check)});
}

void RecordPalette::addFolder(const fs::path& folder) {
    folders_.push_back(FolderText(folder));
    folders_.push_back(NameText(folder));
    folders_.push_back(FolderText(folder / ".." / folder.filename()));
}

FileCheck RecordPalette::notOfAGame(FileCheck check) const {
    while (std::find(gameChecks_.begin(), gameChecks_.end(), check) != gameChecks_.end())
        ++check.crc;
    return check;
}

std::string RecordPalette::codePageBytes(ByteChoices& choices, std::size_t count) {
    static constexpr std::string_view kPunctuation("\0\r\n= []\\/.:;\"", 14);
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        const char byte = choices.byte();
        bytes += (byte & 0x80) != 0
                     ? byte
                     : kPunctuation[static_cast<unsigned char>(byte) % kPunctuation.size()];
    }
    return bytes;
}

// Mostly wrong: of another size or CRC, as a file changed since, or nothing.
std::string RecordPalette::checkOf(const WorldFile& file, ByteChoices& choices) const {
    FileCheck check = file.check;
    if (!choices.oneIn(3)) {
        switch (choices.below(4)) {
        case 0:
            check.crc = 0;
            break;
        case 1:
            check.crc = ~check.crc;
            break;
        case 2:
            ++check.size;
            break;
        default:
            check = {};
        }
    }
    return FileCheckText(notOfAGame(check));
}

std::string RecordPalette::nameOf(const WorldFile& file, ByteChoices& choices) const {
    switch (choices.below(6)) {
    case 1:
        return file.path;
    case 2:
        return "../" + file.folder + "/" + file.name;
    case 3:
        return "..\\\\..\\\\" + file.folder + "\\\\" + file.name;
    default:
        return file.name;
    }
}

std::string RecordPalette::anyValue(ByteChoices& choices) const {
    switch (choices.below(4)) {
    case 0:
        return choices.of(folders_);
    case 1:
        return choices.of(names_);
    case 2:
        return nameOf(choices.of(files_), choices);
    default:
        return codePageBytes(choices, choices.below(64));
    }
}

std::string RecordPalette::valueFor(ValueKind kind, ByteChoices& choices) const {
    if (choices.oneIn(5))
        return mangled(anyValue(choices), choices);
    std::string value;
    switch (kind) {
    case ValueKind::GameFolder:
        value = choices.oneIn(2) ? choices.of(folders_) : choices.of(games_);
        break;
    case ValueKind::StoredFolder:
    case ValueKind::Derived:
        value = choices.of(folders_);
        break;
    case ValueKind::BareName:
    case ValueKind::AddonName:
        value = choices.oneIn(4) ? choices.of(names_) : nameOf(choices.of(files_), choices);
        break;
    case ValueKind::CheckedName: {
        const WorldFile& file = choices.of(files_);
        value = checkOf(file, choices) + " " + nameOf(file, choices);
        break;
    }
    case ValueKind::CopyCheck: {
        const WorldFile& file = choices.of(files_);
        value = nameOf(file, choices) + " " + checkOf(file, choices);
        break;
    }
    case ValueKind::Category:
        value = choices.oneIn(4)
                    ? choices.of(names_)
                    : std::string(kAddonCategories[choices.below(kCategoryCount)].folderName);
        break;
    case ValueKind::Flag:
        value = choices.of(kFlags);
        break;
    case ValueKind::Text:
        value = choices.of(kTexts);
        break;
    }
    return mangled(value, choices);
}

std::string RecordPalette::strayLine(const RecordDeclaration& record, ByteChoices& choices) const {
    switch (choices.below(5)) {
    case 0: {
        const RecordDeclaration& other = *kRecords[choices.below(kRecords.size())];
        const RecordKey& key = other.keys[choices.below(other.keys.size())];
        const std::string name = &other == &record || choices.oneIn(2)
                                     ? twisted(std::string(key.name), choices)
                                     : std::string(key.name);
        return name + "=" + valueFor(key.kind, choices);
    }
    case 1:
        return choices.of(kHeaders);
    case 2:
        return codePageBytes(choices, choices.below(40));
    case 3:
        return anyValue(choices);
    default:
        return "=" + anyValue(choices);
    }
}

} // namespace quorvel::fuzz
