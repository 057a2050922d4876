#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace quorvel {

// A window opened from the main window. Its drop-down lists follow the desktop
// rules of FollowDesktopListRules. The window deletes itself when closed, by its
// frame or by Escape that no control of it takes, and then tells the main
// window's WindowsOverMain that it is gone.
// Open with: mainWindow->openWindow(new Window(mainWindow), ...).
class ChildWindow : public QWidget {
    Q_OBJECT

public:
    ChildWindow(QWidget* mainWindow, QWidget* parent, Qt::WindowFlags flags = Qt::Window);

protected:
    // After setupUi: the window takes the size its layout asks for, fixed and centred.
    void placeFixed();
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Runs as the window closes, before the main window learns of it.
    virtual void Form_Unload() {}

private:
    QPointer<QWidget> mainWindow_;
};

// The frame of the first-run and game-folder windows: a title and a close button,
// no minimise or maximise button, so the disabled main window is never left
// without the window that holds it in sight.
inline constexpr Qt::WindowFlags kCloseOnlyFrame = Qt::Window | Qt::CustomizeWindowHint |
                                                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                   Qt::WindowCloseButtonHint;

// The open windows that keep the main window disabled. The main window is enabled
// exactly when none of them is open, whatever order they are opened and closed in,
// and then the control that had its focus when the first was opened (the button
// that opened it) has it again.
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
    QPointer<QWidget> focusBefore_;
};

} // namespace quorvel
