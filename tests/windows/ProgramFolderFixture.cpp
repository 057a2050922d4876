#include "ProgramFolderFixture.h"

#include "config/PathVariables.h"
#include "platform/FolderListing.h"

#include <QComboBox>
#include <QImage>

namespace fs = std::filesystem;

namespace quorvel::test {

ProgramFolderFixture::ProgramFolderFixture() {
    MakeProgramFolder(folder_.path());
    fs::create_directories(folder_ / "game");
    StorePaths(FolderText(folder_ / "game"));
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
