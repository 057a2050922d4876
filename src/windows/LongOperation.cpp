#include "windows/LongOperation.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

namespace quorvel {
namespace {

constexpr int kDialogDelayMs = 500;

// Swallows user input while an operation runs, so that no second operation can
// start and no window can be closed under it.
class InputBlocker : public QObject {
public:
    InputBlocker() { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }
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
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void RunLongOperation(QWidget* window, const QString& label,
                      const std::function<void(const ProgressReport&)>& work) {
    QProgressDialog dialog(label, QString(), 0, 0, window);
    dialog.setWindowTitle(QStringLiteral("Quorvel"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(kDialogDelayMs);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QPointer<QProgressDialog> target(&dialog);
    const ProgressReport report = [target](std::size_t done, std::size_t total) {
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
    };

    InputBlocker blocker;
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&work, &report] { work(report); }));
    loop.exec();
}

} // namespace quorvel
