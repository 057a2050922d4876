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

// The folder plainly, without its last separator, and climbing out and back in.
std::vector<std::string> spellingsOf(const fs::path& folder) {
    return {FolderText(folder), NameText(folder), FolderText(folder / ".." / folder.filename())};
}

std::string mangled(std::string value, ByteChoices& choices) {
    if (choices.oneIn(12))
        value.resize(choices.below(value.size() + 1));
    if (choices.oneIn(16))
        value += RecordPalette::codePageBytes(choices, 1 + choices.below(8));
    if (choices.oneIn(24))
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
    : games_(spellingsOf(world.game()))
    , folders_(kNoFolders)
    , names_(kOddNames) {
    for (const fs::path& game : {world.game(), world.other()})
        for (const auto& entry : fs::directory_iterator(game))
            if (const auto check = CheckOfFile(entry.path()))
                gameChecks_.push_back(*check);
    for (const fs::path& folder : {world.game(), world.other(), world.documents(),
                                   world.program() / kBackupFolderName, world.program()})
        addPlace(folder, world.root.path());
    for (const fs::path& folder : {world.program() / "EXES", world.root.path()})
        for (const std::string& text : spellingsOf(folder))
            folders_.push_back(text);
}

// The folder with the links to it in `root`: their spellings and the files in them.
void RecordPalette::addPlace(const fs::path& folder, const fs::path& root) {
    std::vector<fs::path> ways{folder};
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.is_symlink() && fs::equivalent(entry.path(), folder))
            ways.push_back(entry.path());
    Place place;
    for (const fs::path& way : ways) {
        for (const std::string& text : spellingsOf(way))
            place.folders.push_back(text);
        for (const auto& entry : fs::directory_iterator(way))
            if (const auto check = CheckOfFile(entry.path()))
                place.files.push_back({NameText(entry.path().filename()), NameText(way.filename()),
                                       NameText(entry.path()), notOfAGame(*check)});
    }
    folders_.insert(folders_.end(), place.folders.begin(), place.folders.end());
    places_.push_back(std::move(place));
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

const RecordPalette::WorldFile& RecordPalette::aimedFile(ByteChoices& choices) const {
    return choices.of(places_[choices.oneIn(4) ? choices.below(places_.size()) : aim_].files);
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

// Mostly the bare name, else with a folder part: absolute or climbing.
std::string RecordPalette::nameOf(const WorldFile& file, ByteChoices& choices) {
    switch (choices.below(9)) {
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
        return nameOf(aimedFile(choices), choices);
    default:
        return codePageBytes(choices, choices.below(64));
    }
}

std::string RecordPalette::valueFor(ValueKind kind, ByteChoices& choices) const {
    if (choices.oneIn(8))
        return mangled(anyValue(choices), choices);
    std::string value;
    switch (kind) {
    case ValueKind::GameFolder:
        value = choices.oneIn(4) ? choices.of(folders_) : choices.of(games_);
        break;
    case ValueKind::StoredFolder:
    case ValueKind::Derived:
        value = choices.oneIn(4) ? choices.of(folders_) : choices.of(places_[aim_].folders);
        break;
    case ValueKind::BareName:
    case ValueKind::AddonName:
        value = choices.oneIn(4) ? choices.of(names_) : nameOf(aimedFile(choices), choices);
        break;
    case ValueKind::CheckedName: {
        const WorldFile& file = aimedFile(choices);
        value = checkOf(file, choices) + " " + nameOf(file, choices);
        break;
    }
    case ValueKind::CopyCheck: {
        const WorldFile& file = aimedFile(choices);
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
