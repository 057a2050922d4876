#pragma once

#include "support/TempFolder.h"

#include <QListWidget>
#include <QSize>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

class QComboBox;
class QWidget;

namespace quorvel {
class InstallationModel;
class Principal;
} // namespace quorvel

namespace quorvel::test {

// A program folder in a temporary folder, made the program folder of the process,
// and a game folder (holding EAW.EXE) beside it; QUORVEL.INI names the game folder.
class ProgramFolderFixture {
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();
    ProgramFolderFixture(const ProgramFolderFixture&) = delete;
    ProgramFolderFixture& operator=(const ProgramFolderFixture&) = delete;

    // Makes a folder `name` in the fixture where the folder pickers start until the
    // fixture goes, instead of the user's own folders.
    std::filesystem::path startPickersIn(const std::string& name) const;

    // The program folder; the game folder and the pickers' folders lie beside it.
    std::filesystem::path root() const { return folder_ / "Quorvel"; }
    std::filesystem::path game() const { return folder_ / "game"; }
    std::filesystem::path backups() const { return root() / "BACKUPS"; }

private:
    TempFolder folder_;
};

// The control called `name` inside `window`; a missing control ends the test run,
// since every later step would only report a null pointer.
template <typename Control> Control* Find(const QObject* window, const char* name) {
    Control* found = window->findChild<Control*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Waits until the model's operation has ended, and what it does then; false
// when it did not end within two minutes: a bound for a hang, which a loaded
// machine under Wine must never reach by work alone.
[[nodiscard]] bool Settled(const InstallationModel& model);

// Closes the main window, which clears the game folder first, and waits until
// it is gone; false when it stayed.
[[nodiscard]] bool Closed(Principal* mainWindow);

// Writes a JPEG of the given size, so that a test can tell pictures apart by size.
void WriteJpeg(const std::filesystem::path& path, QSize size);

// The regular files directly in `folder`, in name order.
QStringList FilesIn(const std::filesystem::path& folder);

// The main window's button of a category, in category order: graphics and sounds
// cross (Command6, Command5).
const char* CategoryButtonName(std::size_t category);

// The main window's list of the installed add-ons of a category (List1 to List7).
QListWidget* InstalledList(const QWidget* mainWindow, std::size_t category);

// The texts of a list's entries, in order.
QStringList Entries(const QListWidget* list);

// Chooses `text` in a combo box as the user does, raising `activated`.
void ChooseInCombo(QComboBox* combo, const QString& text);

// Clicks `button` of `mainWindow` and returns the window it opened: the visible
// top-level window that was not there before; null when none opened.
QWidget* OpenedBy(QWidget* mainWindow, const char* button);

} // namespace quorvel::test
