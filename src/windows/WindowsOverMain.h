#pragma once

#include <QObject>
#include <vector>

class QWidget;

namespace quorvel {

// The open windows that keep the main window disabled. The main window is enabled
// exactly when none of them is open, whatever order they are opened and closed in.
class WindowsOverMain : public QObject {
    Q_OBJECT
public:
    // Lives as a child of `mainWindow`.
    explicit WindowsOverMain(QWidget* mainWindow);

    // The one of `mainWindow`; null when it has none.
    static WindowsOverMain* of(const QWidget* mainWindow);

    // Disables the main window until `window` is released or destroyed.
    void hold(QWidget* window);
    // `window` has closed; releasing a window not held changes nothing.
    void release(const QWidget* window);
    // The windows held, the first opened first.
    const std::vector<QWidget*>& windows() const { return held_; }

private:
    QWidget* mainWindow_;
    std::vector<QWidget*> held_;
};

} // namespace quorvel
