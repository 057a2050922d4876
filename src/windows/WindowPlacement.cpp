#include "windows/WindowPlacement.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

namespace quorvel {

void PlaceFixedCentred(QWidget* window) {
    window->setFixedSize(window->size());
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.png")));
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void UseWindowFont() {
    constexpr qreal kDesignPointSize = 8.0;
    constexpr qreal kLargestNormalPointSize = 10.0;
    // Liberation Sans has the metrics of the Windows interface font the layouts assume.
    const QString kDesignFamily = QStringLiteral("Liberation Sans");
    QFont font = QGuiApplication::font();
    if (QFontDatabase::hasFamily(kDesignFamily))
        font.setFamily(kDesignFamily);
    if (font.pointSizeF() > 0 && font.pointSizeF() <= kLargestNormalPointSize)
        font.setPointSizeF(kDesignPointSize);
    QGuiApplication::setFont(font);
}

} // namespace quorvel
