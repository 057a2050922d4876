#pragma once

#include "ByteChoices.h"
#include "config/RecordKeys.h"
#include "library/ForgedWorld.h"
#include "platform/FileCheck.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::fuzz {

// The values a forged record is made of, drawn from the world it is forged in:
// the folders as absolute, relative, climbing and linked paths, Windows device
// names, the names of the files that lie there, their size and CRC, and bytes
// of any code page. No size and CRC it gives is that of a file in either game:
// such a check would make an honest record, one after which taking the file out
// is right.
class RecordPalette {
public:
    explicit RecordPalette(const test::ForgedWorld& world);

    // Picks the place of the world most values name from now on: a forger of a
    // record aims at one folder, its files and their checks.
    void aim(ByteChoices& choices) { aim_ = choices.below(places_.size()); }
    // A value for a key of `kind`: mostly one of the sort the kind holds,
    // sometimes anything, sometimes cut short or with stray bytes.
    std::string valueFor(ValueKind kind, ByteChoices& choices) const;
    // A line that is no declared key's: another record's key, a key in other
    // letters, a section header, a comment or bytes without an "=".
    std::string strayLine(const RecordDeclaration& record, ByteChoices& choices) const;
    // Bytes of any code page, invalid UTF-8 and NUL among them, but no digit or
    // letter: never a size and CRC of their own.
    static std::string codePageBytes(ByteChoices& choices, std::size_t count);

private:
    struct WorldFile {
        std::string name;   // bare
        std::string folder; // the name of the folder it lies in
        std::string path;   // absolute
        FileCheck check;    // its own, unless a game holds a file of that check
    };
    // A folder of the world with the links to it: its spellings and its files.
    struct Place {
        std::vector<std::string> folders;
        std::vector<WorldFile> files;
    };

    void addPlace(const std::filesystem::path& folder, const std::filesystem::path& root);
    std::string anyValue(ByteChoices& choices) const;
    const WorldFile& aimedFile(ByteChoices& choices) const;
    static std::string nameOf(const WorldFile& file, ByteChoices& choices);
    std::string checkOf(const WorldFile& file, ByteChoices& choices) const;
    FileCheck notOfAGame(FileCheck check) const;

    std::vector<FileCheck> gameChecks_;
    std::vector<std::string> games_;   // the game folder, spelled several ways
    std::vector<std::string> folders_; // every place of the world, and what names no folder
    std::vector<std::string> names_;   // names that are no file of the world
    std::vector<Place> places_;
    std::size_t aim_ = 0;
};

} // namespace quorvel::fuzz
