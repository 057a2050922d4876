#include "ApplicationIcon.h"

#include "AircraftSilhouette.h"
#include "Backdrops.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>

namespace quorvel::pictures {

void paintApplicationIcon(QPainter& painter) {
    const QRectF tile(8, 8, 240, 240);
    QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
    sky.setColorAt(0, kNavyLight);
    sky.setColorAt(1, kNavy);
    painter.setPen(QPen(kKhaki, 8));
    painter.setBrush(sky);
    painter.drawRoundedRect(tile.adjusted(4, 4, -4, -4), 44, 44);
    drawReticle(painter, {128, 128}, 86, kKhakiDark);
    fillAircraft(painter, {{128, 128}, 178, 35}, kKhaki);
}

} // namespace quorvel::pictures
