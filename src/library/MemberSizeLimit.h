#pragma once

#include <cstdint>

namespace quorvel {

// No add-on file comes near this; a member declaring more is taken for a deflate
// bomb rather than written until the disk is full.
inline constexpr std::uint64_t kLargestMemberSize = std::uint64_t{2} << 30; // 2 GiB

enum class MemberSize { Allowed, OverLimit, OverFreeSpace };

// Whether a member of `declaredSize` bytes may be extracted: no larger than
// kLargestMemberSize and than `freeSpace`. The read stops at the declared size, so
// a member lying about its size cannot write more than this allowed.
MemberSize CheckMemberSize(std::uint64_t declaredSize, std::uint64_t freeSpace);

} // namespace quorvel
