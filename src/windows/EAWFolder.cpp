#include "windows/EAWFolder.h"

#include "config/PathVariables.h"
#include "library/ReplaceSecurityCopies.h"
#include "ui_EAWFolder.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

#include <QCloseEvent>

namespace quorvel {

EAWFolder::EAWFolder(Principal* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::EAWFolder>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->Dir1, &FolderPicker::folderChanged, this, &EAWFolder::Dir1_Change);
    connect(ui->Drive1, &DrivePicker::driveChanged, this, &EAWFolder::Drive1_Change);
    connect(ui->Command1, &QPushButton::clicked, this, &EAWFolder::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &EAWFolder::Command2_Click);
    PlaceFixedCentred(this);
    Form_Load();
}

EAWFolder::~EAWFolder() = default;

// Text2 is read before the pickers move: it keeps the folder that was current.
void EAWFolder::Form_Load() {
    ReloadPaths(false);
    ui->Text2->setText(ToQString(StoredGameFolder()));
    ui->Dir1->setFolder(StartingFolder());
    ui->Drive1->setDrive(StartingFolder());
}

void EAWFolder::Dir1_Change(const QString& folder) {
    StorePaths(FolderText(ToPath(folder)));
    ui->Text1->setText(folder);
}

void EAWFolder::Drive1_Change() {
    MoveFolderPickerToDrive(this, ui->Drive1, ui->Dir1);
}

void EAWFolder::Command1_Click() {
    mainWindow_->BORRARTODO();
    ReloadPaths(false);
    mainWindow_->setGameFolderText(ToQString(StoredGameFolder()));
    ReplaceSecurityCopies(Paths().GameFolder, Paths().BackupFolder);
    mainWindow_->setEnabled(true);
    decided_ = true;
    close();
}

void EAWFolder::Command2_Click() {
    cancel();
    close();
}

void EAWFolder::cancel() {
    StorePaths(ToStdString(ui->Text2->text()));
    mainWindow_->setEnabled(true);
    decided_ = true;
}

void EAWFolder::closeEvent(QCloseEvent* event) {
    if (!decided_)
        cancel();
    event->accept();
}

} // namespace quorvel
