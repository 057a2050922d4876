#pragma once

#include "library/Installation.h"
#include "windows/LongOperation.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

class QWidget;

namespace quorvel {

// The Installation as the windows see it: it owns the core's Installation, runs
// the long operations one at a time on a worker thread, and says when what it
// holds may have changed, so that every window redraws from one signal. Windows
// are handed it; none keeps a copy of its folders or its lists.
class InstallationModel : public QObject {
    Q_OBJECT
public:
    explicit InstallationModel(HoldFolder hold = {}, QObject* parent = nullptr);
    ~InstallationModel() override;

    // Read between operations, never while one runs.
    const Installation& installation() const { return installation_; }
    const PathVariables& paths() const { return installation_.paths(); }
    bool busy() const { return running_ != nullptr; }
    // Why the list of installed add-ons on disk could not follow, once; "" when it did.
    std::string takeLedgerFailure() { return installation_.takeLedgerFailure(); }

    // Changes the Installation now, on this thread, and tells the windows.
    template <typename Change> auto change(Change&& change) {
        if constexpr (std::is_void_v<std::invoke_result_t<Change&, Installation&>>) {
            change(installation_);
            emit changed();
        } else {
            auto result = change(installation_);
            emit changed();
            return result;
        }
    }

    // Runs `work(installation, report, cancelled)` as a LongOperation over `window`
    // and returns at once. When it has ended: changed(), then `then(result)` on
    // this thread, with no result after the error box when the work threw; `then`
    // is dropped when `window` is gone. False, and nothing runs, while another
    // operation runs.
    template <typename Work, typename Then>
    bool run(QWidget* window, const OperationTexts& texts, Work&& work, Then&& then) {
        using Result = std::invoke_result_t<Work&, Installation&, const ProgressReport&,
                                            const CancelRequested&>;
        auto result = std::make_shared<std::optional<Result>>();
        return start(
            window, texts,
            [this, result, work = std::forward<Work>(work)](const ProgressReport& report,
                                                            const CancelRequested& cancelled) {
                result->emplace(work(installation_, report, cancelled));
            },
            [result, then = std::forward<Then>(then)] { then(std::move(*result)); });
    }

    // While `why` gives a text, the operations that change the game folder are
    // refused: refusesGameChange tells that text in a box on `window` and is true.
    void refuseGameChangesWhile(std::function<QString()> why) { refusal_ = std::move(why); }
    bool refusesGameChange(QWidget* window) const;

    // Runs `next` once no operation runs: now, or right after the running one's
    // `then`; dropped when `context` is gone.
    void whenIdle(QObject* context, std::function<void()> next);
    // A close of `window` asked for while an operation runs: done once it has ended,
    // however often it was asked meanwhile. Nothing while no operation runs.
    void closeWhenIdle(QWidget* window);
    // Asks the running operation to stop at its next step, when it can, and waits
    // for its work without an event loop: for a logoff, which ends the program
    // before the operation's `then` could run.
    void finishRunningWork();
    // The last Clear All, as the program ends at once: after the running work,
    // and no window is told.
    void clearAtExit();

signals:
    void changed();

private:
    bool start(QWidget* window, const OperationTexts& texts, LongWork work,
               std::function<void()> then);
    void ended(QWidget* window, const QString& routine, std::exception_ptr failure);

    Installation installation_;
    std::unique_ptr<LongOperation> running_;
    std::function<void()> then_;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> whenIdle_;
    std::function<QString()> refusal_;
};

} // namespace quorvel
