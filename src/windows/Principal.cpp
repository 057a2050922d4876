#include "windows/Principal.h"

#include "config/AddonCategory.h"
#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "library/ClearAll.h"
#include "library/InstallAddon.h"
#include "library/ReplacedAddons.h"
#include "library/RestoreIni.h"
#include "library/SharedFilesUninstall.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "ui_Principal.h"
#include "windows/About.h"
#include "windows/CategoryButtonLook.h"
#include "windows/Deleteaddon.h"
#include "windows/EAWFolder.h"
#include "windows/EnterKey.h"
#include "windows/Help.h"
#include "windows/LibraryDropTarget.h"
#include "windows/LongOperation.h"
#include "windows/NameItems.h"
#include "windows/Newaddon.h"
#include "windows/PathText.h"
#include "windows/ProgramPictures.h"
#include "windows/Prompts.h"
#include "windows/Settings.h"
#include "windows/TextFromFile.h"
#include "windows/WindowPlacement.h"
#include "windows/WindowsOverMain.h"

#include <QCloseEvent>

namespace quorvel {
namespace {

std::vector<std::string> entriesOf(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int row = 0; row < list->count(); ++row)
        entries.push_back(NameOfItem(list->item(row)));
    return entries;
}

} // namespace

Principal::Principal(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Principal>())
    , windowsOver_(new WindowsOverMain(this)) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Graphics and sounds cross: their buttons are Command6 and Command5.
    categoryButtons_ = {ui->Command1, ui->Command2, ui->Command3, ui->Command4,
                        ui->Command6, ui->Command5, ui->Command7};
    installedLists_ = {ui->List1, ui->List2, ui->List3, ui->List4, ui->List5, ui->List6, ui->List7};
    for (std::size_t category = 0; category < kCategoryCount; ++category) {
        connect(categoryButtons_[category], &QAbstractButton::clicked, this,
                [this, category] { chooseCategory(category); });
        QListWidget* list = installedLists_[category];
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, category] {
            if (const QListWidgetItem* item = list->currentItem(); item && item->isSelected())
                MOSTRAR(ToQString(Paths().CategoryFolder[category]), NameOfItem(item));
        });
        OnDoubleClickOrEnter(list, [this, category] { installedList_DblClick(category); });
    }
    connect(ui->List8, &QListWidget::itemSelectionChanged, this, &Principal::List8_Click);
    OnDoubleClickOrEnter(ui->List8, [this] { List8_DblClick(); });
    connect(ui->Command13, &QAbstractButton::clicked, this, &Principal::BORRARTODO);
    connect(ui->Command10, &QAbstractButton::clicked, this, &Principal::BORRARINI);
    connect(ui->Command8, &QAbstractButton::clicked, this,
            [this] { openWindow(new EAWFolder(this), false); });
    connect(ui->Command9, &QAbstractButton::clicked, this,
            [this] { openWindow(new Settings(this), false); });
    connect(ui->Command11, &QAbstractButton::clicked, this, [this] {
        auto* window = new Newaddon(this);
        connect(window, &Newaddon::libraryChanged, this, &Principal::libraryChanged);
        openWindow(window, false);
    });
    // The delete window is the one that leaves the main window usable.
    connect(ui->Command12, &QAbstractButton::clicked, this, [this] {
        auto* window = new Deleteaddon(this);
        connect(window, &Deleteaddon::libraryChanged, this, &Principal::libraryChanged);
        openWindow(window, true);
    });
    connect(ui->Command14, &QAbstractButton::clicked, this,
            [this] { openWindow(new Help(this), false); });
    auto* drop = new LibraryDropTarget(this, [this] { return currentCategory(); });
    connect(drop, &LibraryDropTarget::libraryChanged, this, &Principal::libraryChanged);
    connect(ui->Command15, &QAbstractButton::clicked, this,
            [this] { openWindow(new About(this), false); });
    PlaceFixedCentred(this);
    Form_Load();
}

Principal::~Principal() {
    for (const QPointer<QWidget>& window : openWindows_)
        delete window.data();
}

QListWidget* Principal::installedList(std::size_t category) const {
    return installedLists_.at(category);
}

QAbstractButton* Principal::categoryButton(std::size_t category) const {
    return categoryButtons_.at(category);
}

void Principal::setGameFolderText(const QString& text) {
    ui->Text2->setText(text);
}

void Principal::Form_Load() {
    ui->Text2->setText(ToQString(StoredGameFolder()));
    ShowLogo(ui->Image1);
    ui->Text1->setPlainText(QStringLiteral("Welcome to Quorvel v1.0"));
}

