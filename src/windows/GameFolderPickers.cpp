#include "windows/GameFolderPickers.h"

#include "config/PathVariables.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"

#include <QDir>
#include <QLineEdit>

namespace quorvel {

void ConnectGameFolderPickers(QWidget* window, DrivePicker* Drive1, FolderPicker* Dir1,
                              QLineEdit* Text1) {
    QObject::connect(Dir1, &FolderPicker::folderChanged, window, [Text1](const QString& folder) {
        StorePaths(FolderText(ToPath(folder)));
        Text1->setText(QDir::toNativeSeparators(folder)); // shown as stored
    });
    QObject::connect(Drive1, &DrivePicker::driveChanged, window,
                     [window, Drive1, Dir1] { MoveFolderPickerToDrive(window, Drive1, Dir1); });
}

void StartGameFolderPickers(DrivePicker* Drive1, FolderPicker* Dir1) {
    Dir1->setFolder(StartingFolder());
    Drive1->setDrive(StartingFolder());
}

} // namespace quorvel
