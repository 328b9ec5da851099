// PropertyBag: a control's stored properties, named values read and written with a default.
// A value equal to its default is not written, and a missing name reads as the default.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class PropertyBag {
public:
    explicit PropertyBag(Qt::CaseSensitivity nameCase = Qt::CaseSensitive);

    QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const;
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue);

    bool contains(const QString& name) const;
    Qt::CaseSensitivity nameCase() const { return m_nameCase; }
    QVariantMap values() const { return m_values; }

    // The program keeps its controls' stored properties as JSON resources.
    static PropertyBag fromJson(const QJsonObject& object,
                                Qt::CaseSensitivity nameCase = Qt::CaseSensitive);
    QJsonObject toJson() const;

private:
    QString keyFor(const QString& name) const;

    Qt::CaseSensitivity m_nameCase;
    QVariantMap m_values;
};
