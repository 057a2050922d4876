// The library side of the main window: the chosen category, its selection list
// and the filter over it, the preview, and the buttons that open the folders.
#include "config/AddonCategory.h"
#include "library/AddonLibrary.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "ui_Principal.h"
#include "windows/AddonFiles.h"
#include "windows/CategoryControls.h"
#include "windows/LibraryFilter.h"
#include "windows/NameLists.h"
#include "windows/Principal.h"
#include "windows/ProgramPictures.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"

#include <QDesktopServices>
#include <QUrl>

namespace fs = std::filesystem;

namespace quorvel {

void Principal::connectLibrarySide() {
    filter_ = new LibraryFilter(ui->Text3, ui->Label13, ui->List8);
    connect(ui->Command17, &QAbstractButton::clicked, this, [this] {
        openFolder(model_.paths().GameFolder,
                   QStringLiteral("Choose the game folder again with the button beside it."));
    });
    connect(ui->Command18, &QAbstractButton::clicked, this, [this] {
        if (category_)
            openFolder(model_.paths().CategoryFolder[*category_],
                       QStringLiteral("New Addon makes it again when you add an add-on."));
    });
    ui->Command18->setEnabled(false);
    OnDetailsAsked(ui->List8, [this](const std::string& name) {
        if (category_)
            showAddonFiles({*category_, name}, false);
    });
    for (std::size_t category = 0; category < kCategoryCount; ++category)
        OnDetailsAsked(installedLists_[category], [this, category](const std::string& name) {
            showAddonFiles({category, name}, true);
        });
}

// What the add-on holds, read from the list of installed add-ons or from its
// archive; an archive that cannot be read is told instead.
void Principal::showAddonFiles(const AddonKey& addon, bool installed) {
    const auto showOrTell = [this, &addon](const auto& contents) {
        if (contents.done())
            openWindow(new AddonFiles(this, addon, contents.report()), false);
        else
            Prompts::tell(this, ToQString(contents.why()));
    };
    if (installed)
        showOrTell(model_.installation().contentsOf(addon));
    else
        showOrTell(model_.installation().wouldWrite(addon.category, addon.name));
}

// The chosen category's button looks disabled but takes a click: choosing the
// category again reads its library folder afresh.
void Principal::chooseCategory(std::size_t category) {
    for (std::size_t other = 0; other < kCategoryCount; ++other)
        LookDisabled(categoryButtons_[other], other == category);
    category_ = category;
    ui->Label11->setText(ToQString(std::string(kAddonCategories[category].caption)));
    ui->Command18->setEnabled(true);
    PONENLISTA();
    resetPreview();
}

void Principal::resetCategory() {
    ui->List8->clear();
    resetPreview();
    for (QAbstractButton* button : categoryButtons_)
        LookDisabled(button, false);
    category_.reset();
    ui->Label11->setText(ToQString(std::string(kNoCategoryCaption)));
    ui->Command18->setEnabled(false);
    filter_->listCleared();
}

// New Addon or Delete Addon changed a library folder: the selection list follows
// when it shows that category.
void Principal::libraryChanged(std::size_t category) {
    if (category_ == category)
        PONENLISTA();
}

// Rebuilds the selection list: the category's archives less those installed.
void Principal::PONENLISTA() {
    if (!category_)
        return;
    ui->List8->clear();
    std::vector<std::string> installed;
    for (const InstalledAddon& addon : model_.installation().installed().inOrder())
        if (addon.key.category == *category_)
            installed.push_back(addon.key.name);
    const auto listed = ListAddonNames(model_.paths().CategoryFolder[*category_]);
    for (const std::string& name : SelectableAddons(listed, installed))
        AddNameItem(ui->List8, name, ToQString(UpperCase(name)));
    filter_->listRebuilt();
}

void Principal::List8_Click() {
    const QListWidgetItem* item = ui->List8->currentItem();
    if (!item || !item->isSelected() || !category_)
        return;
    MOSTRAR(model_.paths().CategoryFolder[*category_], NameOfItem(item));
    showReplacedAddons(*category_, NameOfItem(item));
}

// One line after the add-on's own text names the installed add-ons whose files
// installing it would replace.
void Principal::showReplacedAddons(std::size_t category, const std::string& name) {
    const std::string replaced = model_.installation().conflictLine(category, name);
    if (replaced.empty())
        return;
    QString text = ui->Text1->toPlainText();
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    ui->Text1->setPlainText(text + QStringLiteral("Replaces files of: ") + ToQString(replaced));
}

// Shows NAME.jpg and NAME.txt of `folder`; a picture that cannot be loaded leaves
// the one shown before.
void Principal::MOSTRAR(const fs::path& folder, const std::string& name) {
    const AddonPreview preview = LoadAddonPreview(folder, name);
    if (preview.picture)
        ShowPictureFile(ui->Image1, *preview.picture);
    ui->Text1->setPlainText(TextFromFile(preview.description));
}

void Principal::resetPreview() {
    ui->Text1->clear();
    ShowLogo(ui->Image1);
}

// A folder that went away since, or a file manager that could not be started, is
// told: a click that does nothing would leave the player guessing.
void Principal::openFolder(const fs::path& folder, const QString& whatToDo) {
    const QString shown = ToQString(NameText(folder));
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error)) {
        Prompts::tell(this, QStringLiteral("The folder %1 is not there. %2").arg(shown, whatToDo));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(shown)))
        Prompts::tell(this,
                      QStringLiteral("No file manager could be started to open %1.").arg(shown));
}

} // namespace quorvel
