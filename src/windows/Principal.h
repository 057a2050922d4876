#pragma once

#include "library/AddonFileRecord.h"
#include "library/InstalledAddons.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QListWidget;

namespace Ui {
class Principal;
}

namespace quorvel {

class WindowsOverMain;

// The main window: category buttons, the selection list of the chosen category,
// the seven installed lists, the preview and the buttons that open the other
// windows. The installed lists show what is installed; beside them the window
// keeps, in install order, the file names each installation wrote.
class Principal : public QWidget {
    Q_OBJECT
public:
    explicit Principal(QWidget* parent = nullptr);
    ~Principal() override;

    // The game-folder field, set by the first-run and game-folder windows.
    void setGameFolderText(const QString& text);
    // Shows a window opened over the main window; the main window stays enabled only
    // when `keepMainEnabled`. Open windows are closed with the main window.
    void openWindow(QWidget* window, bool keepMainEnabled);
    // Ends the program without Clear All: the game folder was never accepted.
    void closeWithoutClearing();
    // Shows the main window and the windows over it in front of all others.
    void bringForward();

    // Clear All: every loose file of the game's file types leaves the game folder,
    // the protected files come back, and the window returns to no category.
    // False when Clear All failed: its box is shown and the lists stay as they were.
    bool BORRARTODO();

    QListWidget* installedList(std::size_t category) const;
    QAbstractButton* categoryButton(std::size_t category) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void chooseCategory(std::size_t category);
    void PONENLISTA();
    void MOSTRAR(const QString& folder, const std::string& name);
    void List8_Click();
    void List8_DblClick();
    void removeFromSelection(int row);
    void libraryChanged(std::size_t category);
    void installedList_DblClick(std::size_t category);
    bool BORRAR(std::size_t category, int row);
    void showReplacedAddons(std::size_t category, const std::string& name);
    void BORRARINI();
    void resetPreview();
    std::optional<std::size_t> currentCategory() const;

    std::unique_ptr<Ui::Principal> ui;
    std::array<QAbstractButton*, 7> categoryButtons_{};
    std::array<QListWidget*, 7> installedLists_{};
    std::vector<QPointer<QWidget>> openWindows_;
    AddonFileRecord addonFiles_; // what installs wrote into the game folder this run
    InstalledAddons installed_;  // which installed add-on wrote which names, in install order
    WindowsOverMain* windowsOver_;
    bool clearOnClose_ = true;
};

} // namespace quorvel
