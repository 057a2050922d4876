#include "Pictures.h"

#include "AircraftSilhouette.h"
#include "Backdrops.h"
#include "Palette.h"
#include "StencilLettering.h"

#include <QPainter>
#include <algorithm>
#include <functional>

namespace quorvel::pictures {

namespace {

const QString kName = QStringLiteral("Quorvel");
const QString kSubtitle = QStringLiteral("European Air War add-on manager");
constexpr qreal kClimbingHeading = 35;

void drawEmblem(QPainter& painter, QPointF centre, qreal radius) {
    QColor ring = kKhaki;
    ring.setAlpha(110);
    drawReticle(painter, centre, radius, ring);
    fillAircraft(painter, {centre, radius * 1.85, kClimbingHeading}, kKhaki);
}

// A picture of the given size painted by `paint`, antialiased.
QImage paintPicture(int width, int height,
                    const std::function<void(QPainter&, const QRectF&)>& paint) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kNavy);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, QRectF(image.rect()));
    return image;
}

// Where the parts of a night-sky poster stand: the emblem, the name and the
// subtitle under it.
struct PosterLayout {
    QPointF emblemCentre;
    qreal emblemRadius;
    QRectF nameBox;
    QRectF subtitleBox;
    int subtitlePixels;
};

void drawPoster(QPainter& painter, const QRectF& whole, const PosterLayout& layout) {
    fillNightSky(painter, whole);
    drawEmblem(painter, layout.emblemCentre, layout.emblemRadius);
    drawStencilWord(painter, kName, layout.nameBox, kKhaki);
    drawCapitals(painter, kSubtitle, layout.subtitleBox, layout.subtitlePixels, kCream,
                 Qt::AlignCenter);
}

// The aircraft in a navy disc ringed in khaki: the banner's left-hand mark.
void drawRoundel(QPainter& painter, QPointF centre, qreal radius) {
    painter.save();
    painter.setPen(QPen(kKhaki, std::max(1.0, radius / 14)));
    painter.setBrush(kNavy);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
    fillAircraft(painter, {centre, radius * 1.45, kClimbingHeading}, kKhaki);
}

// Name plate for the short banners: aircraft, name, and an olive rule below.
QImage drawNamePlate(int width, int height) {
    return paintPicture(width, height, [](QPainter& painter, const QRectF& whole) {
        fillNightSky(painter, whole);
        // Everything is measured in plate heights, so one layout serves both sizes.
        const qreal unit = whole.height();
        fillAircraft(painter, {{unit * 0.55, unit * 0.5}, unit * 0.8, kClimbingHeading}, kKhaki);
        const QRectF word(unit * 1.15, unit * 0.2, whole.width() - unit * 1.35, unit * 0.56);
        drawStencilWord(painter, kName, word, kKhaki, Qt::AlignLeft);
        painter.fillRect(QRectF(0, unit - 3, whole.width(), 3), kOlive);
    });
}

} // namespace

QImage drawSplash() {
    return paintPicture(342, 275, [](QPainter& painter, const QRectF& whole) {
        drawPoster(painter, whole, {{171, 76}, 56, {46, 146, 250, 40}, {10, 202, 322, 16}, 10});
        painter.fillRect(QRectF(70, 196, 202, 1), kKhakiDark);
        fillOliveBand(painter, {0, 232, 342, 43});
        drawCapitals(painter, QStringLiteral("Version 1.0"), {0, 232, 342, 43}, 11, kKhakiLight,
                     Qt::AlignCenter, true);
        drawInnerFrame(painter, whole, kKhakiDark);
    });
}

QImage drawLogo() {
    return paintPicture(264, 193, [](QPainter& painter, const QRectF& whole) {
        drawPoster(painter, whole, {{132, 66}, 46, {37, 124, 190, 31}, {8, 162, 248, 14}, 8});
        drawInnerFrame(painter, whole, kKhakiDark);
    });
}

QImage drawBanner() {
    return paintPicture(335, 80, [](QPainter& painter, const QRectF& whole) {
        fillOliveBand(painter, whole);
        painter.fillRect(QRectF(0, 0, whole.width(), 1), kOliveDark);
        drawRoundel(painter, {40, 40}, 30);
        drawStencilWord(painter, kName, {84, 13, 200, 32}, kKhaki, Qt::AlignLeft);
        drawCapitals(painter, kSubtitle, {84, 52, 246, 14}, 10, kCream,
                     Qt::AlignLeft | Qt::AlignVCenter);
        painter.fillRect(QRectF(0, 77, whole.width(), 3), kNavy);
    });
}

QImage drawBannerSmall() {
    return drawNamePlate(228, 41);
}

QImage drawLogoWide() {
    return drawNamePlate(186, 36);
}

} // namespace quorvel::pictures
