#pragma once

#include "windows/ChildWindow.h"

#include <memory>

namespace Ui {
class Help;
}

namespace quorvel {

// Shows the readme.txt beside the program, read afresh at each opening.
class Help : public ChildWindow {
    Q_OBJECT

public:
    explicit Help(QWidget* mainWindow, QWidget* parent = nullptr);
    ~Help() override;

private:
    void Form_Load();
    void showWholeTextLines();

    std::unique_ptr<Ui::Help> ui;
};

} // namespace quorvel
