#pragma once

#include <filesystem>
#include <string_view>

namespace quorvel::fuzz {

// A folder of the fuzzing process's own under the system's temporary folder,
// made at the first call and reused for every input.
const std::filesystem::path& WorkFolder();

// Writes `data` to `path` as bytes, replacing what was there.
void WriteBytes(const std::filesystem::path& path, std::string_view data);

} // namespace quorvel::fuzz
