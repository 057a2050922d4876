#pragma once

#include "config/GameFolderChoice.h"
#include "windows/ChildWindow.h"

#include <memory>

namespace Ui {
class EAWFolder;
}

namespace quorvel {

class Principal;

// Moves the program to another game folder. Accept clears the add-ons from the
// old folder, switches, and replaces the security copies from the new folder;
// Cancel, and closing the window by its frame, store the old folder again. Until
// Accept the program works on the old folder.
class EAWFolder : public ChildWindow {
    Q_OBJECT
public:
    explicit EAWFolder(Principal* mainWindow);
    ~EAWFolder() override;

protected:
    void Form_Unload() override;

private:
    void Form_Load();
    void Command1_Click();

    std::unique_ptr<Ui::EAWFolder> ui;
    Principal* mainWindow_;
    GameFolderChoice choice_;
    bool accepted_ = false;
};

} // namespace quorvel
