#pragma once

#include <cstddef>
#include <functional>

namespace quorvel {

// The number of threads the machine runs at once (at least 1).
std::size_t MachineCores();

// Runs `work(worker)` for worker 0 to count - 1 at the same time, worker 0 on the
// calling thread, and returns when all have finished. The first exception a worker
// throws is thrown again from here, after every worker has finished.
void RunOnWorkers(std::size_t count, const std::function<void(std::size_t worker)>& work);

} // namespace quorvel
