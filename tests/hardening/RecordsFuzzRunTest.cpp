#include "RecordForgery.h"

#include <gtest/gtest.h>
#include <random>

namespace {

constexpr unsigned kInputs = 300;
constexpr std::size_t kLongestInput = 1024;

// The records fuzz target's forgeries and checks over inputs of a seeded
// generator, the same ones every run: a start, a close and a second start on
// forged records change nothing outside them.
TEST(RecordsFuzzRun, ForgedRecordsChangeNothingOutsideThem) {
    std::mt19937 random(1);
    for (unsigned input = 0; input < kInputs; ++input) {
        std::vector<std::uint8_t> bytes(random() % kLongestInput);
        for (std::uint8_t& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        const std::string fault = quorvel::fuzz::ForgedStartFault(bytes);
        ASSERT_TRUE(fault.empty()) << "input " << input << ":\n" << fault;
    }
}

} // namespace
