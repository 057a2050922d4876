#include "windows/LongOperation.h"

#include "platform/Workers.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QPushButton>
#include <QUnhandledException>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

namespace quorvel {
namespace {

constexpr int kDialogDelayMs = 500;

QString describe(std::exception_ptr failure) {
    try {
        std::rethrow_exception(std::move(failure));
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what()); // the core's texts are UTF-8
    } catch (...) {
        return QStringLiteral("an unknown error");
    }
}

// What the work threw; null when it returned.
std::exception_ptr failureOf(QFuture<void>& future) {
    try {
        future.waitForFinished();
    } catch (const QUnhandledException& wrapped) {
        return wrapped.exception() ? wrapped.exception() : std::current_exception();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

// Stays until the work has ended: Escape and a close only ask to cancel, as the
// Cancel button does, when there is one.
class ProgressDialog : public QProgressDialog {
public:
    ProgressDialog(const QString& label, QWidget* window)
        : QProgressDialog(label, QString(), 0, 0, window) {}

    void reject() override { askToCancel(); }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        askToCancel();
    }

private:
    void askToCancel() {
        if (findChild<QPushButton*>())
            emit canceled();
    }
};

QProgressDialog* progressDialog(QWidget* window, const QString& label) {
    auto* dialog = new ProgressDialog(label, window);
    // Made while its window is disabled; a window of its own may be enabled alone.
    dialog->setEnabled(true);
    dialog->setWindowTitle(QStringLiteral("Quorvel"));
    // Not modal: the windows are disabled already, and a modal dialog would handle
    // events inside every setValue(), the end of its own operation too.
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(kDialogDelayMs);
    // Starts the timer that shows the dialog after the delay, also for work that
    // reports nothing.
    dialog->setValue(0);
    return dialog;
}

} // namespace

// Lives until the work has ended: the worker holds references to its members.
struct LongOperation::Running {
    explicit Running(QProgressDialog* shown)
        : dialog(shown)
        , throttle([target = QPointer<QProgressDialog>(shown)](std::size_t done,
                                                               std::size_t total) {
            // Each report passed on is one event for the window to handle.
            QMetaObject::invokeMethod(
                qApp,
                [target, done, total] {
                    if (!target)
                        return;
                    target->setLabelText(target->labelText().section(QLatin1Char('\n'), 0, 0) +
                                         QStringLiteral("\n%1 of %2").arg(done).arg(total));
                    target->setMaximum(int(total));
                    target->setValue(int(done));
                },
                Qt::QueuedConnection);
        }) {}

    ~Running() { closeDialog(); }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    // At once, not later: a nested event loop, as a box's, would keep a dialog
    // deleted later alive, and its timer would show it over the box.
    void closeDialog() { delete dialog.data(); }

    QPointer<QProgressDialog> dialog; // a child of the window, which may go first
    ProgressThrottle throttle;
    std::atomic<bool> cancelled = false;
    QString stopping;
    QFutureWatcher<void> watcher;
    QFuture<void> future;
};

LongOperation::LongOperation(QWidget* window, const OperationTexts& texts, LongWork work) {
    disableWindows();
    running_ = std::make_unique<Running>(progressDialog(window, texts.label));
    running_->stopping = texts.stopping;
    QProgressDialog* dialog = running_->dialog;
    if (!texts.stopping.isEmpty()) {
        dialog->setCancelButton(new QPushButton(QStringLiteral("Cancel")));
        disconnect(dialog, &QProgressDialog::canceled, dialog, &QProgressDialog::cancel);
        connect(dialog, &QProgressDialog::canceled, this, &LongOperation::cancel);
    }
    connect(&running_->watcher, &QFutureWatcher<void>::finished, this, [this] {
        std::exception_ptr failure = failureOf(running_->future);
        running_->closeDialog();
        enableWindows();
        emit ended(failure);
    });
    Running* state = running_.get();
    running_->future = QtConcurrent::run([state, work = std::move(work)] {
        work([state](std::size_t done, std::size_t total) { state->throttle(done, total); },
             [state] { return state->cancelled.load(); });
    });
    running_->watcher.setFuture(running_->future);
}

LongOperation::~LongOperation() {
    running_->watcher.disconnect(this);
    failureOf(running_->future);
    enableWindows();
}

void LongOperation::finish() {
    if (!running_->stopping.isEmpty())
        running_->cancelled = true;
    failureOf(running_->future);
}

// The dialog stays, its label now `stopping`, until the work returns.
void LongOperation::cancel() {
    if (running_->cancelled.exchange(true) || !running_->dialog)
        return;
    QProgressDialog* dialog = running_->dialog;
    const QString shown = dialog->labelText();
    const qsizetype counts = shown.indexOf(QLatin1Char('\n'));
    dialog->setLabelText(running_->stopping + (counts < 0 ? QString() : shown.mid(counts)));
    if (auto* button = dialog->findChild<QPushButton*>())
        button->setEnabled(false);
}

// Each window shown and enabled now, and the control that has the focus, come
// back as they were.
void LongOperation::disableWindows() {
    focus_ = QApplication::focusWidget();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isEnabled()) {
            window->setEnabled(false);
            disabled_.emplace_back(window);
        }
    }
}

void LongOperation::enableWindows() {
    for (const QPointer<QWidget>& window : disabled_)
        if (window)
            window->setEnabled(true);
    disabled_.clear();
    if (focus_ && focus_->isVisible())
        focus_->setFocus();
    focus_ = nullptr; // once: a window opened after the work keeps its own focus
}

void ShowOperationError(QWidget* window, const QString& routine, std::exception_ptr failure) {
    Prompts::bridgeError(window, routine, describe(std::move(failure)));
}

} // namespace quorvel
