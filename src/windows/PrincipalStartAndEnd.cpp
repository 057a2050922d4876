// The main window's part in the program's start and end: what the last run left
// installed, the first run and the switch of game folder, and the closing that
// clears the game folder.
#include "config/PathVariables.h"
#include "library/CopiesRecord.h"
#include "library/Installation.h"
#include "library/KeptGameFiles.h"
#include "platform/FolderIdentity.h"
#include "platform/NameText.h"
#include "windows/Backups.h"
#include "windows/ChildWindow.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"
#include "windows/SetsMenu.h"
#include "windows/TextConversions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

QString leftInText(const fs::path& folder, const Recovery& recovery) {
    return QStringLiteral("Quorvel did not end normally last time, while these add-ons "
                          "were installed in %1:\n%2\n\n")
        .arg(ToQString(NameText(folder)), ToQString(JoinedNames(recovery.addons)));
}

// What a done recovery did, the game's own files kept in `keptFolder`.
QString takenOutText(const Recovery& recovery, const fs::path& keptFolder) {
    QString text = QStringLiteral("Their files were taken out (%1 deleted).").arg(recovery.deleted);
    if (!recovery.putBack.empty())
        text += QStringLiteral(" These files of the game that they had replaced were put back: ") +
                ToQString(FewNames(recovery.putBack)) + QLatin1Char('.');
    if (!recovery.notTheirs.empty())
        text += QStringLiteral("\n\nThese files were listed but hold something else now, so "
                               "they were left as they are: ") +
                ToQString(FewNames(recovery.notTheirs));
    if (!recovery.notAsKept.empty())
        text += QStringLiteral("\n\nThe game's own copies of these, kept in %1, changed there "
                               "since, so they were not put back and stay where they are: ")
                    .arg(ToQString(NameText(keptFolder))) +
                ToQString(FewNames(recovery.notAsKept));
    if (!recovery.failed.empty())
        text += QStringLiteral("\n\nThese could not be taken out and stay listed: ") +
                ToQString(FewNames(recovery.failed));
    return text;
}

QString recoveryText(const RecoveryOutcome& outcome, const fs::path& backupFolder) {
    const Recovery& recovery = outcome.report();
    const QString text = leftInText(recovery.gameFolder, recovery);
    if (!outcome.done())
        return text + QStringLiteral("That folder was not touched: ") + ToQString(outcome.why()) +
               QStringLiteral(".\nQuorvel keeps the list in %1 and tries again at the next "
                              "start, and before it takes that folder's security copies.")
                   .arg(ToQString(std::string(kLedgerFileName)));
    return text + takenOutText(recovery, KeptFilesFolder(backupFolder, recovery.gameFolder));
}

QString movedText(const MovedGameRecovery& moved, const fs::path& backupFolder) {
    return leftInText(moved.movedFrom, *moved.recovery) +
           QStringLiteral("That game is now in %1: what Quorvel recorded of it agrees with "
                          "that folder, and nothing was done in the old one. ")
               .arg(ToQString(NameText(moved.recovery->gameFolder))) +
           takenOutText(*moved.recovery, KeptFilesFolder(backupFolder, moved.movedFrom));
}

// A gone folder may never come back; what Quorvel keeps for it stays either way.
QString forgetQuestion(const Recovery& recovery, const fs::path& backupFolder) {
    return QStringLiteral("\n\nIf the game was moved, answer No, pick it where it is now "
                          "and Accept: Quorvel takes these add-ons out there when what it "
                          "recorded of them agrees with that folder.\n\nForget these add-ons, "
                          "if that folder will not come back? "
                          "Quorvel then stops trying to take them out of it. Nothing is "
                          "deleted: the game's own files that Quorvel kept for that folder "
                          "stay in %1, and its security copies, if they were set aside, in %2.")
        .arg(ToQString(NameText(KeptFilesFolder(backupFolder, recovery.gameFolder))),
             ToQString(NameText(SetAsideCopiesFolder(backupFolder, recovery.gameFolder))));
}

} // namespace

