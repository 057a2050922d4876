// The main window's part in the program's start and end: what the last run left
// installed, the first run and the switch of game folder, and the closing that
// clears the game folder.
#include "config/PathVariables.h"
#include "library/Installation.h"
#include "platform/FolderIdentity.h"
#include "platform/NameText.h"
#include "windows/Backups.h"
#include "windows/ChildWindow.h"
#include "windows/LongOperation.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"
#include "windows/SetsMenu.h"
#include "windows/TextConversions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTimer>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr int kEndRetryMs = 200;

QString recoveryText(const Recovery& recovery) {
    QString text =
        QStringLiteral("Quorvel did not end normally last time, while these add-ons "
                       "were installed in %1:\n%2\n\n")
            .arg(ToQString(NameText(recovery.gameFolder)), ToQString(JoinedNames(recovery.addons)));
    if (!recovery.pending.empty())
        return text + QStringLiteral("That folder was not touched: ") +
               ToQString(recovery.pending) +
               QStringLiteral(".\nQuorvel keeps the list in %1 and tries again at the next "
                              "start, and before it takes that folder's security copies.")
                   .arg(ToQString(std::string(kLedgerFileName)));
    text += QStringLiteral("Their files were taken out (%1 deleted) and the protected game files "
                           "they had replaced were put back from the security copies.")
                .arg(recovery.deleted);
    if (!recovery.notTheirs.empty())
        text += QStringLiteral("\n\nThese files were listed but hold something else now, so "
                               "they were left as they are: ") +
                ToQString(FewNames(recovery.notTheirs));
    if (!recovery.failed.empty())
        text += QStringLiteral("\n\nThese could not be taken out and stay listed: ") +
                ToQString(FewNames(recovery.failed));
    return text;
}

} // namespace

// What a run that ended without Clear All left installed is taken out before the
// first-run window could copy an add-on's file as the game's own.
void Principal::start() {
    if (!holdGameFolder())
        return;
    if (!installation_.leftovers().empty()) {
        const auto recoveries =
            RunOperationOrShowError(this, QStringLiteral("Taking out the add-ons of the last run"),
                                    QStringLiteral("Clear All"), [this](const ProgressReport&) {
                                        return installation_.recoverLastRun();
                                    });
        drawInstalled();
        showGameFolder();
        for (const Recovery& recovery : recoveries.value_or(std::vector<Recovery>()))
            Prompts::tell(this, recoveryText(recovery));
        tellLedgerFailure();
        if (!holdGameFolder())
            return;
    }
    if (FirstRunWindowDue() || !installation_.refusal().empty())
        openWindow(new Backups(this), false);
}

// When another copy works on the game folder, this one ends without touching it.
bool Principal::holdGameFolder() {
    const fs::path& game = installation_.paths().GameFolder;
    if (game.empty() || gameLock_.hold(game))
        return true;
    Prompts::tell(this, QStringLiteral("Another copy of Quorvel is working on the game "
                                       "folder %1.\n\nThis copy ends; use the one that runs.")
                            .arg(ToQString(NameText(game))));
    clearOnExit_ = false;
    close();
    return false;
}

// Neither the lock held nor the one taken for a chosen folder is another copy's.
bool Principal::heldElsewhere(const fs::path& folder) const {
    return gameLock_.heldElsewhere(folder) && chosenLock_.heldElsewhere(folder);
}

// The lock of the chosen folder is taken beside the one held before the folder
// changes, so that no moment passes in which a second copy could take it.
bool Principal::lockChosenFolder(const GameFolderChoice& choice) {
    chosenLock_ = GameFolderLock();
    const auto folder = choice.accepted();
    if (!folder || SameFolder(*folder, installation_.paths().GameFolder) ||
        chosenLock_.hold(*folder))
        return true;
    Prompts::tell(this, QStringLiteral("Another copy of Quorvel is working on that folder."));
    return false;
}

// Works on the chosen folder's lock once the folder changed; else gives it up.
void Principal::keepChosenLock(const fs::path& before) {
    const fs::path& now = installation_.paths().GameFolder;
    if (!now.empty() && !SameFolder(now, before))
        gameLock_ = std::move(chosenLock_);
    chosenLock_ = GameFolderLock();
}

bool Principal::acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain) {
    if (!lockChosenFolder(choice))
        return false;
    const fs::path before = installation_.paths().GameFolder;
    const FolderOutcome outcome = installation_.acceptFirstRun(choice, doNotShowAgain);
    keepChosenLock(before);
    drawInstalled();
    tellLedgerFailure();
    if (!outcome.done) {
        Prompts::tell(this, QStringLiteral("The game folder was not accepted: ") +
                                ToQString(outcome.why));
        return false;
    }
    showGameFolder();
    return true;
}

bool Principal::switchGameFolder(const GameFolderChoice& choice) {
    if (!lockChosenFolder(choice))
        return false;
    const fs::path before = installation_.paths().GameFolder;
    const auto outcome = RunOperationOrShowError(
        this, QStringLiteral("Clearing all add-ons"), QStringLiteral("Clear All"),
        [&](const ProgressReport& report) { return installation_.switchTo(choice, report); });
    keepChosenLock(before);
    drawInstalled();
    resetCategory();
    showGameFolder();
    tellLedgerFailure();
    if (!outcome)
        return false;
    if (!outcome->done) {
        const fs::path& game = installation_.paths().GameFolder;
        Prompts::tell(this,
                      game.empty()
                          ? QStringLiteral("The game folder was not changed, and Quorvel "
                                           "works on no game folder now: %1\n\n%2")
                                .arg(ToQString(outcome->why), ToQString(installation_.refusal()))
                          : QStringLiteral("Quorvel stays on the game folder %1: %2")
                                .arg(ToQString(NameText(game)), ToQString(outcome->why)));
        return false;
    }
    return true;
}

void Principal::libraryFoldersStored() {
    installation_.reloadLibraryFolders();
}

void Principal::closeWithoutClearing() {
    clearOnExit_ = false;
    // Queued: the window that asks is still closing and holds the main window.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Principal::bringForward() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    for (QWidget* window : windowsOver_->windows()) {
        window->raise();
        window->activateWindow();
    }
}

// Windows over the main one close first, as their own Cancel would; a running
// operation finishes first, since its files would be half written. An open box
// is answered as its Escape would: the window must not go while the code that
// opened the box still waits for its answer.
void Principal::endProgram() {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box && !OperationRunning())
        box->reject();
    if (OperationRunning() || QApplication::activeModalWidget()) {
        QTimer::singleShot(kEndRetryMs, this, &Principal::endProgram);
        return;
    }
    for (const QPointer<QWidget>& window : openWindows_) {
        if (window)
            window->close();
    }
    if (!close()) {
        clearBeforeExit();
        QCoreApplication::quit();
    }
}

// A logoff on Windows asks for this from inside a running operation's event loop:
// the operation's work ends first, so that Clear All never runs beside it.
void Principal::clearBeforeExit() {
    if (!clearOnExit_)
        return;
    FinishRunningOperation();
    clearOnExit_ = false;
    sets_->saveLastRun(nullptr);
    installation_.clearAll();
}

// Closing the main window clears the game folder. It is refused while a window
// that disabled it is open: that window would be dropped half done.
void Principal::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (clearOnExit_) {
        sets_->saveLastRun(this);
        BORRARTODO();
        clearOnExit_ = false;
    }
    for (const QPointer<QWidget>& window : openWindows_) {
        if (window)
            window->close();
    }
    event->accept();
}

} // namespace quorvel
