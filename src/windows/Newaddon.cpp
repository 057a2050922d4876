#include "windows/Newaddon.h"

#include "library/Unzip.h"
#include "maintenance/AddonImport.h"
#include "platform/NameText.h"
#include "ui_Newaddon.h"
#include "windows/CategoryControls.h"
#include "windows/OptionGroups.h"
#include "windows/ProgramPictures.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"

namespace fs = std::filesystem;

namespace quorvel {
Newaddon::Newaddon(InstallationModel& model, QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , model_(model)
    , ui(std::make_unique<Ui::Newaddon>()) {
    ui->setupUi(this);
    ShowBanner(ui->Image1);
    FillCategoryChoice(ui->Combo1);
    ui->File1->setSuffix(QStringLiteral(".zip"));
    connect(ui->Drive1, &DrivePicker::driveChanged, this, &Newaddon::Drive1_Change);
    connect(ui->Dir1, &FolderPicker::folderChanged, this, &Newaddon::Dir1_Change);
    connect(ui->File1, &FilePicker::fileActivated, this, &Newaddon::File1_DblClick);
    connect(ui->Command1, &QPushButton::clicked, this, &Newaddon::Command1_Click);
    connect(ui->Combo1, &QComboBox::activated, this, &Newaddon::enableInstallWhenReady);
    connect(ui->File1, &QListWidget::itemSelectionChanged, this, &Newaddon::enableInstallWhenReady);
    MakeOneTabStop({ui->Option1, ui->Option2});
    placeFixed();
    Form_Load();
}

Newaddon::~Newaddon() = default;

void Newaddon::Form_Load() {
    ui->Option1->setChecked(true);
    ui->Dir1->setFolder(StartingFolder());
    ui->Drive1->setDrive(StartingFolder());
    enableInstallWhenReady();
}

void Newaddon::Drive1_Change() {
    MoveFolderPickerToDrive(this, ui->Drive1, ui->Dir1);
}

void Newaddon::Dir1_Change(const QString& folder) {
    ui->File1->setFolder(folder);
    enableInstallWhenReady();
}

void Newaddon::File1_DblClick(const QString& fileName) {
    ui->Text1->setText(fileName);
}

// Without a category there is no library folder, and without a file nothing to
// bring in: the button waits for both rather than writing anywhere else.
void Newaddon::enableInstallWhenReady() {
    ui->Command1->setEnabled(ui->Combo1->currentIndex() >= 0 &&
                             !ui->File1->selectedFileName().isEmpty());
}

void Newaddon::Command1_Click() {
    const std::string fileName = ui->File1->selectedName();
    const int category = ui->Combo1->currentIndex();
    if (category < 0 || fileName.empty())
        return;
    const fs::path source = InFolder(ToPath(ui->Dir1->folder()), fileName);
    const fs::path library = ChosenCategoryFolder(model_.paths(), ui->Combo1);
    if (ui->Option1->isChecked())
        importArchive(source, library, std::size_t(category));
    else
        importPackage(source, library, std::size_t(category));
}

// Both kinds of import tell a failure in the same box, with the reason, and tell
// the main window when the library folder changed.
void Newaddon::importArchive(const fs::path& source, const fs::path& library,
                             std::size_t category) {
    model_.run(
        this, {QStringLiteral("Install the Addon"), QStringLiteral("FileCopy")},
        [source, library](Installation&, const ProgressReport&, const CancelRequested&) {
            return ImportAddonArchive(source, library);
        },
        [this, category](const std::optional<ArchiveImportResult>& result) {
            if (!result)
                return;
            if (!result->done())
                Prompts::bridgeError(this, QStringLiteral("FileCopy"), ToQString(result->why()));
            if ((*result)->status == ImportedArchive::Status::Copied)
                emit libraryChanged(category);
        });
}

void Newaddon::importPackage(const fs::path& source, const fs::path& library,
                             std::size_t category) {
    model_.run(
        this, {QStringLiteral("Install the Addon"), QStringLiteral("Unzip")},
        [source, library](Installation&, const ProgressReport& report, const CancelRequested&) {
            return Unzip(source, library, report);
        },
        [this, category](const std::optional<UnzipResult>& result) {
            if (!result)
                return;
            if (!result->done())
                Prompts::bridgeError(this, QStringLiteral("Unzip"), ToQString(result->why()));
            if (!(*result)->writtenNames.empty())
                emit libraryChanged(category);
        });
}

} // namespace quorvel
