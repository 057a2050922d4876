#include "windows/GameFolderLock.h"

#include "config/PathVariables.h"
#include "windows/TextConversions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// The same name for every spelling of one folder: letter case counts only
// where the file system tells names apart by it.
QString lockPathFor(const fs::path& folder) {
    QString canonical = QFileInfo(ToQString(FolderText(folder))).canonicalFilePath();
#ifdef Q_OS_WIN
    canonical = canonical.toLower();
#endif
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QDir(QDir::tempPath()).filePath(QStringLiteral("quorvel-game-%1.lock").arg(hash));
}

std::unique_ptr<QLockFile> lockOf(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // only a dead holder makes it stale, never its age
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return nullptr;
    return lock;
}

} // namespace

// A temporary folder that cannot hold the lock leaves the copy without one:
// running matters more than this guard.
bool GameFolderLock::hold(const fs::path& folder) {
    const QString path = lockPathFor(folder);
    if (lock_ && path == path_)
        return true;
    lock_.reset();
    path_.clear();
    lock_ = lockOf(path);
    if (!lock_)
        return false;
    path_ = path;
    return true;
}

bool GameFolderLock::heldElsewhere(const fs::path& folder) const {
    const QString path = lockPathFor(folder);
    return !(lock_ && path == path_) && lockOf(path) == nullptr;
}

} // namespace quorvel
