#include "IconStyle.h"

#include "Palette.h"

#include <QPainter>
#include <QPolygonF>

namespace quorvel::pictures {

QImage renderIcon(int pixels, IconPainter paint, qreal designSize) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / designSize, pixels / designSize);
    paint(painter);
    return image;
}

QPen inkPen(qreal width) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawBadge(QPainter& painter, QPointF centre, qreal radius, BadgeMark mark) {
    painter.save();
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(mark == BadgeMark::Plus ? kSignalGreen : kSignalRed);
    painter.drawEllipse(centre, radius, radius);
    const qreal arm = radius * 0.58;
    const qreal bar = radius * 0.36;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(centre.x() - arm, centre.y() - bar / 2, 2 * arm, bar));
    if (mark == BadgeMark::Plus)
        painter.drawRect(QRectF(centre.x() - bar / 2, centre.y() - arm, bar, 2 * arm));
    painter.restore();
}

void drawPackage(QPainter& painter) {
    const QPointF top(32, 6), left(7, 18), right(57, 18), front(32, 30);
    const QPointF leftFoot(7, 46), rightFoot(57, 46), frontFoot(32, 58);
    painter.save();
    painter.setPen(inkPen());
    painter.setBrush(kKhakiLight);
    painter.drawPolygon(QPolygonF({top, right, front, left}));
    painter.setBrush(kKhaki);
    painter.drawPolygon(QPolygonF({left, front, frontFoot, leftFoot}));
    painter.setBrush(kKhakiDark);
    painter.drawPolygon(QPolygonF({front, right, rightFoot, frontFoot}));
    // The tape across the lid and down the front edge.
    painter.setPen(QPen(kOlive, 5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(19.5, 12), QPointF(44.5, 24));
    painter.drawLine(QPointF(44.5, 24), QPointF(44.5, 52));
    painter.restore();
}

} // namespace quorvel::pictures
