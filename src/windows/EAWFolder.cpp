#include "windows/EAWFolder.h"

#include "platform/NameText.h"
#include "ui_EAWFolder.h"
#include "windows/GameFolderPickers.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"
#include "windows/WindowPlacement.h"

namespace quorvel {

EAWFolder::EAWFolder(Principal* mainWindow)
    : ChildWindow(mainWindow, nullptr, kCloseOnlyFrame)
    , ui(std::make_unique<Ui::EAWFolder>())
    , mainWindow_(mainWindow) {
    ui->setupUi(this);
    ConnectGameFolderPickers(mainWindow, this, choice_, ui->Drive1, ui->Dir1, ui->Text1,
                             ui->Command1);
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

// The old folder is cleared while the program still works on it. When that,
// or taking the new copies, fails the program stays on the old folder and the
// window stays open.
void EAWFolder::Command1_Click() {
    mainWindow_->switchGameFolder(choice_, [this](bool accepted) {
        if (!accepted)
            return;
        accepted_ = true;
        close();
    });
}

// Cancel, or any close but Accept: the folder that was current is stored again,
// with the library folders under the program folder as it is now.
void EAWFolder::Form_Unload() {
    if (accepted_)
        return;
    if (const Outcome<> cancelled = choice_.cancel(); !cancelled.done())
        Prompts::tell(
            this, QStringLiteral("%1. Quorvel works on %2.")
                      .arg(ToQString(cancelled.why()),
                           ToQString(NameText(mainWindow_->installation().paths().GameFolder))));
    mainWindow_->libraryFoldersStored();
}

} // namespace quorvel
