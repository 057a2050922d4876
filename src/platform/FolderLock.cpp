#include "platform/FolderLock.h"

#include "platform/FolderIdentity.h"

#include <cstdint>
#include <optional>
#include <utility>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <string>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quorvel {

#ifdef _WIN32

namespace {

std::wstring hexDigits(std::uint64_t value, int count) {
    std::wstring text(static_cast<std::size_t>(count), L'0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value >>= 4)
        *digit = L"0123456789abcdef"[value & 0xF];
    return text;
}

// "Global\" reaches the sessions of every account of the machine.
std::wstring mutexName(const FolderIdentity& identity) {
    return L"Global\\Quorvel-game-" + hexDigits(identity.volume, 8) + L"-" +
           hexDigits(identity.index, 16);
}

} // namespace

class FolderLock::Claim {
public:
    explicit Claim(const FolderIdentity& identity)
        : identity_(identity) {}
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    ~Claim() {
        if (!mutex_)
            return;
        if (owned_)
            ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

    static std::unique_ptr<Claim> open(const fs::path& folder) {
        const auto identity = IdentityOf(folder);
        return identity ? std::make_unique<Claim>(*identity) : nullptr;
    }

    const FolderIdentity& identity() const { return identity_; }

    FolderLockOutcome take() {
        mutex_ = CreateMutexW(nullptr, FALSE, mutexName(identity_).c_str());
        // Another account's mutex is closed to this one; it exists, so its holder runs.
        if (!mutex_)
            return GetLastError() == ERROR_ACCESS_DENIED ? FolderLockOutcome::HeldElsewhere
                                                         : FolderLockOutcome::CannotLock;
        switch (WaitForSingleObject(mutex_, 0)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED: // its holder died holding it
            owned_ = true;
            return FolderLockOutcome::Held;
        case WAIT_TIMEOUT:
            return FolderLockOutcome::HeldElsewhere;
        default:
            return FolderLockOutcome::CannotLock;
        }
    }

private:
    FolderIdentity identity_;
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};

#else

// The open folder itself carries the lock, so the kernel keys it by the inode.
class FolderLock::Claim {
public:
    Claim(int descriptor, const FolderIdentity& identity)
        : descriptor_(descriptor)
        , identity_(identity) {}
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;
    ~Claim() { ::close(descriptor_); } // which drops the lock

    static std::unique_ptr<Claim> open(const fs::path& folder) {
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0)
            return nullptr;
        struct stat status {};
        if (fstat(descriptor, &status) != 0) {
            ::close(descriptor);
            return nullptr;
        }
        return std::make_unique<Claim>(descriptor, FolderIdentity{status.st_dev, status.st_ino});
    }

    const FolderIdentity& identity() const { return identity_; }

    FolderLockOutcome take() {
        if (flock(descriptor_, LOCK_EX | LOCK_NB) == 0)
            return FolderLockOutcome::Held;
        return errno == EWOULDBLOCK ? FolderLockOutcome::HeldElsewhere
                                    : FolderLockOutcome::CannotLock;
    }

private:
    int descriptor_;
    FolderIdentity identity_;
};

#endif

FolderLock::FolderLock() = default;
FolderLock::~FolderLock() = default;
FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&&) noexcept = default;

FolderLockOutcome FolderLock::hold(const fs::path& folder) {
    auto claim = Claim::open(folder);
    // The folder held stays held, never free for a moment for another copy to take.
    if (claim && held_ && claim->identity() == held_->identity())
        return FolderLockOutcome::Held;
    release();
    if (!claim)
        return FolderLockOutcome::CannotLock;
    const FolderLockOutcome outcome = claim->take();
    if (outcome == FolderLockOutcome::Held)
        held_ = std::move(claim);
    return outcome;
}

// The probe holds the folder for a moment when it is free, and lets it go with
// the claim.
bool FolderLock::heldElsewhere(const fs::path& folder) const {
    const auto claim = Claim::open(folder);
    if (!claim || (held_ && claim->identity() == held_->identity()))
        return false;
    return claim->take() == FolderLockOutcome::HeldElsewhere;
}

void FolderLock::release() {
    held_.reset();
}

} // namespace quorvel
