#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Artwork {

QPixmap bannerPixmap(const QSize& size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sweep(0, 0, size.width(), size.height());
    sweep.setColorAt(0.0, QColor(16, 32, 82));
    sweep.setColorAt(0.6, QColor(30, 78, 140));
    sweep.setColorAt(1.0, QColor(22, 120, 150));
    painter.fillRect(QRect(QPoint(0, 0), size), sweep);
    // Concentric arcs spreading from the right, like a signal leaving a mast.
    const QPointF origin(size.width() * 0.92, size.height() * 0.55);
    for (int ring = 1; ring <= 9; ++ring) {
        const double radius = ring * size.height() * 0.45;
        painter.setPen(QPen(QColor(255, 255, 255, 34 - ring * 3), 2.0));
        painter.drawArc(QRectF(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius),
                        100 * 16, 160 * 16);
    }
    return pixmap;
}

QPixmap logoPixmap(int size, qreal ratio) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QRadialGradient badge(QPointF(s * 0.35, s * 0.3), s * 0.75);
    badge.setColorAt(0.0, QColor(255, 196, 64));
    badge.setColorAt(1.0, QColor(214, 96, 20));
    painter.setBrush(badge);
    painter.setPen(QPen(QColor(255, 255, 255), s / 24.0));
    painter.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
    // The mast: a narrow triangle on the badge's lower half.
    QPainterPath mast;
    mast.moveTo(s * 0.5, s * 0.42);
    mast.lineTo(s * 0.36, s * 0.84);
    mast.lineTo(s * 0.64, s * 0.84);
    mast.closeSubpath();
    painter.setBrush(QColor(255, 255, 255));
    painter.setPen(Qt::NoPen);
    painter.drawPath(mast);
    painter.drawEllipse(QPointF(s * 0.5, s * 0.38), s * 0.06, s * 0.06);
    // Waves on both sides of the mast's tip.
    painter.setBrush(Qt::NoBrush);
    for (int wave = 1; wave <= 2; ++wave) {
        const double r = s * (0.1 + 0.1 * wave);
        painter.setPen(QPen(QColor(255, 255, 255), s / 16.0, Qt::SolidLine, Qt::RoundCap));
        const QRectF box(s * 0.5 - r, s * 0.38 - r, 2 * r, 2 * r);
        painter.drawArc(box, 30 * 16, 120 * 16);
    }
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(logoPixmap(size));
    return icon;
}

}  // namespace Artwork
