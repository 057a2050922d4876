#include "RecordForgery.h"

#include "config/AddonCategory.h"
#include "library/AddonSets.h"
#include "library/Installation.h"
#include "platform/NameText.h"
#include "support/CurrentFolder.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <cstdio>

namespace fs = std::filesystem;

namespace quorvel::fuzz {
namespace {

const std::vector<std::string> kSetNames{"Last run", "Online", "x"};
const std::vector<std::string> kOddLineEnds{"\r", "", "\r\r\n", "\n\n", std::string("\0\n", 2)};
constexpr std::size_t kShownBytes = 4000;

// Where the program keeps `record`: a set's name stands for the "*" of its file.
std::vector<fs::path> filesOf(const RecordDeclaration& record, const test::ForgedWorld& world,
                              ByteChoices& choices) {
    const std::string name(record.file);
    if (&record == &kCopiesRecord)
        return {world.program() / kBackupFolderName / name};
    const std::size_t star = name.find('*');
    if (star == std::string::npos)
        return {world.program() / name};
    std::vector<fs::path> files;
    for (std::size_t count = 1 + choices.below(2); count > 0; --count)
        files.push_back(world.program() /
                        (name.substr(0, star) + choices.of(kSetNames) + name.substr(star + 1)));
    return files;
}

// Mostly each declared key in the order a record of the program has them, some
// missing, some more than once; else keys in any order.
std::string forgeText(const RecordDeclaration& record, const RecordPalette& palette,
                      ByteChoices& choices) {
    const std::string end = choices.oneIn(3) ? "\r\n" : "\n";
    std::string text;
    const auto add = [&](const std::string& line) {
        text += line;
        text += choices.oneIn(12) ? choices.of(kOddLineEnds) : end;
    };
    const auto addKey = [&](const RecordKey& key) {
        if (choices.oneIn(8))
            add(palette.strayLine(record, choices));
        add(std::string(key.name) + "=" + palette.valueFor(key.kind, choices));
    };
    if (&record == &kConfigRecord && !choices.oneIn(8))
        add("[PATH]");
    if (choices.oneIn(4)) {
        for (std::size_t count = choices.below(32); count > 0; --count)
            addKey(record.keys[choices.below(record.keys.size())]);
    } else {
        // The first key begins a record of the program.
        addKey(record.keys.front());
        for (const RecordKey& key : record.keys.subspan(1))
            for (std::size_t count = choices.below(4); count > 0; --count)
                addKey(key);
    }
    if (choices.oneIn(6))
        text.resize(choices.below(text.size() + 1));
    return text;
}

void makeLinks(const test::ForgedWorld& world) {
    if (test::kOnWindows)
        return;
    fs::create_directory_symlink(world.documents(), world.root / "TO-DOCUMENTS");
    fs::create_directory_symlink(world.program() / kBackupFolderName, world.root / "TO-BACKUPS");
}

// What the sets menu reads at a start: every set's name and add-ons.
void readSets(const fs::path& program) {
    const fs::path sets = SetsFolder(program);
    for (const std::string& name : ListSets(sets))
        ReadSet(sets, name);
}

std::string shown(std::string_view bytes) {
    std::string text;
    for (const char c : bytes.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || (byte >= 0x20 && byte < 0x7F)) {
            text += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return bytes.size() > kShownBytes ? text + "..." : text;
}

std::string described(const Forgery& forgery) {
    std::string text;
    for (const ForgedFile& file : forgery.files)
        text += "--- " + NameText(file.file) +
                (file.huge ? " (then made longer than its record may be)" : "") + "\n" +
                shown(file.text) + "\n";
    return text;
}

std::string changesBetween(const test::FolderSnapshot& before, const test::FolderSnapshot& after,
                           const std::string& when) {
    std::string text;
    for (const auto& [name, content] : before) {
        const auto now = after.find(name);
        if (now == after.end())
            text += "  lost " + name + "\n";
        else if (now->second != content)
            text += "  changed " + name + "\n";
    }
    for (const auto& [name, content] : after)
        if (!before.contains(name))
            text += "  added " + name + "\n";
    return text.empty() ? text : when + ":\n" + text;
}

} // namespace

Forgery ForgeRecords(const test::ForgedWorld& world, const RecordPalette& palette,
                     ByteChoices& choices) {
    Forgery forgery;
    for (const RecordDeclaration* record : kRecords) {
        for (const fs::path& file : filesOf(*record, world, choices)) {
            if (fs::exists(file) && choices.oneIn(4))
                continue;
            ForgedFile forged{file, forgeText(*record, palette, choices), choices.oneIn(32)};
            test::WriteFile(file, forged.text);
            if (forged.huge)
                fs::resize_file(file, record->longest + 1);
            forgery.leftOut.insert(fs::relative(file, world.root.path()).generic_string());
            forgery.files.push_back(std::move(forged));
        }
    }
    return forgery;
}

std::string ForgedStartFault(std::span<const std::uint8_t> input) {
    const test::ForgedWorld world;
    makeLinks(world);
    ByteChoices choices(input);
    RecordPalette palette(world);
    palette.aim(choices);
    const Forgery forgery = ForgeRecords(world, palette, choices);
    const test::CurrentFolder startedIn(world.documents());
    const test::FolderSnapshot before = world.outsideRecords(forgery.leftOut);
    {
        Installation installation;
        installation.recoverLastRun();
        readSets(world.program());
        installation.clearAll();
    }
    std::string changes =
        changesBetween(before, world.outsideRecords(forgery.leftOut), "after a start and a close");
    Installation().recoverLastRun();
    changes +=
        changesBetween(before, world.outsideRecords(forgery.leftOut), "after a second start");
    return changes.empty() ? changes : described(forgery) + changes;
}

} // namespace quorvel::fuzz
