#include "StatusLineBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
constexpr int kMargin = 3;  // pixels between the frame and the text
}

StatusLineBox::StatusLineBox(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void StatusLineBox::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    update();
}

void StatusLineBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
    const QRect inside = rect().adjusted(kMargin, 0, -kMargin, 0);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(m_text, Qt::ElideRight, inside.width()));
}
