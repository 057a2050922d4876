#include "CategoryIcons.h"

#include "AircraftSilhouette.h"
#include "IconStyle.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace quorvel::pictures {

void paintFlightModels(QPainter& painter) {
    outlineAircraft(painter, {{32, 33}, 58, 0}, kKhaki, kInk, 3.0 * 100 / 58);
}

void paintMissions(QPainter& painter) {
    // A map folded in three panels.
    const QList<QPointF> top{{5, 12}, {22, 6}, {42, 12}, {59, 6}};
    const qreal depth = 46;
    painter.setPen(inkPen());
    for (qsizetype panel = 0; panel < 3; ++panel) {
        const QPointF a = top[panel], b = top[panel + 1];
        painter.setBrush(panel == 1 ? kKhakiLight : kKhaki);
        painter.drawPolygon(QPolygonF({a, b, b + QPointF(0, depth), a + QPointF(0, depth)}));
    }
    // The route, and the flag at its end.
    QPainterPath route;
    route.moveTo(11, 46);
    route.cubicTo(20, 30, 30, 52, 38, 34);
    painter.setPen(QPen(kSignalRed, 3.5, Qt::DashLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(route);
    painter.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(40, 36), QPointF(40, 14));
    painter.setPen(inkPen(2));
    painter.setBrush(kSignalRed);
    painter.drawPolygon(QPolygonF({{40, 14}, {54, 19}, {40, 24}}));
}

void paintSkins(QPainter& painter) {
    painter.save();
    painter.translate(32, 32);
    painter.rotate(45);
    // Drawn upright, bristles down, and turned to lie across the square.
    painter.setPen(inkPen());
    painter.setBrush(kKhakiDark);
    painter.drawRoundedRect(QRectF(-4.5, -31, 9, 30), 4, 4);
    painter.setBrush(kKhakiLight);
    painter.drawRect(QRectF(-7, -3, 14, 10));
    QPainterPath bristles;
    bristles.moveTo(-7, 7);
    bristles.lineTo(7, 7);
    bristles.cubicTo(8, 16, 4, 24, 0, 29);
    bristles.cubicTo(-4, 24, -8, 16, -7, 7);
    painter.setBrush(kSignalRed);
    painter.drawPath(bristles);
    painter.restore();
    // A stroke of fresh paint.
    painter.setPen(QPen(kSignalRed, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(34, 58), QPointF(58, 58));
}

void paintTerrains(QPainter& painter) {
    painter.setPen(inkPen());
    painter.setBrush(kOliveDark);
    painter.drawPolygon(QPolygonF({{28, 54}, {44, 24}, {60, 54}}));
    painter.setBrush(kOlive);
    painter.drawPolygon(QPolygonF({{4, 54}, {24, 12}, {44, 54}}));
    // Snow on the higher peak, following its flanks.
    painter.setBrush(kCream);
    painter.drawPolygon(
        QPolygonF({{24, 12}, {30.7, 26}, {26.5, 23}, {23, 27}, {19.5, 23}, {17.3, 26.6}}));
    painter.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3, 56), QPointF(61, 56));
}

void paintGraphics(QPainter& painter) {
    const QRectF frame(5, 9, 54, 46);
    painter.setPen(inkPen());
    painter.setBrush(kKhakiDark);
    painter.drawRect(frame);
    const QRectF canvas = frame.adjusted(7, 7, -7, -7);
    painter.setBrush(kNavyLight);
    painter.drawRect(canvas);
    painter.save();
    painter.setClipRect(canvas);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kKhakiLight);
    painter.drawEllipse(QPointF(41, 23), 4.5, 4.5);
    painter.setBrush(kOlive);
    QPainterPath hills;
    hills.moveTo(canvas.left(), canvas.bottom());
    hills.lineTo(canvas.left(), 38);
    hills.quadTo(22, 28, 32, 36);
    hills.quadTo(42, 31, canvas.right(), 37);
    hills.lineTo(canvas.right(), canvas.bottom());
    hills.closeSubpath();
    painter.drawPath(hills);
    painter.restore();
    painter.setPen(inkPen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(canvas);
}

void paintSounds(QPainter& painter) {
    painter.setPen(inkPen());
    painter.setBrush(kKhaki);
    painter.drawPolygon(QPolygonF({{5, 24}, {15, 24}, {31, 10}, {31, 54}, {15, 40}, {5, 40}}));
    painter.setPen(QPen(kInk, 4.5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (const qreal radius : {10.0, 19.0}) {
        const QRectF circle(31 - radius, 32 - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, -45 * 16, 90 * 16);
    }
}

void paintExes(QPainter& painter) {
    constexpr int kTeeth = 8;
    QPainterPath gear;
    gear.addEllipse(QPointF(32, 32), 20, 20);
    for (int tooth = 0; tooth < kTeeth; ++tooth) {
        QPainterPath block;
        block.addRoundedRect(QRectF(-5.5, -28, 11, 12), 1.5, 1.5);
        QTransform turn;
        turn.translate(32, 32);
        turn.rotate(tooth * 360.0 / kTeeth);
        gear = gear.united(turn.map(block));
    }
    QPainterPath hole;
    hole.addEllipse(QPointF(32, 32), 8, 8);
    painter.setPen(inkPen());
    painter.setBrush(kKhaki);
    painter.drawPath(gear.subtracted(hole));
}

} // namespace quorvel::pictures
