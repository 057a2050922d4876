#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace quorvel {

// One running copy per program folder: two copies would each clear the game
// folder of add-ons the other lists as installed. The running copy holds a lock
// file in the program folder and listens for later copies; a lock left by a copy
// that was killed is taken over. A lock that no running copy answers for (left
// on another computer, say) is the player's to judge.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder);

    enum class Claim {
        Run,       // this copy holds the folder
        Forwarded, // another copy runs and was asked to come forward: end at once
        Unanswered // a lock is there but no copy answers: ask the player
    };
    Claim claim();
    // Takes a lock no copy answers for, after the player said to start anyway.
    bool takeOver();

signals:
    // A later copy was started on the same program folder.
    void anotherStarted();

private:
    void listen();

    QLockFile lock_;
    QLocalServer server_;
    QString serverName_;
};

} // namespace quorvel
