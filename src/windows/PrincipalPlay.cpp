// The main window's part in playing: Play starts the game, the line beside it says
// while the game runs, and meanwhile the operations that change the game folder
// are refused, since the game has its files open.
#include "platform/GameLaunch.h"
#include "ui_Principal.h"
#include "windows/GameSession.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"

#include <QtGlobal>

namespace quorvel {

void Principal::connectPlay() {
    game_ = new GameSession(this);
    connect(ui->Command16, &QAbstractButton::clicked, this, [this] {
        game_->start(PlanGameStart(model_.paths().GameFolder, qgetenv("PATH").toStdString(),
                                   BuiltForSystem()));
    });
    connect(game_, &GameSession::started, this, [this] { showPlaying(true); });
    connect(game_, &GameSession::failedToStart, this, [this](const QString& why) {
        showPlaying(false);
        Prompts::tell(this, QStringLiteral("European Air War could not be started. ") + why);
    });
    connect(game_, &GameSession::ended, this, [this] {
        showPlaying(false);
        bringForward();
    });
    model_.refuseGameChangesWhile([this] {
        return game_->running()
                   ? QStringLiteral("European Air War is running, and the files of its folder "
                                    "are in use. Wait until the game has ended, then try again.")
                   : QString();
    });
}

void Principal::showPlaying(bool playing) {
    ui->Command16->setEnabled(!playing && !model_.paths().GameFolder.empty());
    ui->Label14->setText(playing ? QStringLiteral("European Air War is running. Installing, "
                                                  "uninstalling and the settings wait until "
                                                  "it ends.")
                                 : QString());
}

// Closing clears the game folder; under a running game that pulls its files away,
// so the player decides, and can still close when the game hangs.
bool Principal::closeRefusedWhilePlaying() {
    return game_->running() &&
           !Prompts::confirm(this, QStringLiteral("European Air War is still running. Closing "
                                                  "Quorvel takes the add-ons out of the game "
                                                  "folder, from under the game.\n\nClose "
                                                  "Quorvel anyway?"));
}

} // namespace quorvel
