#pragma once

#include <QImage>

// The program's JPEG pictures, each at the size its window shows it.
namespace quorvel::pictures {

QImage drawSplash();      // 342 x 275, the start-up window
QImage drawLogo();        // 264 x 193, QUORVEL.jpg beside the program
QImage drawBanner();      // 335 x 80, new-add-on, delete-add-on, help and about
QImage drawBannerSmall(); // 228 x 41, settings and game-folder windows
QImage drawLogoWide();    // 186 x 36, top right of the main window

} // namespace quorvel::pictures
