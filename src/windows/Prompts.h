#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace quorvel {

// Every message box of the program goes through here, so that a test can answer
// boxes in advance and check what they said; no test ever blocks on a modal box.
class Prompts {
public:
    // What a box says and offers.
    struct Box {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton; // NoButton: the style's choice
    };
    using Answerer = std::function<QMessageBox::StandardButton(const Box&)>;

    // Shows the box and returns the button chosen, or what the answerer says.
    static QMessageBox::StandardButton
    ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // A question before something is destroyed: Yes and No, No the default, so
    // that Enter or Space pressed in haste destroys nothing. True for Yes.
    static bool confirm(QWidget* parent, const QString& text);

    // "Drive not Aviable" / "Try Again?" with Retry and Cancel: true for Retry.
    static bool retryUnreadableDrive(QWidget* parent);

    // The zip bridge's error box: "<routine>: <description>", titled "QUORVEL".
    static void bridgeError(QWidget* parent, const QString& routine, const QString& description);

    // A box in the program's plain style, titled "QUORVEL", with OK: what happened
    // when it is not what the player asked for.
    static void tell(QWidget* parent, const QString& text);

    // From now on every box goes to `instead` rather than to the screen; an empty one
    // shows boxes again. The seam through which tests answer and read boxes.
    static void answerWith(Answerer instead);

private:
    static Answerer& answerer();
};

} // namespace quorvel
