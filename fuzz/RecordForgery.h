#pragma once

#include "ByteChoices.h"
#include "RecordPalette.h"
#include "library/ForgedWorld.h"

#include <cstdint>
#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace quorvel::fuzz {

struct ForgedFile {
    std::filesystem::path file;
    std::string text;
    bool huge = false; // made longer than its record allows after the text
};

struct Forgery {
    std::vector<ForgedFile> files;
    std::set<std::string> leftOut; // the forged files besides the records a start rewrites
};

// Writes the program's records into `world`, line by line: keys of their
// declarations with values of the palette, between stray lines. A record the
// world already holds is sometimes left as the program wrote it.
Forgery ForgeRecords(const test::ForgedWorld& world, const RecordPalette& palette,
                     ByteChoices& choices);

// Forges the records of a fresh world from `input`, then starts, closes and
// starts again with the documents as the current folder. Returns what changed
// outside the records, with the records that made it; "" when nothing did.
std::string ForgedStartFault(std::span<const std::uint8_t> input);

} // namespace quorvel::fuzz
