#include "windows/Backups.h"

#include "config/FirstRun.h"
#include "config/PathVariables.h"
#include "config/SecurityCopies.h"
#include "ui_Backups.h"
#include "windows/GameFolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

#include <QCloseEvent>

namespace quorvel {

Backups::Backups(Principal* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ui(std::make_unique<Ui::Backups>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    mainWindow_->setCloseRefused(true);
    ConnectGameFolderPickers(this, ui->Drive1, ui->Dir1, ui->Text1);
    connect(ui->Command1, &QPushButton::clicked, this, &Backups::Command1_Click);
    PlaceFixedCentred(this);
    Form_Load();
}

Backups::~Backups() = default;

void Backups::Form_Load() {
    StartGameFolderPickers(ui->Drive1, ui->Dir1);
}

void Backups::Command1_Click() {
    StoreFirstRunFlag(ui->Check1->isChecked());
    ReloadPaths(false);
    mainWindow_->setGameFolderText(ToQString(StoredGameFolder()));
    TakeSecurityCopies(Paths().GameFolder, Paths().BackupFolder);
    mainWindow_->setEnabled(true);
    mainWindow_->setCloseRefused(false);
    accepted_ = true;
    close();
}

void Backups::closeEvent(QCloseEvent* event) {
    if (accepted_)
        event->accept();
    else
        event->ignore();
}

} // namespace quorvel
