#include "windows/InstallationModel.h"

#include "windows/Prompts.h"

#include <QWidget>

namespace quorvel {

InstallationModel::InstallationModel(HoldFolder hold, QObject* parent)
    : QObject(parent)
    , installation_(std::move(hold)) {}

InstallationModel::~InstallationModel() = default;

bool InstallationModel::start(QWidget* window, const OperationTexts& texts, LongWork work,
                              std::function<void()> then) {
    if (running_)
        return false;
    then_ = std::move(then);
    running_ = std::make_unique<LongOperation>(window, texts, std::move(work));
    connect(running_.get(), &LongOperation::ended, this,
            [this, window = QPointer<QWidget>(window), routine = texts.routine](
                std::exception_ptr failure) { ended(window, routine, failure); });
    return true;
}

// The lists are drawn before any box tells what went wrong, and an end of the
// program that waited for the operation comes after its boxes.
void InstallationModel::ended(QWidget* window, const QString& routine, std::exception_ptr failure) {
    running_.release()->deleteLater();
    std::function<void()> then = std::move(then_);
    then_ = nullptr;
    emit changed();
    if (failure)
        ShowOperationError(window, routine, failure);
    if (window)
        then();
    auto waiting = std::move(whenIdle_);
    whenIdle_.clear();
    for (auto& [context, next] : waiting)
        if (context)
            next();
}

bool InstallationModel::refusesGameChange(QWidget* window) const {
    const QString why = refusal_ ? refusal_() : QString();
    if (!why.isEmpty())
        Prompts::tell(window, why);
    return !why.isEmpty();
}

void InstallationModel::whenIdle(QObject* context, std::function<void()> next) {
    if (!running_) {
        next();
        return;
    }
    whenIdle_.emplace_back(context, std::move(next));
}

void InstallationModel::closeWhenIdle(QWidget* window) {
    static constexpr char kCloseWaits[] = "quorvelCloseWaits";
    if (!running_ || window->property(kCloseWaits).toBool())
        return;
    window->setProperty(kCloseWaits, true);
    whenIdle(window, [window] {
        window->setProperty(kCloseWaits, false);
        window->close();
    });
}

void InstallationModel::finishRunningWork() {
    if (running_)
        running_->finish();
}

void InstallationModel::clearAtExit() {
    finishRunningWork();
    installation_.clearAll();
}

} // namespace quorvel