// A recovery that waits for a folder that is gone asks whether to stop waiting:
// else the list would wait, and the box come back, at every start for ever.
void Principal::tellRecovery(const RecoveryOutcome& recovery) {
    const fs::path& backupFolder = model_.paths().BackupFolder;
    const QString text = recoveryText(recovery, backupFolder);
    std::error_code ec;
    if (recovery.done() || fs::exists(recovery->gameFolder, ec) || ec) {
        Prompts::tell(this, text);
        return;
    }
    const fs::path folder = recovery->gameFolder;
    if (Prompts::confirm(this, text + forgetQuestion(recovery.report(), backupFolder)) &&
        !model_.change([&folder](Installation& i) { return i.forgetLeftoversIn(folder); }))
        Prompts::tell(this, QStringLiteral("The list in %1 could not be written, so Quorvel asks "
                                           "again at the next start.")
                                .arg(ToQString(std::string(kLedgerFileName))));
}

// What a run that ended without Clear All left installed is taken out before the
// first-run window could copy an add-on's file as the game's own.
void Principal::start() {
    if (!holdGameFolder())
        return;
    if (!model_.installation().recoveryDue()) {
        openFirstRunWindowWhenDue();
        return;
    }
    model_.run(
        this,
        {QStringLiteral("Taking out the add-ons of the last run"), QStringLiteral("Clear All")},
        [](Installation& installation, const ProgressReport&, const CancelRequested&) {
            return installation.recoverLastRun();
        },
        [this](const std::optional<std::vector<RecoveryOutcome>>& recoveries) {
            for (const RecoveryOutcome& recovery :
                 recoveries.value_or(std::vector<RecoveryOutcome>()))
                tellRecovery(recovery);
            if (holdGameFolder())
                openFirstRunWindowWhenDue();
        });
}

void Principal::openFirstRunWindowWhenDue() {
    if (FirstRunWindowDue() || !model_.installation().whyFolderUnused().empty())
        openWindow(new Backups(this), false);
}

// When another copy works on the game folder, this one ends without touching it.
bool Principal::holdGameFolder() {
    const fs::path& game = model_.paths().GameFolder;
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

// A folder this copy holds already stays held by it; any other is held for the
// recovery's whole length, a folder without locks (missing, say) left to the
// recovery's own refusal.
std::optional<FolderHold> Principal::holdForRecovery(const fs::path& folder) const {
    auto lock = std::make_shared<FolderLock>();
    if (lock->hold(folder) != FolderLockOutcome::HeldElsewhere)
        return lock;
    if (!heldElsewhere(folder))
        return FolderHold();
    return std::nullopt;
}

// The lock of the chosen folder is taken beside the one held before the folder
// changes, so that no moment passes in which a second copy could take it.
bool Principal::lockChosenFolder(const GameFolderChoice& choice) {
    chosenLock_ = GameFolderLock();
    const auto folder = choice.accepted();
    if (!folder || SameFolder(*folder, model_.paths().GameFolder) || chosenLock_.hold(*folder))
        return true;
    Prompts::tell(this, QStringLiteral("Another copy of Quorvel is working on that folder."));
    return false;
}

// Works on the chosen folder's lock once the folder changed; else gives it up.
void Principal::keepChosenLock(const fs::path& before) {
    const fs::path& now = model_.paths().GameFolder;
    if (!now.empty() && !SameFolder(now, before))
        gameLock_ = std::move(chosenLock_);
    chosenLock_ = GameFolderLock();
}

// A recovery of what a run left in the chosen folder may be long: the work runs
// as a long operation over the first-run window, which shows the box when it
// could not be done.
void Principal::acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain,
                               QWidget* firstRun, std::function<void(bool)> accepted) {
    if (!lockChosenFolder(choice)) {
        accepted(false);
        return;
    }
    model_.run(
        firstRun, {QStringLiteral("Taking the security copies"), QStringLiteral("Accept")},
        [choice, doNotShowAgain](Installation& installation, const ProgressReport&,
                                 const CancelRequested&) {
            return installation.acceptFirstRun(choice, doNotShowAgain);
        },
        [this, firstRun, before = model_.paths().GameFolder,
         accepted = std::move(accepted)](const std::optional<FolderOutcome>& outcome) {
            keepChosenLock(before);
            if (outcome && !outcome->done())
                Prompts::tell(firstRun, QStringLiteral("The game folder was not accepted: ") +
                                            ToQString(outcome->why()));
            if (outcome)
                tellMovedGame(firstRun, outcome->report());
            accepted(outcome && outcome->done());
        });
}

