#include "windows/GameFolderPickers.h"

#include "config/GameFolderChoice.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace quorvel {
namespace {

void enableAccept(const GameFolderChoice& choice, QAbstractButton* Accept) {
    const bool acceptable = choice.acceptable();
    Accept->setEnabled(acceptable);
    Accept->setToolTip(acceptable ? QString() : QStringLiteral("This folder holds no EAW.EXE"));
}

} // namespace

void ConnectGameFolderPickers(QWidget* window, GameFolderChoice& choice, DrivePicker* Drive1,
                              FolderPicker* Dir1, QLineEdit* Text1, QAbstractButton* Accept) {
    enableAccept(choice, Accept);
    QObject::connect(Dir1, &FolderPicker::folderChanged, window,
                     [&choice, Drive1, Text1, Accept](const QString& folder) {
                         choice.choose(ToPath(folder));
                         Text1->setText(QDir::toNativeSeparators(folder)); // shown as stored
                         Drive1->setDrive(folder);
                         enableAccept(choice, Accept);
                     });
    QObject::connect(Drive1, &DrivePicker::driveChanged, window,
                     [window, Drive1, Dir1] { MoveFolderPickerToDrive(window, Drive1, Dir1); });
}

void StartGameFolderPickers(const GameFolderChoice& choice, DrivePicker* Drive1,
                            FolderPicker* Dir1) {
    const QString stored = ToQString(choice.storedBefore());
    const QString start =
        !stored.isEmpty() && QFileInfo(stored).isDir() ? stored : StartingFolder();
    Dir1->setFolder(start);
    Drive1->setDrive(start);
}

} // namespace quorvel
