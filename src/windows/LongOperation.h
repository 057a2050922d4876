#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QProgressDialog;
class QWidget;

namespace quorvel {

// Reports work done: items done of items in all. May be called from any thread.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;
// Asked by work between its steps: whether the player pressed Cancel.
using CancelRequested = std::function<bool()>;
using LongWork = std::function<void(const ProgressReport&, const CancelRequested&)>;

struct OperationTexts {
    OperationTexts(QString progress, QString errorRoutine, QString whenStopping = {})
        : label(std::move(progress))
        , routine(std::move(errorRoutine))
        , stopping(std::move(whenStopping)) {}

    QString label;    // the progress dialog's
    QString routine;  // the error box's "<routine>: " when the work throws
    QString stopping; // the label once Cancel is pressed; empty: no Cancel button
};

// One long operation: its work runs on a worker thread while every window is
// disabled, so nothing else can start, close or take a drop, and the windows keep
// painting. When the work takes longer than about half a second a progress dialog
// over `window` shows the items done of all, about thirty times a second; with a
// `stopping` text it has a Cancel button (Escape and closing it too), which only
// asks the work to stop. The dialog is made for this operation alone and is gone
// once its work has ended; then the windows are enabled again and `ended` is
// emitted with what the work threw, if anything.
class LongOperation : public QObject {
    Q_OBJECT
public:
    LongOperation(QWidget* window, const OperationTexts& texts, LongWork work);
    // Waits for the work: its files must not be left half written.
    ~LongOperation() override;
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;

    // Asks the work to stop at its next step, when it can, and waits until it
    // ended, without an event loop: for a logoff, which ends the program now.
    void finish();

signals:
    void ended(std::exception_ptr failure);

private:
    struct Running;
    void cancel();
    void disableWindows();
    void enableWindows();

    std::unique_ptr<Running> running_;
    std::vector<QPointer<QWidget>> disabled_;
    QPointer<QWidget> focus_;
};

// Shows what an operation threw as the error box "<routine>: <what went wrong>".
void ShowOperationError(QWidget* window, const QString& routine, std::exception_ptr failure);

} // namespace quorvel
