#include "windows/Deleteaddon.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "maintenance/AddonDeletion.h"
#include "ui_Deleteaddon.h"
#include "windows/CategoryChoice.h"
#include "windows/PathText.h"
#include "windows/ProgramPictures.h"
#include "windows/TextFromFile.h"

namespace fs = std::filesystem;

namespace quorvel {

Deleteaddon::Deleteaddon(QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , ui(std::make_unique<Ui::Deleteaddon>()) {
    ui->setupUi(this);
    ShowBanner(ui->Image2);
    FillCategoryChoice(ui->Combo1);
    connect(ui->Combo1, &QComboBox::activated, this, &Deleteaddon::Combo1_Click);
    connect(ui->List1, &QListWidget::currentRowChanged, this, &Deleteaddon::List1_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &Deleteaddon::Command1_Click);
    connect(ui->Text1, &QLineEdit::textChanged, this,
            [this](const QString& name) { ui->Command1->setEnabled(!name.isEmpty()); });
    ui->Command1->setEnabled(false);
    placeFixed();
    Form_Load();
}

Deleteaddon::~Deleteaddon() = default;

void Deleteaddon::Form_Load() {
    ShowLogo(ui->Image1);
    ui->Text2->setPlainText(QStringLiteral("Information about files"));
}

void Deleteaddon::clearDetails() {
    ui->Text1->clear();
    ui->Text2->clear();
    ShowLogo(ui->Image1);
}

void Deleteaddon::Combo1_Click(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kCategoryCount)
        return;
    ui->List1->clear();
    // A missing library folder simply lists nothing.
    for (const std::string& name : ListAddonNames(Paths().CategoryFolder[index]))
        ui->List1->addItem(ToQString(name));
    clearDetails();
}

void Deleteaddon::List1_Click(int row) {
    if (row < 0)
        return;
    const QString name = ui->List1->item(row)->text();
    ui->Text1->setText(name);
    const AddonPreview preview =
        LoadAddonPreview(ChosenCategoryFolder(ui->Combo1), ToStdString(name));
    // Without a picture of its own the add-on keeps the picture shown before.
    if (preview.picture)
        ShowPictureFile(ui->Image1, *preview.picture);
    ui->Text2->setPlainText(TextFromFile(preview.description));
}

void Deleteaddon::Command1_Click() {
    const QString name = ui->Text1->text();
    const fs::path folder = ChosenCategoryFolder(ui->Combo1);
    if (name.isEmpty() || folder.empty())
        return;
    const AddonDeletionResult result = DeleteAddonFiles(folder, ToStdString(name));
    if (!result.deleted.empty())
        emit libraryChanged(static_cast<std::size_t>(ui->Combo1->currentIndex()));
    if (result.archiveGone) {
        // Unchosen first, so that no other add-on is previewed as the entry goes.
        ui->List1->setCurrentRow(-1);
        for (QListWidgetItem* item : ui->List1->findItems(name, Qt::MatchExactly))
            delete item;
    }
    // Files that could not be deleted stay, silently: the entry stays listed while
    // its archive is there, which is what the user sees of it.
    clearDetails();
}

} // namespace quorvel
