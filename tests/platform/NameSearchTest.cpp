#include "platform/NameFolding.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace quorvel;

namespace {

// Each row: a name, a player's search text, and whether the name is found.
TEST(NameSearch, FindsANameWhateverItsCaseAndAccents) {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"SPITFIRE9", "spit", true},
        {"Messerschmitt", "SCHMITT", true},
        {"D\xC3\x89WOITINE", "dewoitine", true}, // É
        {"Dewoitine", "D\xC3\xA9W", true},       // é typed
        {"De\xCC\x81woitine", "dew", true},      // e and a combining acute
        {"\xC5\xBBUBR", "zubr", true},           // Ż
        {"STRA\xC3\x9F"
         "E",
         "strasse", false},                                  // ß has no base letter
        {"\xC3\x86THER", "aether", false},                   // nor has Æ
        {"\xC3\x86THER", "\xC3\xA6ther", true},              // but folds with æ
        {"P-51 \xE2\x80\x93 Mustang", "\xE2\x80\x93", true}, // other characters stay
        {"LATIN\xC3", "latin\xC3", true},                    // a cut character stays a byte
        {"ME262", "me 262", false},
    };
    for (const auto& [name, typed, found] : rows)
        EXPECT_EQ(SearchFolded(name).find(SearchFolded(typed)) != std::string::npos, found)
            << name << " / " << typed;
}

} // namespace
