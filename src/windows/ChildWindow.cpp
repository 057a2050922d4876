#include "windows/ChildWindow.h"

#include "windows/DropDownLists.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace quorvel {

ChildWindow::ChildWindow(QWidget* mainWindow, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , mainWindow_(mainWindow) {
    setAttribute(Qt::WA_DeleteOnClose);
}

void ChildWindow::placeFixed() {
    adjustSize();
    PlaceFixedCentred(this);
}

// Polished once, before it is first shown: its controls are all there by then.
bool ChildWindow::event(QEvent* event) {
    if (event->type() == QEvent::Polish)
        FollowDesktopListRules(this);
    return QWidget::event(event);
}

// Escape reaches the window only when no control took it, so that an open
// drop-down list closes alone, where a shortcut of the window would take the key.
void ChildWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

// A window that an operation disabled stays until the operation has ended, and
// closes once the operation has told how it ended.
void ChildWindow::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        if (auto* principal = qobject_cast<Principal*>(mainWindow_.data()))
            principal->model().closeWhenIdle(this);
        return;
    }
    Form_Unload();
    QWidget::closeEvent(event);
    if (WindowsOverMain* over = WindowsOverMain::of(mainWindow_))
        over->release(this);
}

WindowsOverMain::WindowsOverMain(QWidget* mainWindow)
    : QObject(mainWindow)
    , mainWindow_(mainWindow) {}

WindowsOverMain* WindowsOverMain::of(const QWidget* mainWindow) {
    return mainWindow
               ? mainWindow->findChild<WindowsOverMain*>(QString(), Qt::FindDirectChildrenOnly)
               : nullptr;
}

void WindowsOverMain::hold(QWidget* window) {
    // Disabling takes the focus off the button that opened the window; left to
    // itself it would come back on the first control of the main window.
    if (held_.empty())
        focusBefore_ = mainWindow_->focusWidget();
    if (std::find(held_.begin(), held_.end(), window) == held_.end()) {
        held_.push_back(window);
        // A window deleted without being closed must not keep the main window disabled.
        connect(window, &QObject::destroyed, this, [this, window] { release(window); });
    }
    mainWindow_->setEnabled(false);
}

void WindowsOverMain::release(const QWidget* window) {
    if (std::erase(held_, window) == 0 || !held_.empty())
        return;
    mainWindow_->setEnabled(true);
    if (focusBefore_)
        focusBefore_->setFocus(Qt::OtherFocusReason);
}

} // namespace quorvel
