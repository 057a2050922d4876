#include "platform/Workers.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace std::chrono_literals;

namespace {

// 10,000 members reported one by one, against a clock that moves by `step` per
// report: at most about thirty reports a second pass, and always the last.
TEST(ProgressThrottle, PassesAboutThirtyASecondAndAlwaysTheLast) {
    constexpr std::size_t kMembers = 10000;
    const struct {
        std::chrono::microseconds step;
        std::size_t fewestPassed, mostPassed;
    } cases[] = {
        {0us, 2, 2},                                // the first and the last
        {1000us, kMembers / 34, kMembers / 33 + 2}, // ten seconds of work
        {100000us, kMembers, kMembers},             // slower than the interval: every one
    };
    for (const auto& c : cases) {
        std::chrono::steady_clock::time_point now;
        std::vector<std::pair<std::size_t, std::size_t>> passed;
        ProgressThrottle throttle(
            [&passed](std::size_t done, std::size_t total) { passed.emplace_back(done, total); },
            kProgressInterval, [&now] { return now; });
        for (std::size_t done = 1; done <= kMembers; ++done) {
            throttle(done, kMembers);
            now += c.step;
        }
        EXPECT_LE(passed.size(), c.mostPassed) << c.step.count();
        EXPECT_GE(passed.size(), c.fewestPassed) << c.step.count();
        ASSERT_FALSE(passed.empty());
        EXPECT_EQ(passed.back(), std::make_pair(kMembers, kMembers)) << c.step.count();
    }
}

} // namespace
