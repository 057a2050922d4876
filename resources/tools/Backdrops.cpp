#include "Backdrops.h"

#include "Palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace quorvel::pictures {

void fillNightSky(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, kNavyLight);
    sky.setColorAt(1, kNavy);
    painter.fillRect(area, sky);
}

void fillOliveBand(QPainter& painter, const QRectF& area) {
    QLinearGradient band(area.topLeft(), area.bottomLeft());
    band.setColorAt(0, kOlive);
    band.setColorAt(1, kOliveDark);
    painter.fillRect(area, band);
    painter.fillRect(QRectF(area.left(), area.top(), area.width(), 1), kKhaki);
}

void drawReticle(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
    painter.save();
    painter.setPen(QPen(colour, std::max(1.0, radius / 30)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    const qreal tick = radius * 0.16;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const qreal angle = quarter * M_PI / 2;
        const QPointF direction(qCos(angle), qSin(angle));
        painter.drawLine(centre + direction * (radius - tick),
                         centre + direction * (radius + tick));
    }
    painter.restore();
}

void drawInnerFrame(QPainter& painter, const QRectF& picture, const QColor& colour) {
    painter.save();
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(picture.adjusted(3.5, 3.5, -3.5, -3.5));
    painter.restore();
}

void drawCapitals(QPainter& painter, const QString& text, const QRectF& box, int pixelSize,
                  const QColor& colour, Qt::Alignment alignment, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.14);
    font.setHintingPreference(QFont::PreferFullHinting);
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, static_cast<int>(alignment), text.toUpper());
    painter.restore();
}

} // namespace quorvel::pictures
