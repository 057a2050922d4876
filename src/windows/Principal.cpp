#include "windows/Principal.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "library/ClearAll.h"
#include "library/InstallAddon.h"
#include "library/RestoreIni.h"
#include "library/UninstallAddon.h"
#include "platform/NameFolding.h"
#include "ui_Principal.h"
#include "windows/About.h"
#include "windows/Deleteaddon.h"
#include "windows/EAWFolder.h"
#include "windows/EnterKey.h"
#include "windows/Help.h"
#include "windows/LongOperation.h"
#include "windows/NameItems.h"
#include "windows/Newaddon.h"
#include "windows/PathText.h"
#include "windows/Prompts.h"
#include "windows/Settings.h"
#include "windows/TextFromFile.h"
#include "windows/WindowPlacement.h"

#include <QCloseEvent>
#include <QPixmap>

namespace quorvel {
namespace {

// Each installed entry keeps the names its installation wrote into the game folder.
constexpr int kWrittenNamesRole = Qt::UserRole;

std::vector<std::string> entriesOf(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int row = 0; row < list->count(); ++row)
        entries.push_back(NameOfItem(list->item(row)));
    return entries;
}

QStringList toStringList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << ToQString(name);
    return list;
}

std::vector<std::string> toNames(const QStringList& list) {
    std::vector<std::string> names;
    for (const QString& name : list)
        names.push_back(ToStdString(name));
    return names;
}

} // namespace

Principal::Principal(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Principal>()) {
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
    connect(ui->Command11, &QAbstractButton::clicked, this,
            [this] { openWindow(new Newaddon(this), false); });
    // The delete window is the one that leaves the main window usable.
    connect(ui->Command12, &QAbstractButton::clicked, this,
            [this] { openWindow(new Deleteaddon(this), true); });
    connect(ui->Command14, &QAbstractButton::clicked, this,
            [this] { openWindow(new Help(this), false); });
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
    showLogo();
    ui->Text1->setPlainText(QStringLiteral("Welcome to Quorvel v1.0"));
}

void Principal::chooseCategory(std::size_t category) {
    for (std::size_t other = 0; other < kCategoryCount; ++other)
        categoryButtons_[other]->setEnabled(other != category);
    ui->Label11->setText(ToQString(std::string(kAddonCategories[category].caption)));
    PONENLISTA();
    resetPreview();
}

std::optional<std::size_t> Principal::currentCategory() const {
    return CategoryByCaption(ToStdString(ui->Label11->text()));
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
}

// Shows NAME.jpg and NAME.txt of `folder`; a picture that cannot be loaded leaves
// the one shown before.
void Principal::MOSTRAR(const QString& folder, const std::string& name) {
    const AddonPreview preview = LoadAddonPreview(ToPath(folder), name);
    if (preview.picture) {
        const QPixmap picture(ToQString(*preview.picture));
        if (!picture.isNull())
            ui->Image1->setPixmap(picture);
    }
    ui->Text1->setPlainText(TextFromFile(preview.description));
}

// Installs the chosen add-on. In a category that holds one add-on, the installed
// one is taken out first, so the game folder never holds one add-on's files while
// the list names another; but not for an archive that cannot be opened, whose
// install then fails and records nothing.
void Principal::List8_DblClick() {
    const auto category = currentCategory();
    const int row = ui->List8->currentRow();
    if (!category || row < 0)
        return;
    const QString shown = ui->List8->item(row)->text();
    const std::string name = NameOfItem(ui->List8->item(row));
    QListWidget* installed = installedLists_[*category];
    const PathVariables paths = Paths();
    if (kAddonCategories[*category].holdsOneAddon && installed->count() > 0 &&
        AddonArchiveOpens(paths.CategoryFolder[*category], name))
        BORRAR(*category, 0);

    UnzipResult result;
    RunLongOperation(
        this, QStringLiteral("Installing %1").arg(shown), [&](const ProgressReport& report) {
            result = InstallAddon(paths.CategoryFolder[*category], name, paths.GameFolder, report);
        });
    if (!result.ok()) {
        Prompts::bridgeError(this, QStringLiteral("Unzip"), ToQString(result.description));
        return;
    }
    QListWidgetItem* entry = AddNameItem(installed, name, shown);
    entry->setData(kWrittenNamesRole, toStringList(result.writtenNames));
    delete ui->List8->takeItem(row);
}

void Principal::installedList_DblClick(std::size_t category) {
    const int row = installedLists_[category]->currentRow();
    if (row >= 0)
        BORRAR(category, row);
}

// Uninstalls one add-on: deletes the names its installation wrote, nothing else.
void Principal::BORRAR(std::size_t category, int row) {
    QListWidget* list = installedLists_[category];
    const QListWidgetItem* entry = list->item(row);
    const std::string name = NameOfItem(entry);
    const QString shown = entry->text();
    UninstallAddon(Paths().GameFolder, toNames(entry->data(kWrittenNamesRole).toStringList()),
                   Paths().BackupFolder);
    if (currentCategory() == category)
        AddNameItem(ui->List8, name, shown);
    if (kAddonCategories[category].holdsOneAddon)
        list->clear();
    else
        delete list->takeItem(row);
    resetPreview();
}

void Principal::BORRARTODO() {
    const PathVariables paths = Paths();
    RunLongOperation(this, QStringLiteral("Clearing all add-ons"),
                     [&](const ProgressReport& report) {
                         ClearAll(paths.GameFolder, paths.BackupFolder, report);
                     });
    for (QListWidget* list : installedLists_)
        list->clear();
    ui->List8->clear();
    resetPreview();
    for (QAbstractButton* button : categoryButtons_)
        button->setEnabled(true);
    ui->Label11->setText(ToQString(std::string(kNoCategoryCaption)));
}

void Principal::BORRARINI() {
    RestoreIni(Paths().GameFolder, Paths().BackupFolder);
}

void Principal::resetPreview() {
    ui->Text1->clear();
    showLogo();
}

void Principal::showLogo() {
    if (Paths().ProgramFolder.empty())
        return;
    const QPixmap logo(ToQString(Paths().ProgramFolder / "QUORVEL.jpg"));
    if (!logo.isNull())
        ui->Image1->setPixmap(logo);
}

void Principal::openWindow(QWidget* window, bool keepMainEnabled) {
    std::erase_if(openWindows_, [](const QPointer<QWidget>& open) { return open.isNull(); });
    openWindows_.emplace_back(window);
    window->show();
    setEnabled(keepMainEnabled);
}

// Closing the main window always clears the game folder; it is refused only while
// the first-run window is open.
void Principal::closeEvent(QCloseEvent* event) {
    if (closeRefused_) {
        event->ignore();
        return;
    }
    BORRARTODO();
    for (const QPointer<QWidget>& window : openWindows_) {
        if (window)
            window->close();
    }
    event->accept();
}

} // namespace quorvel
