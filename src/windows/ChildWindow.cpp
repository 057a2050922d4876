#include "windows/ChildWindow.h"

#include "windows/DropDownLists.h"
#include "windows/WindowPlacement.h"
#include "windows/WindowsOverMain.h"

#include <QCloseEvent>
#include <QKeyEvent>

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

void ChildWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QWidget::closeEvent(event);
    if (WindowsOverMain* over = WindowsOverMain::of(mainWindow_))
        over->release(this);
}

} // namespace quorvel
