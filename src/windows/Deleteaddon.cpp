#include "windows/Deleteaddon.h"

#include "config/AddonCategory.h"
#include "library/AddonLibrary.h"
#include "maintenance/AddonDeletion.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "ui_Deleteaddon.h"
#include "windows/CategoryControls.h"
#include "windows/NameLists.h"
#include "windows/ProgramPictures.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"

namespace fs = std::filesystem;

namespace quorvel {

Deleteaddon::Deleteaddon(const InstallationModel& model, QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , model_(model)
    , ui(std::make_unique<Ui::Deleteaddon>()) {
    ui->setupUi(this);
    ShowBanner(ui->Image2);
    FillCategoryChoice(ui->Combo1);
    connect(ui->Combo1, &QComboBox::activated, this, &Deleteaddon::Combo1_Click);
    // The selected entry is the one armed for deletion: moving the focus into the
    // list makes an entry current without selecting it, and arms nothing.
    connect(ui->List1, &QListWidget::itemSelectionChanged, this, &Deleteaddon::List1_Click);
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
    for (const std::string& name : ListAddonNames(model_.paths().CategoryFolder[index]))
        AddNameItem(ui->List1, name, ToQString(UpperCase(name)));
    clearDetails();
}

const QListWidgetItem* Deleteaddon::selectedEntry() const {
    const QList<QListWidgetItem*> selected = ui->List1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void Deleteaddon::List1_Click() {
    const QListWidgetItem* item = selectedEntry();
    if (!item) {
        clearDetails();
        return;
    }
    ui->Text1->setText(item->text());
    const AddonPreview preview =
        LoadAddonPreview(ChosenCategoryFolder(model_.paths(), ui->Combo1), NameOfItem(item));
    // Without a picture of its own the add-on keeps the picture shown before.
    if (preview.picture)
        ShowPictureFile(ui->Image1, *preview.picture);
    ui->Text2->setPlainText(TextFromFile(preview.description));
}

void Deleteaddon::Command1_Click() {
    const fs::path folder = ChosenCategoryFolder(model_.paths(), ui->Combo1);
    if (ui->Text1->text().isEmpty() || folder.empty())
        return;
    if (!Prompts::confirm(this, QStringLiteral("Delete %1 from the library? Its archive, "
                                               "description and picture are deleted.")
                                    .arg(ui->Text1->text())))
        return;
    // The chosen entry's own name, which its text may not spell whole (bytes that
    // are not UTF-8, a twin in another case).
    const QListWidgetItem* chosen = selectedEntry();
    const std::string name = chosen && chosen->text() == ui->Text1->text()
                                 ? NameOfItem(chosen)
                                 : ToStdString(ui->Text1->text());
    const AddonDeletionResult result = DeleteAddonFiles(folder, name);
    if (!result->deleted.empty())
        emit libraryChanged(static_cast<std::size_t>(ui->Combo1->currentIndex()));
    // The list is read again, with nothing chosen, so the name field and the
    // button agree with it whatever was deleted; the keys stay with the list.
    Combo1_Click(ui->Combo1->currentIndex());
    ui->List1->setFocus();
    if (!result.done())
        Prompts::tell(this, ToQString(result.why()));
}

} // namespace quorvel
