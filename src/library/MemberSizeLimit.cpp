#include "library/MemberSizeLimit.h"

namespace quorvel {

MemberSize CheckMemberSize(std::uint64_t declaredSize, std::uint64_t freeSpace) {
    if (declaredSize > kLargestMemberSize)
        return MemberSize::OverLimit;
    return declaredSize > freeSpace ? MemberSize::OverFreeSpace : MemberSize::Allowed;
}

} // namespace quorvel
