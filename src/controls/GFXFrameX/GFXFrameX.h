// GFXFrameX: the program's own frame behind a group of controls. (Stand-in until the
// self-drawn control arrives: a plain container in its fill colour.)
#pragma once

#include <QWidget>

class GFXFrameX : public QWidget {
    Q_OBJECT
public:
    explicit GFXFrameX(QWidget* parent = nullptr);
};
