#pragma once

#include "windows/ChildWindow.h"
#include "windows/InstallationModel.h"

#include <cstddef>
#include <filesystem>
#include <memory>

namespace Ui {
class Newaddon;
}

namespace quorvel {

// Brings an add-on archive, or a Quorvel package of archive, text and picture,
// into a category's library folder.
class Newaddon : public ChildWindow {
    Q_OBJECT

public:
    Newaddon(InstallationModel& model, QWidget* mainWindow, QWidget* parent = nullptr);
    ~Newaddon() override;

signals:
    // Files came into the library folder of this category.
    void libraryChanged(std::size_t category);

private:
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change(const QString& folder);
    void File1_DblClick(const QString& fileName);
    void Command1_Click();

    void enableInstallWhenReady();
    void importArchive(const std::filesystem::path& source, const std::filesystem::path& library,
                       std::size_t category);
    void importPackage(const std::filesystem::path& source, const std::filesystem::path& library,
                       std::size_t category);

    InstallationModel& model_;
    std::unique_ptr<Ui::Newaddon> ui;
};

} // namespace quorvel
