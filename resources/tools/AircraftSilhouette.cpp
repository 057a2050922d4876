#include "AircraftSilhouette.h"

#include <QPainter>
#include <QTransform>

namespace quorvel::pictures {

namespace {

QPainterPath fuselage() {
    QPainterPath path;
    path.moveTo(0, -41);
    path.cubicTo(4, -41, 6, -30, 6, -16);
    path.cubicTo(6, 4, 3.5, 30, 2, 44);
    path.lineTo(-2, 44);
    path.cubicTo(-3.5, 30, -6, 4, -6, -16);
    path.cubicTo(-6, -30, -4, -41, 0, -41);
    return path;
}

QPainterPath wings() {
    QPainterPath path;
    path.moveTo(0, -20);
    path.cubicTo(22, -20, 44, -14, 50, -4);
    path.cubicTo(44, 4, 20, 6, 0, 6);
    path.cubicTo(-20, 6, -44, 4, -50, -4);
    path.cubicTo(-44, -14, -22, -20, 0, -20);
    return path;
}

QPainterPath tailplane() {
    QPainterPath path;
    path.moveTo(0, 31);
    path.cubicTo(8, 31, 17, 34, 18, 38);
    path.cubicTo(14, 42, 6, 42, 0, 42);
    path.cubicTo(-6, 42, -14, 42, -18, 38);
    path.cubicTo(-17, 34, -8, 31, 0, 31);
    return path;
}

QPainterPath propeller() {
    QPainterPath blades;
    blades.addRoundedRect(-17, -45, 34, 3.2, 1.6, 1.6);
    QPainterPath spinner;
    spinner.addEllipse(QPointF(0, -42), 3.5, 4.5);
    return blades.united(spinner);
}

QTransform placementTransform(const AircraftPlacement& placement) {
    QTransform transform;
    transform.translate(placement.centre.x(), placement.centre.y());
    transform.rotate(placement.headingDegrees);
    transform.scale(placement.span / 100, placement.span / 100);
    return transform;
}

} // namespace

QPainterPath aircraftPlanView() {
    return fuselage().united(wings()).united(tailplane()).united(propeller()).simplified();
}

void fillAircraft(QPainter& painter, const AircraftPlacement& placement, const QColor& colour) {
    painter.fillPath(placementTransform(placement).map(aircraftPlanView()), colour);
}

void outlineAircraft(QPainter& painter, const AircraftPlacement& placement, const QColor& fill,
                     const QColor& outline, qreal outlineWidth) {
    const QPainterPath path = placementTransform(placement).map(aircraftPlanView());
    painter.save();
    painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}

} // namespace quorvel::pictures
