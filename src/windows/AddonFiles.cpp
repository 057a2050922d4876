#include "windows/AddonFiles.h"

#include "platform/NameText.h"
#include "ui_AddonFiles.h"
#include "windows/NameLists.h"
#include "windows/TextConversions.h"

#include <QHeaderView>

namespace quorvel {

AddonFiles::AddonFiles(QWidget* mainWindow, const AddonKey& addon)
    : ChildWindow(mainWindow, nullptr)
    , ui(std::make_unique<Ui::AddonFiles>()) {
    ui->setupUi(this);
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + AddonText(addon));
    ui->List1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ui->List1->header()->setStretchLastSection(true);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

AddonFiles::AddonFiles(QWidget* mainWindow, const AddonKey& addon,
                       const InstalledContents& contents)
    : AddonFiles(mainWindow, addon) {
    ui->Label1->setText(
        QStringLiteral("%1 is installed. These are the files its installation wrote into "
                       "the game folder%2, and the add-on that holds each now:")
            .arg(AddonText(addon), contents.partly ? QStringLiteral(" (it stopped part-way, "
                                                                    "so some may not be there)")
                                                   : QString()));
    ui->List1->headerItem()->setText(1, QStringLiteral("Held by"));
    for (const HeldFile& file : contents.files)
        addRow(file.name, file.holder == addon
                              ? QStringLiteral("this add-on")
                              : AddonText(file.holder) + QStringLiteral(", installed after it"));
    ui->Label2->setText(
        contents.keptGameFiles.empty()
            ? QStringLiteral("It replaced none of the game's own files.")
            : QStringLiteral("The game's own files it replaced are kept, and come back when it "
                             "is uninstalled: %1.")
                  .arg(ToQString(JoinedNames(contents.keptGameFiles))));
    placeFixed();
}

AddonFiles::AddonFiles(QWidget* mainWindow, const AddonKey& addon, const ArchiveContents& contents)
    : AddonFiles(mainWindow, addon) {
    ui->Label1->setText(QStringLiteral("%1 is not installed. These are the files installing it "
                                       "would write into the game folder, and what each "
                                       "would replace:")
                            .arg(AddonText(addon)));
    ui->List1->headerItem()->setText(1, QStringLiteral("Replaces"));
    for (const FileToWrite& file : contents.files)
        switch (file.replaces) {
        case Replaces::Nothing:
            addRow(file.name, QString());
            break;
        case Replaces::Addon:
            addRow(file.name, QStringLiteral("the file of ") + AddonText(file.addon));
            break;
        case Replaces::GameFile:
            addRow(file.name, QStringLiteral("the game's own file, kept and put back"));
            break;
        }
    ui->Label2->setText(
        contents.takesOut
            ? QStringLiteral("Installing it takes %1 out first.").arg(AddonText(*contents.takesOut))
            : QString());
    ui->Label2->setVisible(contents.takesOut.has_value());
    placeFixed();
}

AddonFiles::~AddonFiles() = default;

void AddonFiles::addRow(const std::string& file, const QString& state) {
    new QTreeWidgetItem(ui->List1, {ToQString(file), state});
}

} // namespace quorvel
