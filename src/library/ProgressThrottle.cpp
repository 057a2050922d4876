#include "library/ProgressThrottle.h"

namespace quorvel {

ProgressThrottle::ProgressThrottle(Report report, std::chrono::nanoseconds interval, Clock now)
    : report_(std::move(report))
    , interval_(interval)
    , now_(std::move(now)) {}

void ProgressThrottle::operator()(std::size_t done, std::size_t total) {
    const std::lock_guard lock(mutex_);
    const auto now = now_();
    if (done < total && lastPassed_ && now - *lastPassed_ < interval_)
        return;
    lastPassed_ = now;
    report_(done, total);
}

} // namespace quorvel
