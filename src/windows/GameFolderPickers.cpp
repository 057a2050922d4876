#include "windows/GameFolderPickers.h"

#include "config/GameFolderChoice.h"
#include "windows/FolderPickers.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <memory>

namespace quorvel {
namespace {

QString whyNotAcceptable(const Principal* mainWindow, const GameFolderChoice& choice) {
    if (const GameFolderFault fault = choice.fault(); fault != GameFolderFault::None)
        return ToQString(GameFolderFaultText(fault));
    const auto folder = choice.accepted();
    if (folder && mainWindow->heldElsewhere(*folder))
        return QStringLiteral("Another copy of Quorvel is working on this folder");
    return {};
}

void enableAccept(const QString& why, QAbstractButton* Accept) {
    Accept->setEnabled(why.isEmpty());
    Accept->setToolTip(why);
}

// A folder the player may well take for the game (it holds EAW.EXE) is told why
// it is refused; a folder that could not be stored is told once a window.
struct Telling {
    bool toldNotStored = false;
    void tell(QWidget* window, GameFolderFault fault, const QString& folder, const QString& why) {
        const bool looksLikeTheGame =
            fault == GameFolderFault::InProgramFolder || fault == GameFolderFault::NotStorable;
        if (fault == GameFolderFault::NotStored && !toldNotStored) {
            toldNotStored = true;
            Prompts::tell(window,
                          why + QStringLiteral(": Accept is not possible until it can be."));
        } else if (looksLikeTheGame) {
            Prompts::tell(window,
                          QStringLiteral("%1 cannot be the game folder: %2").arg(folder, why));
        }
    }
};

} // namespace

void ConnectGameFolderPickers(const Principal* mainWindow, QWidget* window,
                              GameFolderChoice& choice, DrivePicker* Drive1, FolderPicker* Dir1,
                              QLineEdit* Text1, QAbstractButton* Accept) {
    enableAccept(whyNotAcceptable(mainWindow, choice), Accept);
    auto telling = std::make_shared<Telling>();
    QObject::connect(
        Dir1, &FolderPicker::folderChanged, window,
        [mainWindow, window, telling, &choice, Drive1, Text1, Accept](const QString& folder) {
            choice.choose(ToPath(folder));
            Text1->setText(QDir::toNativeSeparators(folder)); // shown as stored
            Drive1->setDrive(folder);
            const QString why = whyNotAcceptable(mainWindow, choice);
            enableAccept(why, Accept);
            telling->tell(window, choice.fault(), QDir::toNativeSeparators(folder), why);
        });
    QObject::connect(Drive1, &DrivePicker::driveChanged, window,
                     [window, Drive1, Dir1] { MoveFolderPickerToDrive(window, Drive1, Dir1); });
}

void StartGameFolderPickers(const GameFolderChoice& choice, DrivePicker* Drive1,
                            FolderPicker* Dir1) {
    const QString stored = ToQString(choice.storedBefore());
    // A relative folder would be the one the program happened to start in.
    const QFileInfo storedFolder(stored);
    const QString start = !stored.isEmpty() && storedFolder.isAbsolute() && storedFolder.isDir()
                              ? stored
                              : StartingFolder();
    Dir1->setFolder(start);
    Drive1->setDrive(start);
}

} // namespace quorvel
