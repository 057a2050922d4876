#include "windows/Principal.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "ui_Principal.h"
#include "windows/PathText.h"
#include "windows/TextFromFile.h"
#include "windows/WindowPlacement.h"

#include <QCloseEvent>
#include <QPixmap>

namespace quorvel {
namespace {

std::vector<std::string> entriesOf(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int row = 0; row < list->count(); ++row)
        entries.push_back(ToStdString(list->item(row)->text()));
    return entries;
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
                MOSTRAR(ToQString(Paths().CategoryFolder[category]), item->text());
        });
    }
    connect(ui->List8, &QListWidget::itemSelectionChanged, this, &Principal::List8_Click);
    PlaceFixedCentred(this);
    Form_Load();
}

Principal::~Principal() = default;

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
    ui->Text1->clear();
    showLogo();
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
        ui->List8->addItem(ToQString(name));
}

void Principal::List8_Click() {
    const QListWidgetItem* item = ui->List8->currentItem();
    if (!item || !item->isSelected())
        return;
    const auto category = currentCategory();
    MOSTRAR(category ? ToQString(Paths().CategoryFolder[*category]) : QString(), item->text());
}

// Shows NAME.jpg and NAME.txt of `folder`; a picture that cannot be loaded leaves
// the one shown before.
void Principal::MOSTRAR(const QString& folder, const QString& name) {
    const AddonPreview preview = LoadAddonPreview(ToPath(folder), ToStdString(name));
    if (preview.picture) {
        const QPixmap picture(ToQString(*preview.picture));
        if (!picture.isNull())
            ui->Image1->setPixmap(picture);
    }
    ui->Text1->setPlainText(TextFromFile(preview.description));
}

void Principal::showLogo() {
    if (Paths().ProgramFolder.empty())
        return;
    const QPixmap logo(ToQString(Paths().ProgramFolder / "QUORVEL.jpg"));
    if (!logo.isNull())
        ui->Image1->setPixmap(logo);
}

void Principal::closeEvent(QCloseEvent* event) {
    if (closeRefused_) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace quorvel
