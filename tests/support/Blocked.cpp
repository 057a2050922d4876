#include "support/Blocked.h"

#include <cstdlib>
#include <string>

namespace quorvel::test {

Blocked::Blocked(std::filesystem::path path)
    : path_(std::move(path)) {
    blocked_ = run("chattr +i");
}

Blocked::~Blocked() {
    if (blocked_)
        run("chattr -i");
}

bool Blocked::run(const char* command) const {
    const std::string line = std::string(command) + " '" + path_.string() + "' 2>/dev/null";
    return std::system(line.c_str()) == 0;
}

} // namespace quorvel::test
