#include "support/Blocked.h"

#include "support/TempFolder.h"

#include <fstream>
#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quorvel::test {
namespace {

bool setImmutable([[maybe_unused]] const fs::path& path, [[maybe_unused]] bool on) {
#ifdef __linux__
    const int fd = ::open(path.c_str(), O_RDONLY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
#else
    return false;
#endif
}

} // namespace

Blocked::Blocked(fs::path path)
    : path_(std::move(path))
    , blocked_(setImmutable(path_, true)) {}

Blocked::~Blocked() {
    if (blocked_)
        setImmutable(path_, false);
}

BlockedFolder::BlockedFolder(const fs::path& folder)
    : immutable_(folder)
    , folder_(folder) {
    if (!immutable_.blocked())
        SetWritable(folder_, false);
    const fs::path probe = folder_ / "probe.quorvel-test";
    blocked_ = !std::ofstream(probe);
    std::error_code ec;
    fs::remove(probe, ec);
}

BlockedFolder::~BlockedFolder() {
    if (!immutable_.blocked())
        SetWritable(folder_, true);
}

} // namespace quorvel::test
