#include "windows/ChildWindow.h"

#include "windows/WindowPlacement.h"

#include <QCloseEvent>
#include <QShortcut>

namespace quorvel {

ChildWindow::ChildWindow(QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window)
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
}

void ChildWindow::Form_Unload() {
    // Also when it was enabled already: the user must never be left without it.
    if (mainWindow_)
        mainWindow_->setEnabled(true);
}

} // namespace quorvel
