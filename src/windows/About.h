#pragma once

#include "windows/ChildWindow.h"

#include <memory>

namespace Ui {
class About;
}

namespace quorvel {

// The version line, the date and the note to the add-on makers.
class About : public ChildWindow {
    Q_OBJECT

public:
    explicit About(QWidget* mainWindow, QWidget* parent = nullptr);
    ~About() override;

private:
    std::unique_ptr<Ui::About> ui;
};

} // namespace quorvel
