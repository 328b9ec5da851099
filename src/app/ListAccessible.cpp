#include "ListAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

ListAccessible::ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

QAccessibleInterface* ListAccessible::create(const QString& className, QObject* object) {
    auto* list = qobject_cast<QComboBox*>(object);
    if (list == nullptr || list->isEditable() ||
        className != QLatin1String(QComboBox::staticMetaObject.className()))
        return nullptr;
    return new ListAccessible(list);
}

QComboBox* ListAccessible::list() const {
    return static_cast<QComboBox*>(object());
}

QString ListAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return list()->currentText();
    const QString text = QAccessibleWidget::text(t);
    // A list with no name and no label is at least told by what it shows.
    if (t == QAccessible::Name && text.isEmpty()) return list()->currentText();
    return text;
}

int ListAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* ListAccessible::child(int index) const {
    return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
}

int ListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child && child->object() == list()->view() ? 0 : -1;
}

QStringList ListAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void ListAccessible::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction()) return;
    if (list()->view()->isVisible())
        list()->hidePopup();
    else
        list()->showPopup();
}

QStringList ListAccessible::keyBindingsForAction(const QString&) const {
    return {};
}
