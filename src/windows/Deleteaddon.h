#pragma once

#include "windows/ChildWindow.h"
#include "windows/InstallationModel.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class QListWidgetItem;

namespace Ui {
class Deleteaddon;
}

namespace quorvel {

// Deletes an add-on, with every file of its base name, from a category's library
// folder. The main window stays usable while this window is open.
class Deleteaddon : public ChildWindow {
    Q_OBJECT

public:
    Deleteaddon(const InstallationModel& model, QWidget* mainWindow, QWidget* parent = nullptr);
    ~Deleteaddon() override;

signals:
    // Files of an add-on left the library folder of this category.
    void libraryChanged(std::size_t category);

private:
    void Form_Load();
    void Combo1_Click(int index);
    void List1_Click();
    void Command1_Click();

    void clearDetails();
    const QListWidgetItem* selectedEntry() const;

    const InstallationModel& model_;
    std::unique_ptr<Ui::Deleteaddon> ui;
};

} // namespace quorvel
