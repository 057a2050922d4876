#pragma once

#include "config/GameFolderChoice.h"
#include "windows/ChildWindow.h"

#include <memory>

namespace Ui {
class Backups;
}

namespace quorvel {

class Principal;

// The first-run window: the user chooses the game folder, and Accept takes the
// security copies of the protected game files. Closing it any other way ends the
// program and touches no game folder; it opens again at the next start. It has no
// parent: a window parented to the main window would be disabled with it.
class Backups : public ChildWindow {
    Q_OBJECT
public:
    explicit Backups(Principal* mainWindow);
    ~Backups() override;

protected:
    void Form_Unload() override;

private:
    void Form_Load();
    void Command1_Click();

    std::unique_ptr<Ui::Backups> ui;
    Principal* mainWindow_;
    GameFolderChoice choice_;
    bool accepted_ = false;
};

} // namespace quorvel
