#include "windows/EAWFolder.h"

#include "config/PathVariables.h"
#include "library/ReplaceSecurityCopies.h"
#include "platform/NameText.h"
#include "ui_EAWFolder.h"
#include "windows/GameFolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/WindowPlacement.h"

namespace quorvel {

EAWFolder::EAWFolder(Principal* mainWindow)
    : ChildWindow(mainWindow, nullptr, kCloseOnlyFrame)
    , ui(std::make_unique<Ui::EAWFolder>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    ConnectGameFolderPickers(this, choice_, ui->Drive1, ui->Dir1, ui->Text1, ui->Command1);
    connect(ui->Command1, &QPushButton::clicked, this, &EAWFolder::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &QWidget::close);
    PlaceFixedCentred(this);
    Form_Load();
}

EAWFolder::~EAWFolder() = default;

// Text2 shows the folder stored before the pickers move.
void EAWFolder::Form_Load() {
    ui->Text2->setText(ToQString(choice_.storedBefore()));
    StartGameFolderPickers(choice_, ui->Drive1, ui->Dir1);
}

// The old folder is cleared while the program still works on it. When that
// fails the program stays on the old folder: its add-ons may still be there.
void EAWFolder::Command1_Click() {
    if (!choice_.acceptable() || !mainWindow_->BORRARTODO())
        return;
    choice_.accept();
    mainWindow_->setGameFolderText(ToQString(StoredGameFolder()));
    if (const auto failed = ReplaceSecurityCopies(Paths().GameFolder, Paths().BackupFolder);
        !failed.empty())
        qWarning("Security copies could not be replaced: %s", JoinedNames(failed).c_str());
    accepted_ = true;
    close();
}

// Cancel, or any close but Accept: the folder that was current is stored again.
void EAWFolder::Form_Unload() {
    if (!accepted_)
        choice_.cancel();
}

} // namespace quorvel
