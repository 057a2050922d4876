#include "windows/GameSession.h"

#include "windows/TextConversions.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <vector>

namespace quorvel {
namespace {

// Games whose session went while they ran. QProcess's destructor kills its
// program, and a player who closes this program must keep playing, so a running
// game's QProcess is never destroyed: it is kept here, reachable to the very end
// (the list itself is never destroyed either), and the game goes on as a process
// of its own.
void LetGo(QProcess* game) {
    static auto* const letGo = new std::vector<QProcess*>;
    game->disconnect();
    game->setParent(nullptr);
    letGo->push_back(game);
}

} // namespace

GameSession::GameSession(QObject* parent)
    : QObject(parent) {}

GameSession::~GameSession() {
    if (running())
        LetGo(game_);
}

bool GameSession::running() const {
    return game_ && game_->state() != QProcess::NotRunning;
}

void GameSession::start(const Outcome<GameStart>& plan) {
    if (!plan.done()) {
        emit failedToStart(ToQString(plan.why()));
        return;
    }
    if (running()) {
        emit failedToStart(
            QString("European Air War is running already. End it before you press Play again."));
        return;
    }
    // Not deleted at once: start() may be called from a slot of the last game's ended().
    if (game_)
        game_->deleteLater();
    game_ = newGame(plan.report());
    game_->start();
}

// The game reads nothing from this program and writes nothing to it: with no
// pipes between them, it never stops on a write once this program has ended.
QProcess* GameSession::newGame(const GameStart& plan) {
    auto* game = new QProcess(this);
    game->setProgram(ToQString(plan.program));
    QStringList arguments;
    for (const std::string& argument : plan.arguments)
        arguments << ToQString(argument);
    game->setArguments(arguments);
    game->setWorkingDirectory(ToQString(plan.workingFolder));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : plan.environment)
        environment.insert(ToQString(name), ToQString(value));
    game->setProcessEnvironment(environment);
    game->setStandardInputFile(QProcess::nullDevice());
    game->setStandardOutputFile(QProcess::nullDevice());
    game->setStandardErrorFile(QProcess::nullDevice());
    connect(game, &QProcess::started, this, &GameSession::started);
    connect(game, &QProcess::errorOccurred, this, &GameSession::tellError);
    connect(game, &QProcess::finished, this, &GameSession::ended);
    return game;
}

// A crash is followed by finished(), which tells the end; only a start that
// failed has nothing after it.
void GameSession::tellError(QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart)
        return;
    emit failedToStart(QString("%1 could not be started (%2). Check that it is there and may be "
                               "run, then press Play again.")
                           .arg(game_->program(), game_->errorString()));
}

} // namespace quorvel
