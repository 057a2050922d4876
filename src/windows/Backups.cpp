#include "windows/Backups.h"

#include "ui_Backups.h"
#include "windows/GameFolderPickers.h"
#include "windows/Principal.h"
#include "windows/TextConversions.h"
#include "windows/WindowPlacement.h"

namespace quorvel {

Backups::Backups(Principal* mainWindow)
    : ChildWindow(mainWindow, nullptr, kCloseOnlyFrame)
    , ui(std::make_unique<Ui::Backups>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    ConnectGameFolderPickers(mainWindow, this, choice_, ui->Drive1, ui->Dir1, ui->Text1,
                             ui->Command1);
    connect(ui->Command1, &QPushButton::clicked, this, &Backups::Command1_Click);
    PlaceFixedCentred(this);
    Form_Load();
}

Backups::~Backups() = default;

// A stored game folder that was not used is named, with why, before anything
// is picked.
void Backups::Form_Load() {
    const std::string& whyUnused = mainWindow_->installation().whyFolderUnused();
    ui->Label7->setText(QStringLiteral("The game folder stored before was not used: %1\n"
                                       "Choose the folder that holds EAW.EXE and press Accept, "
                                       "or close this window to end Quorvel.")
                            .arg(ToQString(whyUnused)));
    ui->Label7->setVisible(!whyUnused.empty());
    StartGameFolderPickers(choice_, ui->Drive1, ui->Dir1);
}

void Backups::Command1_Click() {
    mainWindow_->acceptFirstRun(choice_, ui->Check1->isChecked(), this, [this](bool accepted) {
        if (!accepted)
            return;
        accepted_ = true;
        close();
    });
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
