// Draws every picture of the program into the resources folder. The pictures are
// committed, so the program's build never runs this; run it after changing one.
//
//   quorvel_draw_pictures [resources folder]

#include "ActionIcons.h"
#include "ApplicationIcon.h"
#include "CategoryIcons.h"
#include "IconStyle.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

namespace {

using namespace quorvel::pictures;

constexpr int kJpegQuality = 92;
constexpr int kIconPixels = 64;

struct Picture {
    const char* file;
    QImage (*draw)();
};

struct Icon {
    const char* file;
    IconPainter paint;
    int pixels;
    qreal designSize;
};

const Picture kPictures[] = {
    {"pictures/splash.jpg", drawSplash},
    {"pictures/banner.jpg", drawBanner},
    {"pictures/banner-small.jpg", drawBannerSmall},
    {"pictures/logo-wide.jpg", drawLogoWide},
    {"QUORVEL.jpg", drawLogo},
};

const Icon kIcons[] = {
    {"icons/new-addon.png", paintNewAddon, kIconPixels, kIconDesignSize},
    {"icons/delete-addon.png", paintDeleteAddon, kIconPixels, kIconDesignSize},
    {"icons/ini-settings.png", paintIniSettings, kIconPixels, kIconDesignSize},
    {"icons/restore-ini.png", paintRestoreIni, kIconPixels, kIconDesignSize},
    {"icons/clear-all.png", paintClearAll, kIconPixels, kIconDesignSize},
    {"icons/help.png", paintHelp, kIconPixels, kIconDesignSize},
    {"icons/about.png", paintAbout, kIconPixels, kIconDesignSize},
    {"icons/game-folder.png", paintGameFolder, kIconPixels, kIconDesignSize},
    {"icons/play.png", paintPlay, kIconPixels, kIconDesignSize},
    {"icons/library-folder.png", paintLibraryFolder, kIconPixels, kIconDesignSize},
    {"icons/flight-models.png", paintFlightModels, kIconPixels, kIconDesignSize},
    {"icons/missions.png", paintMissions, kIconPixels, kIconDesignSize},
    {"icons/skins.png", paintSkins, kIconPixels, kIconDesignSize},
    {"icons/terrains.png", paintTerrains, kIconPixels, kIconDesignSize},
    {"icons/graphics.png", paintGraphics, kIconPixels, kIconDesignSize},
    {"icons/sounds.png", paintSounds, kIconPixels, kIconDesignSize},
    {"icons/exes.png", paintExes, kIconPixels, kIconDesignSize},
    {"icons/quorvel.png", paintApplicationIcon, 256, kApplicationIconDesignSize},
    {"icons/about-small.png", paintApplicationIcon, 32, kApplicationIconDesignSize},
};

bool save(const QImage& image, const QDir& folder, const char* file, QTextStream& report) {
    const QString path = folder.filePath(QString::fromLatin1(file));
    const bool jpeg = path.endsWith(QLatin1String(".jpg"));
    const bool saved = image.save(path, jpeg ? "JPG" : "PNG", jpeg ? kJpegQuality : -1);
    report << (saved ? "wrote " : "FAILED ") << path << " (" << image.width() << " x "
           << image.height() << ")\n";
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream report(stdout);

    const QStringList arguments = QGuiApplication::arguments();
    const QDir folder(arguments.size() > 1 ? arguments.at(1)
                                           : QStringLiteral(QUORVEL_RESOURCES_DIR));
    if (!folder.mkpath(QStringLiteral("pictures")) || !folder.mkpath(QStringLiteral("icons"))) {
        report << "cannot create the picture folders in " << folder.path() << "\n";
        return 1;
    }

    bool allSaved = true;
    for (const Picture& picture : kPictures)
        allSaved = save(picture.draw(), folder, picture.file, report) && allSaved;
    for (const Icon& icon : kIcons) {
        const QImage image = renderIcon(icon.pixels, icon.paint, icon.designSize);
        allSaved = save(image, folder, icon.file, report) && allSaved;
    }
    return allSaved ? 0 : 1;
}
