#include "ProgramFolderFixture.h"

#include "config/PathVariables.h"
#include "platform/FolderListing.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"

#include <QComboBox>
#include <QImage>

namespace fs = std::filesystem;

namespace quorvel::test {

ProgramFolderFixture::ProgramFolderFixture(GameFolder gameFolder) {
    MakeProgramFolder(root());
    fs::create_directories(game());
    if (gameFolder == GameFolder::NotStored)
        return;
    StorePaths(FolderText(game()));
    ReloadPaths(true);
}

ProgramFolderFixture::~ProgramFolderFixture() {
    SetStartingFolder(QString());
}

fs::path ProgramFolderFixture::startPickersIn(const std::string& name) const {
    const fs::path folder = root() / name;
    fs::create_directories(folder);
    SetStartingFolder(ToQString(folder));
    return folder;
}

fs::path ProgramFolderFixture::library(const std::string& folderName) const {
    return folder_ / folderName;
}

void WriteJpeg(const fs::path& path, QSize size) {
    fs::create_directories(path.parent_path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(QString::fromStdString(path.string()), "JPG");
}

QStringList FilesIn(const fs::path& folder) {
    const FolderListing listing(folder);
    QStringList names;
    for (const std::string& name : listing.regularFiles())
        names << QString::fromStdString(name);
    return names;
}

QStringList Entries(const QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

void ChooseInCombo(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QStringList ComboItems(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace quorvel::test
