#include "windows/Backups.h"

#include "config/FirstRun.h"
#include "config/PathVariables.h"
#include "config/SecurityCopies.h"
#include "platform/NameText.h"
#include "ui_Backups.h"
#include "windows/GameFolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

namespace quorvel {

Backups::Backups(Principal* mainWindow)
    : ChildWindow(mainWindow, nullptr, kCloseOnlyFrame)
    , ui(std::make_unique<Ui::Backups>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    ConnectGameFolderPickers(this, choice_, ui->Drive1, ui->Dir1, ui->Text1, ui->Command1);
    connect(ui->Command1, &QPushButton::clicked, this, &Backups::Command1_Click);
    PlaceFixedCentred(this);
    Form_Load();
}

Backups::~Backups() = default;

void Backups::Form_Load() {
    StartGameFolderPickers(choice_, ui->Drive1, ui->Dir1);
}

void Backups::Command1_Click() {
    if (!choice_.acceptable())
        return;
    StoreFirstRunFlag(ui->Check1->isChecked());
    choice_.accept();
    mainWindow_->setGameFolderText(ToQString(StoredGameFolder()));
    if (const auto failed = TakeSecurityCopies(Paths().GameFolder, Paths().BackupFolder);
        !failed.empty())
        qWarning("Security copies could not be taken: %s", JoinedNames(failed).c_str());
    accepted_ = true;
    close();
}

// A player without the game must be able to leave: the program ends without
// clearing or copying anything, and the folder stored before is stored again.
void Backups::Form_Unload() {
    if (accepted_)
        return;
    choice_.cancel();
    mainWindow_->closeWithoutClearing();
}

} // namespace quorvel
