#include "Pictures.h"

#include "AircraftSilhouette.h"
#include "Backdrops.h"
#include "Palette.h"
#include "StencilLettering.h"

#include <QPainter>

namespace quorvel::pictures {

namespace {

const QString kName = QStringLiteral("Quorvel");
const QString kSubtitle = QStringLiteral("European Air War add-on manager");
constexpr qreal kClimbingHeading = 35;

QImage blankPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kNavy);
    return image;
}

void drawEmblem(QPainter& painter, QPointF centre, qreal radius) {
    QColor ring = kKhaki;
    ring.setAlpha(110);
    drawReticle(painter, centre, radius, ring);
    fillAircraft(painter, {centre, radius * 1.85, kClimbingHeading}, kKhaki);
}

// The aircraft in a navy disc followed by the name: the banners' left-hand mark.
void drawRoundel(QPainter& painter, QPointF centre, qreal radius) {
    painter.save();
    painter.setPen(QPen(kKhaki, std::max(1.0, radius / 14)));
    painter.setBrush(kNavy);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
    fillAircraft(painter, {centre, radius * 1.45, kClimbingHeading}, kKhaki);
}

// Name plate for the short banners: aircraft, name, and a khaki rule below.
QImage drawNamePlate(int width, int height) {
    QImage image = blankPicture(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole(0, 0, width, height);
    fillNightSky(painter, whole);
    const qreal mark = height * 0.8;
    fillAircraft(painter, {{height * 0.55, height * 0.5}, mark, kClimbingHeading}, kKhaki);
    const QRectF word(height * 1.15, height * 0.2, width - height * 1.35, height * 0.56);
    drawStencilWord(painter, kName, word, kKhaki, Qt::AlignLeft);
    painter.fillRect(QRectF(0, height - 3, width, 3), kOlive);
    return image;
}

} // namespace

QImage drawSplash() {
    QImage image = blankPicture(342, 275);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = image.rect();
    fillNightSky(painter, whole);
    drawEmblem(painter, {171, 76}, 56);
    drawStencilWord(painter, kName, {46, 146, 250, 40}, kKhaki);
    painter.fillRect(QRectF(70, 196, 202, 1), kKhakiDark);
    drawCapitals(painter, kSubtitle, {10, 202, 322, 16}, 10, kCream, Qt::AlignCenter);
    fillOliveBand(painter, {0, 232, 342, 43});
    drawCapitals(painter, QStringLiteral("Version 1.0"), {0, 232, 342, 43}, 11, kKhakiLight,
                 Qt::AlignCenter, true);
    drawInnerFrame(painter, whole, kKhakiDark);
    return image;
}

QImage drawLogo() {
    QImage image = blankPicture(264, 193);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = image.rect();
    fillNightSky(painter, whole);
    drawEmblem(painter, {132, 66}, 46);
    drawStencilWord(painter, kName, {37, 124, 190, 31}, kKhaki);
    drawCapitals(painter, kSubtitle, {8, 162, 248, 14}, 8, kCream, Qt::AlignCenter);
    drawInnerFrame(painter, whole, kKhakiDark);
    return image;
}

QImage drawBanner() {
    QImage image = blankPicture(335, 80);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    fillOliveBand(painter, image.rect());
    painter.fillRect(QRectF(0, 0, 335, 1), kOliveDark);
    drawRoundel(painter, {40, 40}, 30);
    drawStencilWord(painter, kName, {84, 13, 200, 32}, kKhaki, Qt::AlignLeft);
    drawCapitals(painter, kSubtitle, {84, 52, 246, 14}, 10, kCream,
                 Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRect(QRectF(0, 77, 335, 3), kNavy);
    return image;
}

QImage drawBannerSmall() {
    return drawNamePlate(228, 41);
}

QImage drawLogoWide() {
    return drawNamePlate(186, 36);
}

} // namespace quorvel::pictures
