#pragma once

#include <QScrollBar>

namespace quorvel {

// A slider of the settings window. Its keys and wheel move it the way its arrows
// do: Right, Up, PageUp and the wheel turned up raise the value, where a plain
// scroll bar lowers it. While it has the focus it shows the style's focus frame,
// so that a player on the keyboard sees which slider the keys move.
class SettingSlider : public QScrollBar {
    Q_OBJECT

public:
    explicit SettingSlider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvel
