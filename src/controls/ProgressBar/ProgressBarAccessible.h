// How assistive technology sees the progress bar: a progress bar whose name is the caption it
// shows, with its value and bounds.
#pragma once

#include <QAccessibleWidget>

class ProgressBar;

class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(ProgressBar* bar);

    // For QAccessible::installFactory: this interface for a ProgressBar, nothing for others.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // The value is the program's to set, not the user's.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    const ProgressBar* bar() const;
};
