// ListAccessible: what a screen reader is told of a drop-down list that the user cannot type
// into: the list's name (its own accessible name, else its label's text) as the name, and the
// chosen entry as the value, so that it says "Genre, TopTen". Qt's own interface for such a list
// on Linux gives the chosen entry as the name as well, and the list is never named.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox* list);
    // For QAccessible::installFactory: this interface for a list that cannot be typed into,
    // nothing for other objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QString text(QAccessible::Text t) const override;
    // The one child is the list of entries that opens below it, as in Qt's own interface.
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    // Press and "show menu" open the entries, or close them when open.
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QComboBox* list() const;
};
