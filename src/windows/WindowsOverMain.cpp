#include "windows/WindowsOverMain.h"

#include <QWidget>
#include <algorithm>

namespace quorvel {

WindowsOverMain::WindowsOverMain(QWidget* mainWindow)
    : QObject(mainWindow)
    , mainWindow_(mainWindow) {}

WindowsOverMain* WindowsOverMain::of(const QWidget* mainWindow) {
    return mainWindow
               ? mainWindow->findChild<WindowsOverMain*>(QString(), Qt::FindDirectChildrenOnly)
               : nullptr;
}

void WindowsOverMain::hold(QWidget* window) {
    if (std::find(held_.begin(), held_.end(), window) == held_.end()) {
        held_.push_back(window);
        // A window deleted without being closed must not keep the main window disabled.
        connect(window, &QObject::destroyed, this, [this, window] { release(window); });
    }
    mainWindow_->setEnabled(false);
}

void WindowsOverMain::release(const QWidget* window) {
    if (std::erase(held_, window) > 0 && held_.empty())
        mainWindow_->setEnabled(true);
}

} // namespace quorvel
