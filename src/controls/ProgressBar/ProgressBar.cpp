#include "ProgressBar.h"

#include <QPainter>

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {}

void ProgressBar::setValue(int NewValue) {
    m_Value = qBound(0, NewValue, 100);
    update();
}

void ProgressBar::setText(const QString& NewValue) {
    m_Text = NewValue;
    update();
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(231, 243, 232));
    painter.fillRect(QRect(0, 0, width() * m_Value / 100, height()), QColor(108, 255, 108));
    painter.drawText(rect(), Qt::AlignCenter, m_Text);
}
