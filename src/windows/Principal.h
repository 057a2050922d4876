#pragma once

#include "windows/GameFolderLock.h"
#include "windows/InstallationModel.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QListWidget;

namespace Ui {
class Principal;
}

namespace quorvel {

class GameFolderChoice;
class GameSession;
class LibraryFilter;
class SetsMenu;
class WindowsOverMain;

// The main window: category buttons, the selection list of the chosen category,
// the seven installed lists, the preview and the buttons that open the other
// windows. It owns the model of the Installation the program works on, hands it
// to the windows it opens, and redraws whenever the model changed.
// Its part in the program's start and end lies in PrincipalStartAndEnd.cpp.
class Principal : public QWidget {
    Q_OBJECT
public:
    explicit Principal(QWidget* parent = nullptr);
    ~Principal() override;

    InstallationModel& model() { return model_; }
    const Installation& installation() const { return model_.installation(); }

    // Shows a window opened over the main window; the main window stays enabled only
    // when `keepMainEnabled`. Open windows are closed with the main window.
    void openWindow(QWidget* window, bool keepMainEnabled);
    // Ends the program without Clear All: the game folder was never accepted.
    void closeWithoutClearing();
    // Shows the main window and the windows over it in front of all others.
    void bringForward();
    // Ends the program as a close does, whatever windows are open: for a
    // termination signal, a logout or a shutdown. A running operation ends first.
    void endProgram();
    // Clear All now, without a dialog, unless the program has cleared already or
    // is to end without clearing: the last thing before the process ends.
    void clearBeforeExit();

    // The start: takes out what a run that did not end normally left installed and
    // tells the player, then opens the first-run window when it is due or the
    // stored game folder was not used. When another copy of the program works on
    // the stored game folder, the player is told and this copy ends.
    void start();

    // The first-run and game-folder Accept. Each runs as a long operation, tells
    // the player in a box when it could not be done (the program then stays on the
    // folder it had) and calls `accepted` with whether it was done. The switch
    // clears the old folder first.
    void acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain, QWidget* firstRun,
                        std::function<void(bool)> accepted);
    void switchGameFolder(const GameFolderChoice& choice, std::function<void(bool)> accepted);
    // After a Cancel of the game-folder window.
    void libraryFoldersStored();
    // Whether another running copy of the program works on `folder`.
    bool heldElsewhere(const std::filesystem::path& folder) const;
    // Holds a folder a recovery is to change, unless this copy holds it already;
    // nothing when another copy does.
    std::optional<FolderHold> holdForRecovery(const std::filesystem::path& folder) const;

    // Clear All: every loose file of the game's file types leaves the game folder,
    // the protected files come back, and the window returns to no category. A box
    // says why when it failed or was refused; `then` runs once it has ended.
    void BORRARTODO(std::function<void()> then = {});

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void connectLibrarySide();
    void connectPlay();
    void showAddonFiles(const AddonKey& addon, bool installed);
    void showPlaying(bool playing);
    bool closeRefusedWhilePlaying();
    void openFolder(const std::filesystem::path& folder, const QString& whatToDo);
    void chooseCategory(std::size_t category);
    void PONENLISTA();
    void redraw();
    void drawInstalled();
    void tellLedgerFailure();
    void MOSTRAR(const std::filesystem::path& folder, const std::string& name);
    void List8_Click();
    void List8_DblClick();
    void libraryChanged(std::size_t category);
    void installedList_DblClick(std::size_t category);
    void tellInstalled(std::size_t category, const std::string& name,
                       const InstallOutcome& outcome);
    void BORRAR(const AddonKey& key);
    void tellUninstalled(const AddonKey& key, const UninstallOutcome& outcome);
    void tellCleared(const ClearOutcome& outcome);
    void showReplacedAddons(std::size_t category, const std::string& name);
    void BORRARINI();
    void resetPreview();
    void resetCategory();
    void showGameFolder();
    void tellRecovery(const RecoveryOutcome& recovery);
    void openFirstRunWindowWhenDue();
    void tellNotSwitched(const FolderOutcome& outcome);
    void tellMovedGame(QWidget* parent, const MovedGameRecovery& moved);
    bool holdGameFolder();
    bool lockChosenFolder(const GameFolderChoice& choice);
    void keepChosenLock(const std::filesystem::path& before);

    std::unique_ptr<Ui::Principal> ui;
    GameFolderLock gameLock_;
    GameFolderLock chosenLock_; // of the folder an Accept is about to work on
    InstallationModel model_;
    std::array<QAbstractButton*, 7> categoryButtons_{};
    std::array<QListWidget*, 7> installedLists_{};
    std::optional<std::size_t> category_; // the category on screen
    std::vector<QPointer<QWidget>> openWindows_;
    QPointer<QWidget> deleteWindow_;
    WindowsOverMain* windowsOver_;
    SetsMenu* sets_;
    LibraryFilter* filter_ = nullptr;
    GameSession* game_ = nullptr;
    bool clearOnExit_ = true;
};

} // namespace quorvel
