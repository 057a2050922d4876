#include "library/MemberSizeLimit.h"

namespace quorvel {

bool MemberSizeAllowed(std::uint64_t declaredSize, std::uint64_t freeSpace, std::uint64_t limit) {
    return declaredSize <= limit && declaredSize <= freeSpace;
}

} // namespace quorvel
