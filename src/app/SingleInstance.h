#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace quorvel {

// One running copy per program folder: two copies would each clear the game
// folder of add-ons the other lists as installed. The running copy holds a lock
// file in the program folder and listens for later copies; a lock left by a copy
// that was killed is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder);

    // True when this copy is to run. False when another copy runs on the folder:
    // that copy has been asked to come forward, and this one is to end at once.
    bool claim();

signals:
    // A later copy was started on the same program folder.
    void anotherStarted();

private:
    QLockFile lock_;
    QLocalServer server_;
    QString serverName_;
};

} // namespace quorvel
