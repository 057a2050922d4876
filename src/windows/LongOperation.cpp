#include "windows/LongOperation.h"

#include "platform/Workers.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QUnhandledException>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

namespace quorvel {
namespace {

constexpr int kDialogDelayMs = 500;

bool& running() {
    static bool operation = false;
    return operation;
}

// The work running now, for an end of the session that cannot wait for the event
// loop; null while none runs.
struct RunningWork {
    QFuture<void> future;
    std::function<void()> cancel; // null for work that cannot stop early
};

RunningWork*& runningWork() {
    static RunningWork* work = nullptr;
    return work;
}

// Swallows user input while an operation runs, so that no second operation can
// start, no window can be closed and no files can be dropped under it. Only the
// progress dialog's Cancel, when it has one, takes input.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* cancellable = nullptr, std::function<void()> cancel = {})
        : cancellable_(cancellable)
        , cancel_(std::move(cancel)) {
        qApp->installEventFilter(this);
        running() = true;
    }
    ~InputBlocker() override {
        running() = false;
        qApp->removeEventFilter(this);
    }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (cancellable_ && insideCancellable(target))
            return cancelInput(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::Close:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

private:
    // The dialog, its button and its Escape shortcut.
    bool insideCancellable(const QObject* target) const {
        for (; target; target = target->parent())
            if (target == cancellable_)
                return true;
        return false;
    }

    // Closing the dialog cancels as its button does, and the dialog stays.
    bool cancelInput(QEvent* event) {
        if (event->type() != QEvent::Close)
            return false;
        cancel_();
        return true;
    }

    QWidget* cancellable_;
    std::function<void()> cancel_;
};

QString describe(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what()); // the core's texts are UTF-8
    } catch (...) {
        return QStringLiteral("an unknown error");
    }
}

// `stopping` (empty: no Cancel button) replaces the label once Cancel is pressed.
void runWithProgress(
    QWidget* window, const QString& label, const QString& stopping,
    const std::function<void(const ProgressReport&, const CancelRequested&)>& work) {
    QProgressDialog dialog(label, QString(), 0, 0, window);
    dialog.setWindowTitle(QStringLiteral("Quorvel"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(kDialogDelayMs);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QPointer<QProgressDialog> target(&dialog);
    // Each report passed on is one event for the window to handle.
    ProgressThrottle throttle([target](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            qApp,
            [target, done, total] {
                if (!target)
                    return;
                target->setMaximum(int(total));
                target->setValue(int(done));
                target->setLabelText(target->labelText().section(QLatin1Char('\n'), 0, 0) +
                                     QStringLiteral("\n%1 of %2").arg(done).arg(total));
            },
            Qt::QueuedConnection);
    });
    const ProgressReport report = [&throttle](std::size_t done, std::size_t total) {
        throttle(done, total);
    };

    std::atomic<bool> cancelled = false;
    const auto cancel = [&dialog, &cancelled, stopping] {
        if (cancelled.exchange(true))
            return;
        const QString shown = dialog.labelText();
        const qsizetype counts = shown.indexOf(QLatin1Char('\n'));
        dialog.setLabelText(stopping + (counts < 0 ? QString() : shown.mid(counts)));
        if (auto* button = dialog.findChild<QPushButton*>())
            button->setEnabled(false);
    };
    const bool cancellable = !stopping.isEmpty();
    if (cancellable) {
        auto* button = new QPushButton(QStringLiteral("Cancel"));
        dialog.setCancelButton(button);
        QObject::disconnect(&dialog, &QProgressDialog::canceled, &dialog, &QProgressDialog::cancel);
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, cancel);
    }
    const CancelRequested cancelRequested = [&cancelled] { return cancelled.load(); };

    InputBlocker blocker(cancellable ? &dialog : nullptr, cancel);
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    QFuture<void> future =
        QtConcurrent::run([&work, &report, &cancelRequested] { work(report, cancelRequested); });
    watcher.setFuture(future);
    RunningWork running{future, cancellable ? std::function<void()>(cancel) : nullptr};
    runningWork() = &running;
    loop.exec();
    runningWork() = nullptr;
    try {
        future.waitForFinished(); // throws what the work threw
    } catch (const QUnhandledException& wrapped) {
        if (wrapped.exception())
            std::rethrow_exception(wrapped.exception());
        throw;
    }
}

} // namespace

void RunInBackground(QWidget* window, const QString& label,
                     const std::function<void(const ProgressReport&)>& work) {
    runWithProgress(
        window, label, QString(),
        [&work](const ProgressReport& report, const CancelRequested&) { work(report); });
}

void RunCancellableInBackground(
    QWidget* window, const QString& label, const QString& stopping,
    const std::function<void(const ProgressReport&, const CancelRequested&)>& work) {
    runWithProgress(window, label, stopping, work);
}

bool OperationRunning() {
    return running();
}

// The loop that started the work reports what it threw, once it runs again.
void FinishRunningOperation() {
    RunningWork* work = runningWork();
    if (!work)
        return;
    if (work->cancel)
        work->cancel();
    try {
        work->future.waitForFinished();
    } catch (...) {
        return;
    }
}

void ShowOperationError(QWidget* window, const QString& routine, std::exception_ptr failure) {
    Prompts::bridgeError(window, routine, describe(std::move(failure)));
}

} // namespace quorvel
