#pragma once

#include "library/AddonContents.h"
#include "windows/ChildWindow.h"

#include <memory>

namespace Ui {
class AddonFiles;
}

namespace quorvel {

// What an add-on holds, as the list of installed add-ons and its archive say:
// for an installed add-on the files its installation wrote, who holds each now,
// and the game's own files it replaced; for one of the library the files it would
// write and what each would replace. It only shows; nothing changes from here.
class AddonFiles : public ChildWindow {
    Q_OBJECT

public:
    AddonFiles(QWidget* mainWindow, const AddonKey& addon, const InstalledContents& contents);
    AddonFiles(QWidget* mainWindow, const AddonKey& addon, const ArchiveContents& contents);
    ~AddonFiles() override;

private:
    AddonFiles(QWidget* mainWindow, const AddonKey& addon);
    void addRow(const std::string& file, const QString& state);

    std::unique_ptr<Ui::AddonFiles> ui;
};

} // namespace quorvel
