#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>

namespace quorvel {

// Work spread over threads, and the progress reports it sends back.

// The number of threads the machine runs at once (at least 1).
std::size_t MachineCores();

// Runs `work(worker)` for worker 0 to count - 1 at the same time, worker 0 on the
// calling thread, and returns when all have finished. The first exception a worker
// throws is thrown again from here, after every worker has finished.
void RunOnWorkers(std::size_t count, const std::function<void(std::size_t worker)>& work);

// About thirty reports a second: a progress display looks smooth, and the window
// is not flooded with one report per file of a 20,000-file terrain.
inline constexpr std::chrono::milliseconds kProgressInterval{33};

// Passes reports on to `report` at most once per `interval`, except that the
// report completing the work (done >= total) always goes through, so the last
// one always arrives. Callable from several threads; reports are passed on one
// at a time.
class ProgressThrottle {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Report = std::function<void(std::size_t done, std::size_t total)>;

    explicit ProgressThrottle(Report report, std::chrono::nanoseconds interval = kProgressInterval,
                              Clock now = &std::chrono::steady_clock::now);

    void operator()(std::size_t done, std::size_t total);

private:
    Report report_;
    std::chrono::nanoseconds interval_;
    Clock now_;
    std::mutex mutex_;
    std::optional<std::chrono::steady_clock::time_point> lastPassed_;
};

} // namespace quorvel
