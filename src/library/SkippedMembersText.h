#pragma once

#include "library/SkippedMember.h"

#include <string>
#include <vector>

namespace quorvel {

// Why an extraction wrote no file: "no file could be written: 3 members skipped,
// the first, A.DAT, because a folder is in the way"; for no members at all, "no
// file could be written: the archive holds no file".
std::string NothingWrittenText(const std::vector<SkippedMember>& skipped);

// The members the destination refused, the first few by name: "2 members could
// not be written: A.DAT (a folder is in the way), B.DAT (...)".
std::string NotWrittenText(const std::vector<SkippedMember>& refused);

} // namespace quorvel
