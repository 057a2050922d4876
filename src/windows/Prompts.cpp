#include "windows/Prompts.h"

namespace quorvel {

std::deque<QMessageBox::StandardButton>& Prompts::answers() {
    static std::deque<QMessageBox::StandardButton> queue;
    return queue;
}

std::vector<Prompts::Shown>& Prompts::record() {
    static std::vector<Shown> boxes;
    return boxes;
}

QMessageBox::StandardButton Prompts::ask(QWidget* parent, QMessageBox::Icon icon,
                                         const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons) {
    record().push_back({icon, title, text, buttons});
    if (!answers().empty()) {
        const QMessageBox::StandardButton answer = answers().front();
        answers().pop_front();
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool Prompts::retryUnreadableDrive(QWidget* parent) {
    return ask(parent, QMessageBox::Critical, QStringLiteral("Alert !!!"),
               QStringLiteral("Drive not Aviable\r\nTry Again?"),
               QMessageBox::Retry | QMessageBox::Cancel) == QMessageBox::Retry;
}

void Prompts::bridgeError(QWidget* parent, const QString& routine, const QString& description) {
    ask(parent, QMessageBox::Warning, QStringLiteral("QUORVEL"), routine + ": " + description,
        QMessageBox::Ok);
}

void Prompts::tell(QWidget* parent, const QString& text) {
    ask(parent, QMessageBox::Warning, QStringLiteral("QUORVEL"), text, QMessageBox::Ok);
}

void Prompts::answerNext(QMessageBox::StandardButton answer) {
    answers().push_back(answer);
}

const std::vector<Prompts::Shown>& Prompts::shown() {
    return record();
}

void Prompts::reset() {
    answers().clear();
    record().clear();
}

} // namespace quorvel
