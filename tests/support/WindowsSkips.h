#pragma once

namespace quorvel::test {

// What some tests need that Windows does not give; each such test is skipped
// there with one of these reasons: `if (kOnWindows) GTEST_SKIP() << reason;`.
#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

inline constexpr const char* kNeedsLinks =
    "makes symbolic links: Windows lets only administrators make them, and mingw's "
    "std::filesystem cannot";
inline constexpr const char* kNeedsCaseTwins =
    "puts two names differing only in letter case in one folder, which NTFS cannot hold";
inline constexpr const char* kNeedsWildcardNames =
    "names files with * or ?, which Windows refuses (such members are skipped there: "
    "UnzipGolden)";

} // namespace quorvel::test
