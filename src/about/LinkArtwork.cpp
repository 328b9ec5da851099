#include "LinkArtwork.h"

#include "MakerAddresses.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace LinkArtwork {

namespace {

const QColor kPurple(128, 0, 128);
const QColor kQuietGrey(112, 112, 120);

// A small globe: a circle with a meridian and two parallels.
void drawGlobe(QPainter& painter, const QRectF& box, const QColor& colour) {
    painter.setPen(QPen(colour, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(box);
    painter.drawEllipse(box.adjusted(box.width() * 0.3, 0, -box.width() * 0.3, 0));
    const double third = box.height() / 3.0;
    painter.drawLine(QPointF(box.left() + 2, box.top() + third),
                     QPointF(box.right() - 2, box.top() + third));
    painter.drawLine(QPointF(box.left() + 2, box.top() + 2 * third),
                     QPointF(box.right() - 2, box.top() + 2 * third));
}

QPixmap drawLink(bool active) {
    QPixmap pixmap(LinkSize);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF tag = QRectF(pixmap.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath outline;
    outline.addRoundedRect(tag, 9, 9);
    if (active) {
        QLinearGradient glow(tag.topLeft(), tag.bottomLeft());
        glow.setColorAt(0.0, QColor(250, 236, 250));
        glow.setColorAt(1.0, QColor(232, 204, 236));
        painter.fillPath(outline, glow);
    }
    painter.setPen(QPen(active ? kPurple : QColor(208, 208, 214), 1.5));
    painter.drawPath(outline);

    const QColor ink = active ? kPurple : kQuietGrey;
    drawGlobe(painter, QRectF(10, 9, 27, 27), ink);

    QFont name(QStringLiteral("Verdana"));
    name.setPixelSize(14);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(ink);
    painter.drawText(QRectF(46, 4, 182, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Visit Kestrelware"));

    QFont address(QStringLiteral("Verdana"));
    address.setPixelSize(11);
    address.setUnderline(active);
    painter.setFont(address);
    painter.drawText(QRectF(46, 23, 182, 17), Qt::AlignLeft | Qt::AlignVCenter, MakerAddressText());
    return pixmap;
}

}  // namespace

QPixmap normalLink() {
    return drawLink(false);
}
QPixmap activeLink() {
    return drawLink(true);
}

}  // namespace LinkArtwork
