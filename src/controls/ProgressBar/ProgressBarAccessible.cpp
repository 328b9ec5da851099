#include "ProgressBarAccessible.h"

#include "ProgressBar.h"
#include "ProgressBarCaption.h"

ProgressBarAccessible::ProgressBarAccessible(ProgressBar* bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

QAccessibleInterface* ProgressBarAccessible::create(const QString& className, QObject* object) {
    auto* bar = qobject_cast<ProgressBar*>(object);
    if (bar == nullptr || className != QLatin1String(ProgressBar::staticMetaObject.className()))
        return nullptr;
    return new ProgressBarAccessible(bar);
}

const ProgressBar* ProgressBarAccessible::bar() const {
    return static_cast<const ProgressBar*>(object());
}

// The caption is what a sighted user reads on the bar ("Ready", "Done"), so it is the name,
// and the text a screen reader gives for the value too.
QString ProgressBarAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name || t == QAccessible::Value)
        return CaptionFor(bar()->state()).value_or(QString());
    return QAccessibleWidget::text(t);
}

void* ProgressBarAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant ProgressBarAccessible::currentValue() const {
    return bar()->Value();
}

QVariant ProgressBarAccessible::maximumValue() const {
    return bar()->Max();
}

QVariant ProgressBarAccessible::minimumValue() const {
    return bar()->Min();
}
