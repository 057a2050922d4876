#pragma once

#include "platform/GameLaunch.h"

#include <QObject>
#include <QProcess>
#include <QString>

namespace quorvel {

// One game started from the program at a time: it starts what the plan says,
// tells when the game runs, when it could not start and why, and when it ends.
// The game outlives the session: ending the program never ends the game.
class GameSession : public QObject {
    Q_OBJECT

public:
    explicit GameSession(QObject* parent = nullptr);
    ~GameSession() override;

    // Starts the game as `plan` says, with the environment of this program plus
    // the plan's additions. A plan not done, a game running already or a program
    // that cannot be started is told through failedToStart, which may come before
    // this returns.
    void start(const Outcome<GameStart>& plan);

    // Whether the game started last is starting or running.
    bool running() const;

signals:
    void started();
    void failedToStart(QString why);
    void ended();

private:
    QProcess* newGame(const GameStart& plan);
    void tellError(QProcess::ProcessError error);

    QProcess* game_ = nullptr;
};

} // namespace quorvel
