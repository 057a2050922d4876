#include "StencilLettering.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

namespace quorvel::pictures {

namespace {

constexpr qreal kHeight = 100;
constexpr qreal kStroke = 22;
constexpr qreal kGap = 7;
constexpr qreal kSpacing = 13;

QPainterPath rect(qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// The bridge that splits a stroke, as a stencil plate needs to hold its counters.
QPainterPath bridge(qreal x, qreal top, qreal bottom) {
    return rect(x, top, kGap, bottom - top);
}

QPainterPath ring(qreal width) {
    QPainterPath outer;
    outer.addRoundedRect(0, 0, width, kHeight, width / 2, 40);
    QPainterPath inner;
    inner.addRoundedRect(kStroke, kStroke, width - 2 * kStroke, kHeight - 2 * kStroke,
                         width / 2 - kStroke, 40 - kStroke);
    return outer.subtracted(inner);
}

QPainterPath letterO(qreal width) {
    const qreal middle = width / 2 - kGap / 2;
    return ring(width)
        .subtracted(bridge(middle, -1, kStroke + 1))
        .subtracted(bridge(middle, kHeight - kStroke - 1, kHeight + 1));
}

QPainterPath letterQ(qreal width) {
    const QPainterPath tail = polygon({{width * 0.52, kHeight * 0.66},
                                       {width * 0.52 + kStroke, kHeight * 0.66},
                                       {width + 6, kHeight + 4},
                                       {width + 6 - kStroke, kHeight + 4}});
    return letterO(width).united(tail).subtracted(
        bridge(width / 2 - kGap / 2, kHeight - kStroke - 1, kHeight + 1));
}

QPainterPath letterU(qreal width) {
    QPainterPath outer;
    outer.addRoundedRect(0, -kHeight, width, 2 * kHeight, width / 2, 42);
    QPainterPath inner;
    inner.addRoundedRect(kStroke, -kHeight - kStroke, width - 2 * kStroke, 2 * kHeight,
                         width / 2 - kStroke, 42 - kStroke);
    return outer.intersected(rect(0, 0, width, kHeight))
        .subtracted(inner)
        .subtracted(bridge(width / 2 - kGap / 2, kHeight - kStroke - 1, kHeight + 1));
}

QPainterPath letterR(qreal width) {
    const qreal bowlHeight = 58;
    const qreal radius = bowlHeight / 2;
    QPainterPath bowl = rect(0, 0, width - radius, bowlHeight);
    QPainterPath round;
    round.addRoundedRect(0, 0, width, bowlHeight, radius, radius);
    bowl = bowl.united(round);
    const qreal innerRadius = radius - kStroke;
    QPainterPath counter =
        rect(kStroke, kStroke, width - kStroke - radius, bowlHeight - 2 * kStroke);
    QPainterPath counterRound;
    counterRound.addRoundedRect(kStroke, kStroke, width - 2 * kStroke, bowlHeight - 2 * kStroke,
                                innerRadius, innerRadius);
    bowl = bowl.subtracted(counter.united(counterRound));
    const QPainterPath leg = polygon({{width * 0.42, bowlHeight - kStroke},
                                      {width * 0.42 + kStroke * 1.1, bowlHeight - kStroke},
                                      {width, kHeight},
                                      {width - kStroke * 1.15, kHeight}});
    return rect(0, 0, kStroke, kHeight)
        .united(bowl)
        .united(leg)
        .subtracted(bridge(kStroke, -1, kHeight + 1));
}

QPainterPath letterV(qreal width) {
    const qreal middle = width / 2;
    return polygon({{0, 0},
                    {kStroke + 2, 0},
                    {middle, kHeight * 0.72},
                    {width - kStroke - 2, 0},
                    {width, 0},
                    {middle + 12, kHeight},
                    {middle - 12, kHeight}})
        .subtracted(bridge(middle - kGap / 2, kHeight * 0.6, kHeight + 1));
}

QPainterPath letterE(qreal width) {
    return rect(0, 0, kStroke, kHeight)
        .united(rect(0, 0, width, kStroke))
        .united(rect(0, (kHeight - kStroke) / 2, width - 8, kStroke))
        .united(rect(0, kHeight - kStroke, width, kStroke))
        .subtracted(bridge(kStroke, -1, kHeight + 1));
}

QPainterPath letterL(qreal width) {
    return rect(0, 0, kStroke, kHeight)
        .united(rect(0, kHeight - kStroke, width, kStroke))
        .subtracted(bridge(kStroke, -1, kHeight + 1));
}

struct Glyph {
    QPainterPath path;
    qreal advance;
};

Glyph glyphFor(QChar letter) {
    switch (letter.toUpper().unicode()) {
    case 'Q':
        return {letterQ(80), 86};
    case 'U':
        return {letterU(72), 72};
    case 'O':
        return {letterO(80), 80};
    case 'R':
        return {letterR(72), 72};
    case 'V':
        return {letterV(80), 80};
    case 'E':
        return {letterE(60), 60};
    case 'L':
        return {letterL(58), 58};
    default:
        return {{}, 0};
    }
}

} // namespace

QPainterPath stencilWord(QStringView word) {
    QPainterPath result;
    qreal x = 0;
    for (const QChar letter : word) {
        const Glyph glyph = glyphFor(letter);
        if (glyph.advance == 0)
            continue;
        if (x > 0)
            x += kSpacing;
        result.addPath(glyph.path.translated(x, 0));
        x += glyph.advance;
    }
    return result;
}

void drawStencilWord(QPainter& painter, QStringView word, const QRectF& box, const QColor& colour,
                     Qt::Alignment alignment) {
    const QPainterPath path = stencilWord(word);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return;
    const qreal scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    const qreal slack = box.width() - bounds.width() * scale;
    qreal left = box.left() + slack / 2;
    if (alignment & Qt::AlignLeft)
        left = box.left();
    else if (alignment & Qt::AlignRight)
        left = box.right() - bounds.width() * scale;
    painter.save();
    painter.translate(left, box.center().y());
    painter.scale(scale, scale);
    painter.translate(-bounds.left(), -bounds.center().y());
    painter.fillPath(path, colour);
    painter.restore();
}

} // namespace quorvel::pictures
