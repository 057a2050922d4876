// The main window's part in the program's start and end: what the last run left
// installed, the first run and the switch of game folder, and the closing that
// clears the game folder.
#include "config/PathVariables.h"
#include "library/Installation.h"
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
    if (!recovery.refusal.empty())
        return text + QStringLiteral("That folder was not touched: ") + ToQString(recovery.refusal);
    text += QStringLiteral("Their files were taken out (%1 deleted) and EAW.EXE, EXTRA.SPT and "
                           "GRB_031.SND were put back from the security copies, as at a close.")
                .arg(recovery.deleted);
    if (!recovery.failed.empty())
        text += QStringLiteral("\n\nThese could not be deleted or put back: ") +
                ToQString(FewNames(recovery.failed));
    return text;
}

} // namespace

// What a run that ended without Clear All left installed is taken out before the
// first-run window could copy an add-on's file as the game's own.
void Principal::start() {
    const fs::path& game = installation_.paths().GameFolder;
    if (!game.empty() && !gameLock_.hold(game)) {
        Prompts::tell(this, QStringLiteral("Another copy of Quorvel is working on the game "
                                           "folder %1.\n\nThis copy ends; use the one that runs.")
                                .arg(ToQString(NameText(game))));
        clearOnExit_ = false;
        close();
        return;
    }
    const Ledger* left = installation_.leftovers();
    if (left && !heldElsewhere(left->gameFolder)) {
        const auto recovery = RunOperationOrShowError(
            this, QStringLiteral("Taking out the add-ons of the last run"),
            QStringLiteral("Clear All"),
            [this](const ProgressReport& report) { return installation_.recoverLastRun(report); });
        drawInstalled();
        if (recovery)
            Prompts::tell(this, recoveryText(*recovery));
        tellLedgerFailure();
    }
    if (FirstRunWindowDue() || !installation_.refusal().empty())
        openWindow(new Backups(this), false);
}

bool Principal::heldElsewhere(const fs::path& folder) const {
    return gameLock_.heldElsewhere(folder);
}

bool Principal::acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain) {
    if (const auto folder = choice.accepted(); folder && heldElsewhere(*folder)) {
        Prompts::tell(this, QStringLiteral("Another copy of Quorvel is working on that folder."));
        return false;
    }
    const FolderOutcome outcome = installation_.acceptFirstRun(choice, doNotShowAgain);
    if (!outcome.done) {
        Prompts::tell(this, QStringLiteral("The game folder was not accepted: ") +
                                ToQString(outcome.why));
        return false;
    }
    gameLock_.hold(installation_.paths().GameFolder);
    showGameFolder();
    return true;
}

bool Principal::switchGameFolder(const GameFolderChoice& choice) {
    if (const auto folder = choice.accepted(); folder && heldElsewhere(*folder)) {
        Prompts::tell(this, QStringLiteral("Another copy of Quorvel is working on that folder."));
        return false;
    }
    const auto outcome = RunOperationOrShowError(
        this, QStringLiteral("Clearing all add-ons"), QStringLiteral("Clear All"),
        [&](const ProgressReport& report) { return installation_.switchTo(choice, report); });
    drawInstalled();
    resetCategory();
    tellLedgerFailure();
    if (!outcome)
        return false;
    if (!outcome->done) {
        Prompts::tell(this, QStringLiteral("Quorvel stays on the game folder %1: %2")
                                .arg(ToQString(NameText(installation_.paths().GameFolder)),
                                     ToQString(outcome->why)));
        return false;
    }
    gameLock_.hold(installation_.paths().GameFolder);
    showGameFolder();
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

void Principal::clearBeforeExit() {
    if (!clearOnExit_)
        return;
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
