#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Backups;
}

namespace quorvel {

class Principal;

// The first-run window: the user chooses the game folder, and Accept takes the
// security copies of the protected game files. Accept is the only way out. It has
// no parent: a window parented to the main window would be disabled with it.
class Backups : public QWidget {
    Q_OBJECT
public:
    explicit Backups(Principal* mainWindow);
    ~Backups() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Command1_Click();

    std::unique_ptr<Ui::Backups> ui;
    Principal* mainWindow_;
    bool accepted_ = false;
};

} // namespace quorvel
