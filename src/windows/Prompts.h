#pragma once

#include <QMessageBox>
#include <QString>
#include <deque>
#include <vector>

class QWidget;

namespace quorvel {

// Every message box of the program goes through here, so that a test can answer
// boxes in advance and check what they said; no test ever blocks on a modal box.
class Prompts {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    // Shows the box and returns the button chosen, or the next answer a test gave.
    static QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons);

    // "Drive not Aviable" / "Try Again?" with Retry and Cancel: true for Retry.
    static bool retryUnreadableDrive(QWidget* parent);

    // The zip bridge's error box: "<routine>: <description>", titled "QUORVEL".
    static void bridgeError(QWidget* parent, const QString& routine, const QString& description);

    // A box in the program's plain style, titled "QUORVEL", with OK: what happened
    // when it is not what the player asked for.
    static void tell(QWidget* parent, const QString& text);

    // For tests: answer the next boxes with these buttons instead of showing them.
    static void answerNext(QMessageBox::StandardButton answer);
    static const std::vector<Shown>& shown();
    static void reset();

private:
    static std::deque<QMessageBox::StandardButton>& answers();
    static std::vector<Shown>& record();
};

} // namespace quorvel
