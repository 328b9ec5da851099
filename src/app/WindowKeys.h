// WindowKeys: keyboard rules the standard controls do not follow by themselves. Enter and
// keypad Enter click a focused button, as Space does; Alt with a letter or digit is left to
// the window's access keys and never types into an edit box or picks an entry of a list.
#pragma once

#include <QObject>

class QWidget;

class WindowKeys : public QObject {
    Q_OBJECT
public:
    explicit WindowKeys(QObject* parent = nullptr) : QObject(parent) {}
    // Applies the rules to every push button, edit box and list among the window's children.
    void watch(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
