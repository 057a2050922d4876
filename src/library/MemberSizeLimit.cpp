#include "library/MemberSizeLimit.h"

namespace quorvel {

MemberSize CheckMemberSize(std::uint64_t declaredSize, std::uint64_t freeSpace,
                           std::uint64_t limit) {
    if (declaredSize > limit)
        return MemberSize::OverLimit;
    return declaredSize > freeSpace ? MemberSize::OverFreeSpace : MemberSize::Allowed;
}

} // namespace quorvel