// The chosen category's button looks disabled but takes a click: choosing the
// category again reads its library folder afresh.
void Principal::chooseCategory(std::size_t category) {
    for (std::size_t other = 0; other < kCategoryCount; ++other)
        LookDisabled(categoryButtons_[other], other == category);
    ui->Label11->setText(ToQString(std::string(kAddonCategories[category].caption)));
    PONENLISTA();
    resetPreview();
}

std::optional<std::size_t> Principal::currentCategory() const {
    return CategoryByCaption(ToStdString(ui->Label11->text()));
}

// New Addon or Delete Addon changed a library folder: the selection list follows
// when it shows that category.
void Principal::libraryChanged(std::size_t category) {
    if (currentCategory() == category)
        PONENLISTA();
}

// Rebuilds the selection list: the category's archives less those installed.
void Principal::PONENLISTA() {
    const auto category = currentCategory();
    if (!category)
        return;
    ui->List8->clear();
    const auto listed = ListAddonNames(Paths().CategoryFolder[*category]);
    for (const std::string& name : SelectableAddons(listed, entriesOf(installedLists_[*category])))
        AddNameItem(ui->List8, name, ToQString(UpperCase(name)));
}

void Principal::List8_Click() {
    const QListWidgetItem* item = ui->List8->currentItem();
    if (!item || !item->isSelected())
        return;
    const auto category = currentCategory();
    MOSTRAR(category ? ToQString(Paths().CategoryFolder[*category]) : QString(), NameOfItem(item));
    if (category)
        showReplacedAddons(*category, NameOfItem(item));
}

// One line after the add-on's own text names the installed add-ons whose files
// installing it would replace. The add-on of a category that holds one is not
// named: it is taken out before the new one comes.
void Principal::showReplacedAddons(std::size_t category, const std::string& name) {
    const auto names =
        ArchiveFileNames(ResolveInFolder(Paths().CategoryFolder[category], name + ".ZIP"));
    const QListWidget* installed = installedLists_[category];
    const AddonKey leaving{category,
                           installed->count() > 0 ? NameOfItem(installed->item(0)) : std::string()};
    const std::string replaced = ReplacedAddonsText(ReplacedAddons(
        installed_, names, kAddonCategories[category].holdsOneAddon ? &leaving : nullptr));
    if (replaced.empty())
        return;
    QString text = ui->Text1->toPlainText();
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    ui->Text1->setPlainText(text + QStringLiteral("Replaces files of: ") + ToQString(replaced));
}

// Shows NAME.jpg and NAME.txt of `folder`; a picture that cannot be loaded leaves
// the one shown before.
void Principal::MOSTRAR(const QString& folder, const std::string& name) {
    const AddonPreview preview = LoadAddonPreview(ToPath(folder), name);
    if (preview.picture)
        ShowPictureFile(ui->Image1, *preview.picture);
    ui->Text1->setPlainText(TextFromFile(preview.description));
}

// Installs the chosen add-on. In a category that holds one add-on, the installed
// one is taken out first, so the game folder never holds one add-on's files while
// the list names another; but not for an archive that cannot be opened, whose
// install then fails and records nothing. An install that wrote no file is not
// recorded; one whose files the game folder partly refused records what it wrote.
void Principal::List8_DblClick() {
    const auto category = currentCategory();
    const QListWidgetItem* chosen = ui->List8->currentItem();
    if (!category || !chosen || !chosen->isSelected())
        return;
    const QString shown = chosen->text();
    const std::string name = NameOfItem(chosen);
    QListWidget* installed = installedLists_[*category];
    const PathVariables paths = Paths();
    if (kAddonCategories[*category].holdsOneAddon && installed->count() > 0 &&
        AddonArchiveOpens(paths.CategoryFolder[*category], name) && !BORRAR(*category, 0))
        return;

    const auto result = RunOperationOrShowError(
        this, QStringLiteral("Installing %1").arg(shown), QStringLiteral("Unzip"),
        [&](const ProgressReport& report) {
            return InstallAddon(paths.CategoryFolder[*category], name, paths.GameFolder, report);
        });
    if (!result)
        return;
    if (!result->writtenNames.empty()) {
        addonFiles_.wrote(result->writtenNames);
        QListWidgetItem* entry = AddNameItem(installed, name, shown);
        const std::string replaced =
            ReplacedAddonsText(ReplacedAddons(installed_, result->writtenNames));
        if (!replaced.empty())
            entry->setToolTip(QStringLiteral("Replaced files of: ") + ToQString(replaced));
        installed_.add({*category, name}, result->writtenNames);
        removeFromSelection(ui->List8->row(chosen));
    }
    if (!result->ok())
        Prompts::bridgeError(this, QStringLiteral("Unzip"), ToQString(result->description));
}

