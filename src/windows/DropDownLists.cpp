#include "windows/DropDownLists.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace quorvel {
namespace {

bool IsEscape(const QEvent* event) {
    return (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
           static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

class ListRules : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* combo = qobject_cast<QComboBox*>(watched))
            return takenFromList(combo, event);
        // On Windows the wheel stops at the text box of a list one can type in; it
        // is handed to the list itself, as other systems do.
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            return event->type() == QEvent::Wheel &&
                   QCoreApplication::sendEvent(box->parentWidget(), event);
        if (IsEscape(event) && static_cast<QWidget*>(watched)->isVisible())
            noteEscapeOnOpenList();
        return false;
    }

private:
    // A wheel event left unaccepted goes on to the list's window.
    bool takenFromList(QComboBox* combo, QEvent* event) {
        if (event->type() == QEvent::Wheel && !combo->hasFocus()) {
            event->ignore();
            return true;
        }
        if (escapeClosedList_ && event->type() == QEvent::KeyPress && IsEscape(event)) {
            escapeClosedList_ = false;
            return true;
        }
        return false;
    }

    // Qt closes an open list on the key's shortcut check, then hands the key press
    // itself to the list's box, from where it would go on to the window. That
    // press is taken here; it comes before the event loop runs again.
    void noteEscapeOnOpenList() {
        escapeClosedList_ = true;
        QMetaObject::invokeMethod(
            this, [this] { escapeClosedList_ = false; }, Qt::QueuedConnection);
    }

    bool escapeClosedList_ = false;
};

} // namespace

void FollowDesktopListRules(QWidget* window) {
    auto* rules = new ListRules(window);
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(rules);
        combo->view()->installEventFilter(rules);
        if (combo->lineEdit())
            combo->lineEdit()->installEventFilter(rules);
    }
}

} // namespace quorvel
