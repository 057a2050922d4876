#include "windows/LongOperation.h"

#include "library/ProgressThrottle.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QUnhandledException>
#include <QtConcurrent/QtConcurrentRun>

namespace quorvel {
namespace {

constexpr int kDialogDelayMs = 500;

bool& running() {
    static bool operation = false;
    return operation;
}

// Swallows user input while an operation runs, so that no second operation can
// start, no window can be closed and no files can be dropped under it.
class InputBlocker : public QObject {
public:
    InputBlocker() {
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
    bool eventFilter(QObject*, QEvent* event) override {
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

} // namespace

void RunInBackground(QWidget* window, const QString& label,
                     const std::function<void(const ProgressReport&)>& work) {
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

    InputBlocker blocker;
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    QFuture<void> future = QtConcurrent::run([&work, &report] { work(report); });
    watcher.setFuture(future);
    loop.exec();
    try {
        future.waitForFinished(); // throws what the work threw
    } catch (const QUnhandledException& wrapped) {
        if (wrapped.exception())
            std::rethrow_exception(wrapped.exception());
        throw;
    }
}

bool OperationRunning() {
    return running();
}

void ShowOperationError(QWidget* window, const QString& routine, std::exception_ptr failure) {
    Prompts::bridgeError(window, routine, describe(std::move(failure)));
}

} // namespace quorvel
