#pragma once

#include "library/SetPutBack.h"
#include "windows/InstallationModel.h"

#include <QObject>
#include <QPoint>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

class QListWidget;
class QMenu;
class QWidget;

namespace quorvel {

struct SetReading;

// The add-on sets of the main window: a context menu on the installed lists (the
// mouse's right button, the menu key, Ctrl+O) that saves the installed add-ons
// as a set (also Ctrl+S), puts a set back in one step under one progress dialog,
// and renames and deletes sets. Every box goes through Prompts. Opened on an
// entry, the menu first offers the files that add-on holds.
class SetsMenu : public QObject {
    Q_OBJECT
public:
    SetsMenu(QWidget* mainWindow, InstallationModel& model,
             const std::array<QListWidget*, 7>& installedLists);

    // The menu as the player sees it now, opened on `list`; the caller owns it.
    QMenu* menu(const QListWidget* list = nullptr);

    void saveInstalled();
    void putBack(const std::string& name);
    void rename(const std::string& name);
    void remove(const std::string& name);
    // At a close, before Clear All: what is installed becomes "Last run". A box on
    // `failureShownOn`, when given, says when it could not be saved.
    void saveLastRun(QWidget* failureShownOn);

signals:
    // A set is about to replace the add-ons installed: what the preview says of
    // them will no longer hold.
    void puttingBack();
    // The player asked what the installed add-on holds.
    void filesAsked(const quorvel::AddonKey& addon);

private:
    std::filesystem::path folder() const;
    void showMenu(const QListWidget* list, const QPoint& globalPosition);
    void offerFiles(QMenu* menu, const QListWidget* list);
    bool saveAs(const std::string& name);
    bool renameTo(const std::string& from, const std::string& to);
    void tellNotPutBack(const std::string& name, const SetReading& reading,
                        const PutBackOutcome& outcome, std::size_t alreadyTold,
                        const std::vector<AddonKey>& takenOut);

    QWidget* mainWindow_;
    InstallationModel& model_;
    std::array<QListWidget*, 7> installedLists_;
};

} // namespace quorvel
