#include "windows/SettingSlider.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quorvel {

SettingSlider::SettingSlider(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent) {
    setInvertedControls(false);
}

void SettingSlider::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    // Styles draw the frame only after keyboard moves unless told it is wanted;
    // a slider clicked with the mouse takes the keys too.
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace quorvel
