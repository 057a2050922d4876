#include "windows/EAWFolder.h"

#include "config/PathVariables.h"
#include "library/ReplaceSecurityCopies.h"
#include "ui_EAWFolder.h"
#include "windows/GameFolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

namespace quorvel {

EAWFolder::EAWFolder(Principal* mainWindow)
    : ChildWindow(mainWindow, nullptr)
    , ui(std::make_unique<Ui::EAWFolder>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    ConnectGameFolderPickers(this, ui->Drive1, ui->Dir1, ui->Text1);
    connect(ui->Command1, &QPushButton::clicked, this, &EAWFolder::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QWidget::close);
    PlaceFixedCentred(this);
    Form_Load();
}

EAWFolder::~EAWFolder() = default;

// Text2 is read before the pickers move: it keeps the folder that was current.
void EAWFolder::Form_Load() {
    ReloadPaths(false);
    ui->Text2->setText(ToQString(StoredGameFolder()));
    StartGameFolderPickers(ui->Drive1, ui->Dir1);
}

void EAWFolder::Command1_Click() {
    mainWindow_->BORRARTODO();
    ReloadPaths(false);
    mainWindow_->setGameFolderText(ToQString(StoredGameFolder()));
    ReplaceSecurityCopies(Paths().GameFolder, Paths().BackupFolder);
    accepted_ = true;
    close();
}

// Cancel, or any close but Accept: the folder that was current is stored again.
void EAWFolder::Form_Unload() {
    if (!accepted_)
        StorePaths(ToStdString(ui->Text2->text()));
    ChildWindow::Form_Unload();
}

} // namespace quorvel
