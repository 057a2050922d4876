#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace quorvel::pictures {

// A single-engined fighter seen from above, nose up, wing span 100, centred on
// the origin: elliptical wings, a slim fuselage, tailplane and propeller.
QPainterPath aircraftPlanView();

struct AircraftPlacement {
    QPointF centre;
    qreal span;
    qreal headingDegrees; // 0 is nose up, clockwise
};

void fillAircraft(QPainter& painter, const AircraftPlacement& placement, const QColor& colour);

// Fills the aircraft and traces its outline, for pictograms on light buttons.
void outlineAircraft(QPainter& painter, const AircraftPlacement& placement, const QColor& fill,
                     const QColor& outline, qreal outlineWidth);

} // namespace quorvel::pictures
