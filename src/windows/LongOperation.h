#pragma once

#include <QString>
#include <cstddef>
#include <functional>

class QWidget;

namespace quorvel {

// Reports work done: items done of items in all. May be called from any thread.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

// Runs `work` on a worker thread and returns when it is done. Meanwhile the windows
// keep painting, user input to them is dropped (nothing else can be started), and
// when the work takes longer than about half a second a progress dialog over
// `window` shows the items done of all.
void RunLongOperation(QWidget* window, const QString& label,
                      const std::function<void(const ProgressReport&)>& work);

} // namespace quorvel
