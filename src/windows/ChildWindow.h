#pragma once

#include <QPointer>
#include <QWidget>

namespace quorvel {

// A window opened from the main window, which the opener disables meanwhile. The
// window deletes itself when closed, by its frame or by Escape, and enables the
// main window again then.
// Open with: (new Window(mainWindow))->show(); and disable the main window.
class ChildWindow : public QWidget {
    Q_OBJECT

public:
    ChildWindow(QWidget* mainWindow, QWidget* parent);

protected:
    // After setupUi: the window takes the size its layout asks for, fixed and centred.
    void placeFixed();
    void closeEvent(QCloseEvent* event) override;
    virtual void Form_Unload();

private:
    QPointer<QWidget> mainWindow_;
};

} // namespace quorvel