// Takes an entry out of the selection list without another one becoming current:
// the preview keeps the installed add-on, and Enter does nothing until the player
// chooses again.
void Principal::removeFromSelection(int row) {
    ui->List8->setCurrentRow(-1);
    delete ui->List8->takeItem(row);
}

void Principal::installedList_DblClick(std::size_t category) {
    QListWidget* list = installedLists_[category];
    const int row = list->currentRow();
    if (row < 0)
        return;
    list->setCurrentRow(-1); // no neighbour is chosen, nor uninstalled by a second Enter
    resetPreview();
    BORRAR(category, row);
}

// Uninstalls one add-on: deletes the names its installation wrote, but puts back
// from their archives the files other installed add-ons wrote too; the preview
// text tells what could not be put back. The add-on goes back to the selection
// list while its archive is still in the library. An uninstall that threw is told
// and keeps the entry: what it did is not known.
bool Principal::BORRAR(std::size_t category, int row) {
    QListWidget* list = installedLists_[category];
    const QListWidgetItem* entry = list->item(row);
    const std::string name = NameOfItem(entry);
    const QString shown = entry->text();
    const PathVariables paths = Paths();
    const auto result = RunOperationOrShowError(
        this, QStringLiteral("Uninstalling %1").arg(shown), QStringLiteral("Unzip"),
        [&](const ProgressReport& report) {
            return UninstallSharingFiles(installed_, {category, name}, paths.GameFolder,
                                         paths.CategoryFolder, paths.BackupFolder, report);
        });
    if (!result)
        return false;
    addonFiles_.deleted(result->files.deleted);
    if (!result->files.failed.empty())
        qWarning("Uninstall of %s could not delete or put back: %s", name.c_str(),
                 JoinedNames(result->files.failed).c_str());
    if (!result->lost.empty())
        ui->Text1->appendPlainText(ToQString(LostFilesText(result->lost)));
    if (currentCategory() == category && AddonArchiveExists(paths.CategoryFolder[category], name))
        AddNameItem(ui->List8, name, shown);
    if (kAddonCategories[category].holdsOneAddon)
        list->clear();
    else
        delete list->takeItem(row);
    return true;
}

// A folder not known to be the game's loses nothing: its files may be anyone's.
// A Clear All that threw is told and leaves the lists as they were: what it did
// is not known.
bool Principal::BORRARTODO() {
    const PathVariables paths = Paths();
    if (MayClearGameFolder(paths.GameFolder, paths.BackupFolder)) {
        const auto result = RunOperationOrShowError(
            this, QStringLiteral("Clearing all add-ons"), QStringLiteral("Clear All"),
            [&](const ProgressReport& report) {
                return ClearAll(paths.GameFolder, paths.BackupFolder, addonFiles_, report);
            });
        if (!result)
            return false;
        if (!result->failed.empty())
            qWarning("Clear All could not delete or put back: %s",
                     JoinedNames(result->failed).c_str());
    }
    // What Clear All leaves is the game's: a game folder chosen next starts afresh.
    addonFiles_ = AddonFileRecord();
    installed_ = InstalledAddons();
    for (QListWidget* list : installedLists_)
        list->clear();
    ui->List8->clear();
    resetPreview();
    for (QAbstractButton* button : categoryButtons_)
        LookDisabled(button, false);
    ui->Label11->setText(ToQString(std::string(kNoCategoryCaption)));
    return true;
}

void Principal::BORRARINI() {
    if (RestoreIni(Paths().GameFolder, Paths().BackupFolder) == RestoreIniStatus::CopyFailed)
        qWarning("Restore INI could not copy the security copy of EAW.INI");
}

void Principal::resetPreview() {
    ui->Text1->clear();
    ShowLogo(ui->Image1);
}

void Principal::openWindow(QWidget* window, bool keepMainEnabled) {
    std::erase_if(openWindows_, [](const QPointer<QWidget>& open) { return open.isNull(); });
    openWindows_.emplace_back(window);
    window->show();
    if (!keepMainEnabled)
        windowsOver_->hold(window);
}

void Principal::closeWithoutClearing() {
    clearOnClose_ = false;
    // Queued: the window that asks is still closing and holds the main window.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Principal::bringForward() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    for (QWidget* window : windowsOver_->windows()) {
        window->raise();
        window->activateWindow();
    }
}

// Closing the main window clears the game folder. It is refused while a window
// that disabled it is open: that window would be dropped half done.
void Principal::closeEvent(QCloseEvent* event) {
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    if (clearOnClose_)
        BORRARTODO();
    for (const QPointer<QWidget>& window : openWindows_) {
        if (window)
            window->close();
    }
    event->accept();
}

} // namespace quorvel
