#pragma once

#include "library/Installation.h"
#include "windows/GameFolderLock.h"

#include <QPointer>
#include <QWidget>
#include <array>
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
class SetsMenu;
class WindowsOverMain;

// The main window: category buttons, the selection list of the chosen category,
// the seven installed lists, the preview and the buttons that open the other
// windows. It owns the Installation the program works on and draws its state:
// the installed lists show what the Installation holds after every operation.
// Its part in the program's start and end lies in PrincipalStartAndEnd.cpp.
class Principal : public QWidget {
    Q_OBJECT
public:
    explicit Principal(QWidget* parent = nullptr);
    ~Principal() override;

    const Installation& installation() const { return installation_; }

    // Shows a window opened over the main window; the main window stays enabled only
    // when `keepMainEnabled`. Open windows are closed with the main window.
    void openWindow(QWidget* window, bool keepMainEnabled);
    // Ends the program without Clear All: the game folder was never accepted.
    void closeWithoutClearing();
    // Shows the main window and the windows over it in front of all others.
    void bringForward();
    // Ends the program as a close does, whatever windows are open: for a
    // termination signal, a logout or a shutdown. Waits for a running operation.
    void endProgram();
    // Clear All now, without a dialog, unless the program has cleared already or
    // is to end without clearing: the last thing before the process ends.
    void clearBeforeExit();

    // The start: takes out what a run that did not end normally left installed and
    // tells the player, then opens the first-run window when it is due or the
    // stored game folder was not used. When another copy of the program works on
    // the stored game folder, the player is told and this copy ends.
    void start();

    // The first-run and game-folder Accept. Each tells the player in a box when
    // it could not be done; the program then stays on the folder it had.
    bool acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain);
    bool switchGameFolder(const GameFolderChoice& choice);
    // After a Cancel of the game-folder window.
    void libraryFoldersStored();
    // Whether another running copy of the program works on `folder`.
    bool heldElsewhere(const std::filesystem::path& folder) const;

    // Clear All: every loose file of the game's file types leaves the game folder,
    // the protected files come back, and the window returns to no category.
    // False when Clear All failed or was refused: a box says why.
    bool BORRARTODO();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void chooseCategory(std::size_t category);
    void PONENLISTA();
    void drawInstalled();
    void tellLedgerFailure();
    void MOSTRAR(const std::filesystem::path& folder, const std::string& name);
    void List8_Click();
    void List8_DblClick();
    void libraryChanged(std::size_t category);
    void installedList_DblClick(std::size_t category);
    void BORRAR(const AddonKey& key);
    void showReplacedAddons(std::size_t category, const std::string& name);
    void BORRARINI();
    void resetPreview();
    void resetCategory();
    void showGameFolder();
    bool holdGameFolder();
    bool lockChosenFolder(const GameFolderChoice& choice);
    void keepChosenLock(const std::filesystem::path& before);

    std::unique_ptr<Ui::Principal> ui;
    Installation installation_;
    GameFolderLock gameLock_;
    GameFolderLock chosenLock_; // of the folder an Accept is about to work on
    std::array<QAbstractButton*, 7> categoryButtons_{};
    std::array<QListWidget*, 7> installedLists_{};
    std::optional<std::size_t> category_; // the category on screen
    std::vector<QPointer<QWidget>> openWindows_;
    QPointer<QWidget> deleteWindow_;
    WindowsOverMain* windowsOver_;
    SetsMenu* sets_;
    bool clearOnExit_ = true;
};

} // namespace quorvel
