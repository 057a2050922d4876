#include "windows/WindowPlacement.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

namespace quorvel {
namespace {

constexpr qreal kDesignPointSize = 8.0;
constexpr qreal kLargestNormalPointSize = 10.0;

QString DesignFamily() {
    // The layouts assume Arial's metrics: Windows has Arial itself, Linux gets
    // Liberation Sans, drawn to the same metrics.
#ifdef Q_OS_WIN
    return QStringLiteral("Arial");
#else
    return QStringLiteral("Liberation Sans");
#endif
}

// A plain container's children are placed by hand in the .ui file; a list's or a
// combo box's own parts are placed by the control itself and are left alone.
bool PlacesChildrenByHand(const QWidget* widget) {
    const QByteArray kind = widget->metaObject()->className();
    return widget->isWindow() || kind == "QWidget" || kind == "QFrame" ||
           qobject_cast<const QGroupBox*>(widget) != nullptr;
}

void ScaleChildGeometry(QWidget* container, qreal factor) {
    if (!PlacesChildrenByHand(container))
        return;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const QRectF place = QRectF(child->geometry());
        child->setGeometry(QRectF(place.topLeft() * factor, place.size() * factor).toRect());
        ScaleChildGeometry(child, factor);
    }
}

} // namespace

qreal FontGrowth(const QWidget* window) {
    // The program sets a text of a normal size to the design size at start.
    const qreal pointSize = window->font().pointSizeF();
    if (pointSize > 0 && pointSize <= kLargestNormalPointSize)
        return 1.0;
    QFont design(DesignFamily());
    design.setPointSizeF(kDesignPointSize);
    const qreal growth =
        QFontMetricsF(window->font(), window).height() / QFontMetricsF(design, window).height();
    return growth > 1.0 ? growth : 1.0;
}

void PlaceFixedCentred(QWidget* window) {
    // A window with a layout has already taken the size its text asks for.
    const qreal growth = window->layout() ? 1.0 : FontGrowth(window);
    QSize size = window->size();
    if (growth > 1.0) {
        ScaleChildGeometry(window, growth);
        size = (QSizeF(size) * growth).toSize();
    }
    window->setFixedSize(size);
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.png")));
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void UseWindowFont() {
    QFont font = QGuiApplication::font();
    if (QFontDatabase::hasFamily(DesignFamily()))
        font.setFamily(DesignFamily());
    if (font.pointSizeF() > 0 && font.pointSizeF() <= kLargestNormalPointSize)
        font.setPointSizeF(kDesignPointSize);
    QGuiApplication::setFont(font);
}

} // namespace quorvel
