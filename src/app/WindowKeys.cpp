#include "WindowKeys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

void WindowKeys::watch(QWidget* window) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (qobject_cast<QPushButton*>(child) || qobject_cast<QLineEdit*>(child) ||
            qobject_cast<QComboBox*>(child))
            child->installEventFilter(this);
    }
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;

    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && modifiers == Qt::NoModifier && button->isEnabled()) {
            button->click();
            return true;
        }
        return false;
    }
    // An access key the window does not have (Alt+D) arrives here as an ordinary key press
    // carrying its letter. Alt with keys that type nothing (Alt+Down opens a list) stays.
    const bool alt = (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
    return alt && !key->text().isEmpty() && key->text().at(0).isPrint();
}
