#pragma once

#include <QString>
#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

class QWidget;

namespace quorvel {

// Reports work done: items done of items in all. May be called from any thread.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

// Runs `work` on a worker thread and returns when it is done; an exception the
// work threw is thrown again here, on the calling thread. Meanwhile the windows
// keep painting, user input to them is dropped (nothing else can be started), and
// when the work takes longer than about half a second a progress dialog over
// `window` shows the items done of all, updated about thirty times a second.
void RunInBackground(QWidget* window, const QString& label,
                     const std::function<void(const ProgressReport&)>& work);

// Asked by work between its steps: whether the player pressed Cancel.
using CancelRequested = std::function<bool()>;

// Runs `work` as RunInBackground does, but the progress dialog has a Cancel
// button (Escape and closing it too): it only asks the work to stop, and the
// dialog stays, its label now `stopping`, until the work returns.
void RunCancellableInBackground(
    QWidget* window, const QString& label, const QString& stopping,
    const std::function<void(const ProgressReport&, const CancelRequested&)>& work);

// Whether an operation runs now: what would use its files waits until it is done.
bool OperationRunning();

// Asks the running operation to stop at its next step, when it can, and returns
// once its work is done: for a logoff, which ends the program from inside the
// operation's event loop without returning to it. Returns at once when none runs.
void FinishRunningOperation();

// Shows what an operation threw as the error box "<routine>: <what went wrong>".
void ShowOperationError(QWidget* window, const QString& routine, std::exception_ptr failure);

// Runs `work` as RunInBackground does and returns what it returned.
template <typename Work> auto RunLongOperation(QWidget* window, const QString& label, Work&& work) {
    std::optional<std::invoke_result_t<Work&, const ProgressReport&>> result;
    RunInBackground(window, label,
                    [&](const ProgressReport& report) { result.emplace(work(report)); });
    return std::move(*result);
}

// Runs `work` as RunLongOperation does; an exception it threw becomes the error
// box of `routine` and gives nothing, never a result that looks like success.
template <typename Work>
auto RunOperationOrShowError(QWidget* window, const QString& label, const QString& routine,
                             Work&& work)
    -> std::optional<std::invoke_result_t<Work&, const ProgressReport&>> {
    try {
        return RunLongOperation(window, label, std::forward<Work>(work));
    } catch (...) {
        ShowOperationError(window, routine, std::current_exception());
        return std::nullopt;
    }
}

} // namespace quorvel
