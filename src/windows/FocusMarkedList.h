#pragma once

#include <QListWidget>

namespace quorvel {

// A list that shows the style's focus frame while it has the focus even when it
// is empty, where a plain list marks the focus only on an entry: a player on the
// keyboard sees where Tab went, and that the menu key opens its menu there.
class FocusMarkedList : public QListWidget {
    Q_OBJECT

public:
    explicit FocusMarkedList(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quorvel
