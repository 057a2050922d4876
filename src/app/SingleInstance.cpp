#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace quorvel {
namespace {

// The socket's name is the same for every copy started on one program folder.
QString serverNameFor(const QString& programFolder) {
    const QByteArray folder = QDir(programFolder).canonicalPath().toUtf8();
    return QStringLiteral("quorvel-") +
           QString::fromLatin1(
               QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24));
}

bool askRunningCopyForward(const QString& serverName) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(2000))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder)
    : lock_(QDir(programFolder).filePath(QStringLiteral("QUORVEL.LCK")))
    , serverName_(serverNameFor(programFolder)) {
    // Only a dead holder makes the lock stale, never its age.
    lock_.setStaleLockTime(0);
}

SingleInstance::Claim SingleInstance::claim() {
    if (!lock_.tryLock(0) && lock_.error() == QLockFile::LockFailedError)
        return askRunningCopyForward(serverName_) ? Claim::Forwarded : Claim::Unanswered;
    // A program folder that cannot hold the lock cannot hold QUORVEL.INI either;
    // the copy runs, as it would have without the lock.
    listen();
    return Claim::Run;
}

bool SingleInstance::takeOver() {
    if (!lock_.removeStaleLockFile() || !lock_.tryLock(0))
        return false;
    listen();
    return true;
}

// A socket left by a killed copy is removed: holding the lock, this copy is the
// only one.
void SingleInstance::listen() {
    QLocalServer::removeServer(serverName_);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection())
            socket->deleteLater();
        emit anotherStarted();
    });
    server_.listen(serverName_);
}

} // namespace quorvel
