#include "GFXFrameX.h"

GFXFrameX::GFXFrameX(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 246));
    setPalette(palette);
}
