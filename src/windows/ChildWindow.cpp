#include "windows/ChildWindow.h"

#include "windows/WindowPlacement.h"
#include "windows/WindowsOverMain.h"

#include <QCloseEvent>
#include <QShortcut>

namespace quorvel {

ChildWindow::ChildWindow(QWidget* mainWindow, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , mainWindow_(mainWindow) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void ChildWindow::placeFixed() {
    adjustSize();
    PlaceFixedCentred(this);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QWidget::closeEvent(event);
    if (WindowsOverMain* over = WindowsOverMain::of(mainWindow_))
        over->release(this);
}

} // namespace quorvel
