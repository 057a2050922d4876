#include "windows/ProgramPictures.h"

#include "config/PathVariables.h"
#include "platform/FolderListing.h"
#include "windows/TextConversions.h"

#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace quorvel {

void ShowBanner(QLabel* label) {
    label->setPixmap(QPixmap(QStringLiteral(":/pictures/banner.jpg")));
}

void ShowSmallBanner(QLabel* label) {
    label->setPixmap(QPixmap(QStringLiteral(":/pictures/banner-small.jpg")));
}

bool ShowPictureFile(QLabel* label, const std::filesystem::path& file) {
    if (file.empty())
        return false;
    QImageReader reader(ToQString(file));
    // Camera pictures carry their turn in the file; the game's previews are shown as drawn.
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    label->setPixmap(QPixmap::fromImage(image));
    return true;
}

void ShowLogo(QLabel* label) {
    if (!ShowPictureFile(label, ResolveInFolder(ProgramFolder(), "QUORVEL.jpg")))
        label->clear();
}

} // namespace quorvel
