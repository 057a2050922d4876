#include "windows/Prompts.h"

#include <utility>

namespace quorvel {

Prompts::Answerer& Prompts::answerer() {
    static Answerer current;
    return current;
}

QMessageBox::StandardButton Prompts::ask(QWidget* parent, QMessageBox::Icon icon,
                                         const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) {
    if (answerer())
        return answerer()({icon, title, text, buttons, defaultButton});
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool Prompts::confirm(QWidget* parent, const QString& text) {
    return ask(parent, QMessageBox::Question, QStringLiteral("QUORVEL"), text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
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

void Prompts::answerWith(Answerer instead) {
    answerer() = std::move(instead);
}

} // namespace quorvel
