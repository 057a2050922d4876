#include "ActionIcons.h"

#include "IconStyle.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace quorvel::pictures {

namespace {

// A navy disc with a khaki rim, the ground of the help and about marks.
void drawInfoDisc(QPainter& painter) {
    painter.setPen(QPen(kKhaki, 3));
    painter.setBrush(kNavy);
    painter.drawEllipse(QPointF(32, 32), 28, 28);
}

void drawDocument(QPainter& painter) {
    const qreal fold = 12;
    painter.setPen(inkPen());
    painter.setBrush(kCream);
    painter.drawPolygon(QPolygonF({{10, 4}, {46 - fold, 4}, {46, 4 + fold}, {46, 58}, {10, 58}}));
    painter.setBrush(kKhaki);
    painter.drawPolygon(QPolygonF({{46 - fold, 4}, {46 - fold, 4 + fold}, {46, 4 + fold}}));
    painter.setPen(QPen(kOlive, 4, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {24.0, 33.0, 42.0})
        painter.drawLine(QPointF(17, y), QPointF(36, y));
}

// A round arrow turning back anticlockwise, in a navy disc.
void drawBackArrow(QPainter& painter, QPointF centre, qreal radius) {
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(kNavy);
    painter.drawEllipse(centre, radius, radius);
    const qreal arc = radius * 0.55;
    const QRectF circle(centre.x() - arc, centre.y() - arc, 2 * arc, 2 * arc);
    painter.setPen(QPen(kKhakiLight, 3.5, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(circle, -60 * 16, 250 * 16);
    // Arrow head at the arc's end (190 degrees), pointing down.
    const QPointF tip(centre.x() - arc, centre.y() + arc * 0.55);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kKhakiLight);
    painter.drawPolygon(QPolygonF(
        {{tip.x() - 5.5, tip.y() - 5}, {tip.x() + 5.5, tip.y() - 5}, {tip.x(), tip.y() + 2.5}}));
}

} // namespace

void paintNewAddon(QPainter& painter) {
    drawPackage(painter);
    drawBadge(painter, {48, 48}, 14, BadgeMark::Plus);
}

void paintDeleteAddon(QPainter& painter) {
    drawPackage(painter);
    drawBadge(painter, {48, 48}, 14, BadgeMark::Minus);
}

void paintIniSettings(QPainter& painter) {
    struct Slider {
        qreal y;
        qreal knob;
    };
    for (const Slider slider : {Slider{14, 22}, Slider{32, 42}, Slider{50, 30}}) {
        painter.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(7, slider.y), QPointF(57, slider.y));
        painter.setPen(inkPen(3));
        painter.setBrush(kKhaki);
        painter.drawRoundedRect(QRectF(slider.knob - 6, slider.y - 9, 12, 18), 3, 3);
    }
}

void paintRestoreIni(QPainter& painter) {
    drawDocument(painter);
    drawBackArrow(painter, {45, 45}, 15);
}

void paintClearAll(QPainter& painter) {
    // Handle from the top right down to the binding.
    painter.setPen(QPen(kInk, 9, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(56, 6), QPointF(32, 32));
    painter.setPen(QPen(kKhakiDark, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(56, 6), QPointF(32, 32));
    // Bristles fanning out to the bottom left.
    QPainterPath bristles;
    bristles.moveTo(26, 28);
    bristles.lineTo(36, 38);
    bristles.quadTo(32, 52, 22, 60);
    bristles.lineTo(4, 42);
    bristles.quadTo(12, 32, 26, 28);
    painter.setPen(inkPen());
    painter.setBrush(kKhaki);
    painter.drawPath(bristles);
    painter.setPen(QPen(kKhakiDark, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(24, 40), QPointF(12, 50));
    painter.drawLine(QPointF(28, 44), QPointF(18, 55));
    // Binding band.
    painter.setPen(QPen(kOlive, 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(25, 30), QPointF(34, 39));
    // Swept dust.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    for (const QPointF dust : {QPointF(44, 54), QPointF(52, 50), QPointF(54, 59)})
        painter.drawEllipse(dust, 2.6, 2.6);
}

void paintHelp(QPainter& painter) {
    drawInfoDisc(painter);
    painter.setPen(QPen(kKhakiLight, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(22.5, 24);
    hook.cubicTo(22.5, 12, 41.5, 12, 41.5, 24);
    hook.cubicTo(41.5, 31, 32, 31, 32, 39);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kKhakiLight);
    painter.drawEllipse(QPointF(32, 48.5), 4.5, 4.5);
}

void paintAbout(QPainter& painter) {
    drawInfoDisc(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kKhakiLight);
    painter.drawEllipse(QPointF(32, 17.5), 5, 5);
    painter.drawRoundedRect(QRectF(27.5, 26, 9, 24), 2.5, 2.5);
    painter.drawRoundedRect(QRectF(23, 26, 13, 5), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(23, 46, 18, 5), 1.5, 1.5);
}

void paintGameFolder(QPainter& painter) {
    painter.setPen(inkPen());
    painter.setBrush(kKhakiDark);
    painter.drawPolygon(QPolygonF({{5, 12}, {23, 12}, {29, 18}, {57, 18}, {57, 54}, {5, 54}}));
    // The front flap, tilted open.
    painter.setBrush(kKhaki);
    painter.drawPolygon(QPolygonF({{5, 54}, {11, 26}, {61, 26}, {57, 54}}));
}

// The game starts: a khaki triangle pointing right in the navy disc.
void paintPlay(QPainter& painter) {
    drawInfoDisc(painter);
    painter.setPen(QPen(kKhakiLight, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kKhakiLight);
    painter.drawPolygon(QPolygonF({{25, 17}, {47, 32}, {25, 47}}));
}

// The library's folder: the game folder's shape holding an add-on's package.
void paintLibraryFolder(QPainter& painter) {
    paintGameFolder(painter);
    painter.save();
    painter.translate(30, 4);
    painter.scale(0.5, 0.5);
    drawPackage(painter);
    painter.restore();
}

} // namespace quorvel::pictures
