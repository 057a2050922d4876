#include "ProgramFolderFixture.h"

#include "config/PathVariables.h"

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

} // namespace quorvel::test
