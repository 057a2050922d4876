#include "platform/Workers.h"

#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvel {

std::size_t MachineCores() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

void RunOnWorkers(std::size_t count, const std::function<void(std::size_t worker)>& work) {
    std::mutex failureMutex;
    std::exception_ptr failure;
    const auto guarded = [&](std::size_t worker) {
        try {
            work(worker);
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t worker = 1; worker < count; ++worker)
            helpers.emplace_back(guarded, worker);
        guarded(0);
    } // the helpers are joined here
    if (failure)
        std::rethrow_exception(failure);
}

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