void Principal::switchGameFolder(const GameFolderChoice& choice,
                                 std::function<void(bool)> accepted) {
    if (!lockChosenFolder(choice)) {
        accepted(false);
        return;
    }
    resetCategory();
    model_.run(
        this, {QStringLiteral("Clearing all add-ons"), QStringLiteral("Clear All")},
        [choice](Installation& installation, const ProgressReport& report, const CancelRequested&) {
            return installation.switchTo(choice, report);
        },
        [this, before = model_.paths().GameFolder,
         accepted = std::move(accepted)](const std::optional<FolderOutcome>& outcome) {
            keepChosenLock(before);
            if (outcome && !outcome->done())
                tellNotSwitched(*outcome);
            if (outcome)
                tellMovedGame(this, outcome->report());
            accepted(outcome && outcome->done());
        });
}

// An Accept that was not done says why first; what it took out of the moved game
// is told either way.
void Principal::tellMovedGame(QWidget* parent, const MovedGameRecovery& moved) {
    if (moved.recovery)
        Prompts::tell(parent, movedText(moved, model_.paths().BackupFolder));
}

void Principal::tellNotSwitched(const FolderOutcome& outcome) {
    const fs::path& game = model_.paths().GameFolder;
    Prompts::tell(this, game.empty()
                            ? QStringLiteral("The game folder was not changed, and Quorvel "
                                             "works on no game folder now: %1\n\n%2")
                                  .arg(ToQString(outcome.why()),
                                       ToQString(model_.installation().whyFolderUnused()))
                            : QStringLiteral("Quorvel stays on the game folder %1: %2")
                                  .arg(ToQString(NameText(game)), ToQString(outcome.why())));
}

void Principal::libraryFoldersStored() {
    model_.change([](Installation& installation) { installation.reloadLibraryFolders(); });
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
// operation ends first, since its files would be half written. An open box is
// answered as its Escape would, and the end comes once the code that opened the
// box has had its answer.
void Principal::endProgram() {
    if (model_.busy()) {
        model_.whenIdle(this, [this] { endProgram(); });
        return;
    }
    if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        box->reject();
        QMetaObject::invokeMethod(this, &Principal::endProgram, Qt::QueuedConnection);
        return;
    }
    for (const QPointer<QWidget>& window : openWindows_) {
        if (window)
            window->close();
    }
    // The close's Clear All closes the window once it has ended. A window that
    // still holds the main one is not waited for, and a quit would ask the main
    // window, which refuses, again.
    if (!close() && !model_.busy()) {
        clearBeforeExit();
        QCoreApplication::exit(0);
    }
}

// A logoff ends the program at once, perhaps while an operation runs: its work
// ends first, so that Clear All never runs beside it.
void Principal::clearBeforeExit() {
    model_.finishRunningWork();
    if (!clearOnExit_)
        return;
    clearOnExit_ = false;
    sets_->saveLastRun(nullptr);
    model_.clearAtExit();
}

// Closing the main window clears the game folder first, and the window closes
// once that has ended. Asked for while an operation runs, the close comes once
// the operation has ended. It is refused while a window that disabled it is open:
// that window would be dropped half done.
void Principal::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        model_.closeWhenIdle(this);
        return;
    }
    if (clearOnExit_) {
        event->ignore();
        if (closeRefusedWhilePlaying())
            return;
        clearOnExit_ = false;
        sets_->saveLastRun(this);
        BORRARTODO([this] { close(); });
        return;
    }
    for (const QPointer<QWidget>& window : openWindows_) {
        if (window)
            window->close();
    }
    event->accept();
}

} // namespace quorvel
