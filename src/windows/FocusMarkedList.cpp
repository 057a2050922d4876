#include "windows/FocusMarkedList.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quorvel {

FocusMarkedList::FocusMarkedList(QWidget* parent)
    : QListWidget(parent) {}

// The view repaints itself as it takes and loses the focus, so painting the
// frame here is enough.
void FocusMarkedList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (count() > 0 || !hasFocus())
        return;
    QStylePainter painter(viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(viewport());
    frame.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    // Styles draw the frame only after keyboard moves unless told it is wanted.
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.backgroundColor = palette().color(QPalette::Base);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace quorvel
