#include "platform/FileChanges.h"

#include "platform/FileOperations.h"
#include "platform/NameText.h"
#include "platform/NewFileWriter.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

using Change = std::pair<FileChange, std::string>; // the kind and the entry's name

std::mutex recordedMutex;
std::vector<Change> recorded;

void record(FileChange change, const fs::path& path, const fs::path& source) {
    const std::lock_guard lock(recordedMutex);
    recorded.emplace_back(change, NameText(path.filename()));
    if (!source.empty())
        recorded.emplace_back(change, NameText(source.filename()));
}

// The changes `act` reports, watched from a clean start.
std::vector<Change> changesOf(const std::function<void()>& act) {
    recorded.clear();
    WatchFileChanges(&record);
    act();
    WatchFileChanges(nullptr);
    return recorded;
}

std::map<std::string, std::string> filesIn(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[NameText(entry.path().filename())] =
            entry.is_directory() ? "<dir>" : ReadFile(entry.path());
    return files;
}

struct ChangingCall {
    std::string title;
    std::function<void(const fs::path& folder)> act;
};

void PrintTo(const ChangingCall& call, std::ostream* out) {
    *out << call.title;
}

class ChangingCalls : public testing::TestWithParam<ChangingCall> {};

// Each platform call that changes the folder reports every entry it changes: one
// it forgot would be a crash point the explorer never tries.
TEST_P(ChangingCalls, ReportEachEntryTheyChange) {
    TempFolder folder;
    for (const char* name : {"OLD.DAT", "NEW.SRC", "LEFT.quorvel-tmp"})
        WriteFile(folder / name, name);
    const auto before = filesIn(folder.path());
    const std::vector<Change> changes = changesOf([&] { GetParam().act(folder.path()); });
    const auto after = filesIn(folder.path());
    ASSERT_NE(changes, std::vector<Change>{});
    std::set<std::string> names;
    for (const auto* files : {&before, &after})
        for (const auto& entry : *files)
            names.insert(entry.first);
    for (const std::string& name : names) {
        if (before.contains(name) && after.contains(name) && before.at(name) == after.at(name))
            continue;
        EXPECT_TRUE(std::any_of(changes.begin(), changes.end(),
                                [&name](const Change& change) { return change.second == name; }))
            << name << " changed unreported";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Platform, ChangingCalls,
    testing::Values(
        ChangingCall{"ReplaceFileAtomically",
                     [](const fs::path& f) { ReplaceFileAtomically(f / "OLD.DAT", "new"); }},
        ChangingCall{"CopyFileReplacing",
                     [](const fs::path& f) { CopyFileReplacing(f / "NEW.SRC", f / "OLD.DAT"); }},
        ChangingCall{"DeleteFileEntry", [](const fs::path& f) { DeleteFileEntry(f / "OLD.DAT"); }},
        ChangingCall{"RemoveLeftoverTemporaries",
                     [](const fs::path& f) { RemoveLeftoverTemporaries(f); }},
        ChangingCall{"ReplaceEntry",
                     [](const fs::path& f) {
                         std::error_code error;
                         ReplaceEntry(f / "NEW.SRC", f / "OLD.DAT", error);
                     }},
        ChangingCall{"RenameEntry",
                     [](const fs::path& f) {
                         std::error_code error;
                         RenameEntry(f / "NEW.SRC", f / "FRESH.DAT", error);
                     }},
        ChangingCall{"CreateFolder", [](const fs::path& f) { CreateFolder(f / "SUB"); }},
        ChangingCall{"NewFileWriter",
                     [](const fs::path& f) {
                         NewFileWriter out(f / "W.DAT");
                         out.write("ab");
                         out.close();
                     }},
        ChangingCall{"SetModificationTime",
                     [](const fs::path& f) { SetModificationTime(f / "OLD.DAT", 86400); }}),
    [](const auto& info) { return info.param.title; });

// Windows refuses a rename over a read-only file (Wine lets it through, so only
// the reported changes show it): the attribute is cleared first, and elsewhere
// left alone, where the folder's permissions decide.
TEST(RenameReplacing, ClearsTheReadOnlyAttributeOfTheOldFileFirstOnWindows) {
    TempFolder folder;
    WriteFile(folder / "EAW.EXE", "old copy");
    WriteFile(folder / "EAW.EXE.quorvel-new", "new copy");
    SetWritable(folder / "EAW.EXE", false);
    std::error_code error;
    bool renamed = false;
    const std::vector<Change> changes = changesOf([&] {
        renamed = RenameReplacing(folder / "EAW.EXE.quorvel-new", folder / "EAW.EXE", error);
    });
    EXPECT_TRUE(renamed) << error.message();
    EXPECT_EQ(ReadFile(folder / "EAW.EXE"), "new copy");
#ifdef _WIN32
    const std::vector<Change> expected{{FileChange::Attributes, "EAW.EXE"},
                                       {FileChange::Rename, "EAW.EXE"},
                                       {FileChange::Rename, "EAW.EXE.quorvel-new"}};
#else
    const std::vector<Change> expected{{FileChange::Rename, "EAW.EXE"},
                                       {FileChange::Rename, "EAW.EXE.quorvel-new"}};
#endif
    EXPECT_EQ(changes, expected);
}

// The game can hold its EAW.INI open, and then Windows refuses to replace or
// delete it: the read-only attribute lifted for the attempt is set again, so that
// a refused write changes nothing of the file.
TEST(ReadOnlyAttribute, IsSetAgainWhenTheFileIsNotReplaced) {
#ifdef _WIN32
    const struct {
        const char* title;
        std::function<bool(const fs::path&)> change;
    } cases[] = {
        {"ReplaceFileAtomically",
         [](const fs::path& f) {
             return ReplaceFileAtomically(f / "EAW.INI", "new", ReadOnlyFile::Clear);
         }},
        {"CopyFileReplacing",
         [](const fs::path& f) { return CopyFileReplacing(f / "NEW.INI", f / "EAW.INI"); }},
        {"RenameReplacing",
         [](const fs::path& f) {
             std::error_code error;
             return RenameReplacing(f / "NEW.INI", f / "EAW.INI", error);
         }},
        {"DeleteFileEntry", [](const fs::path& f) { return DeleteFileEntry(f / "EAW.INI"); }},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteFile(folder / "EAW.INI", "old");
        WriteFile(folder / "NEW.INI", "new");
        SetWritable(folder / "EAW.INI", false);
        const HANDLE held = CreateFileW((folder / "EAW.INI").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE) << c.title;
        const bool changed = c.change(folder.path());
        CloseHandle(held);
        EXPECT_FALSE(changed) << c.title;
        EXPECT_EQ(ReadFile(folder / "EAW.INI"), "old") << c.title;
        EXPECT_EQ(fs::status(folder / "EAW.INI").permissions() & fs::perms::owner_write,
                  fs::perms::none)
            << c.title << " left the file without its read-only attribute";
        SetWritable(folder / "EAW.INI", true);
    }
#else
    GTEST_SKIP() << "a read-only attribute of the file itself is Windows' own";
#endif
}

} // namespace
