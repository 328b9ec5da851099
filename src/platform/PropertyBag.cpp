// PropertyBag: named values with defaults, and their JSON form.
//
// JSON form of a bag: one object, one member per stored name.
//   - booleans and strings as themselves;
//   - whole numbers (and colour numbers 0x00BBGGRR) as JSON numbers;
//   - a QColor as its colour number, so {"FillColour": 16183536} is red 240, green 240, blue 246;
//   - a QFont as {"Name": face, "Size": points, "Bold": bool, "Italic": bool,
//     "Underline": bool, "Strikeout": bool}; only "Name" is required, the rest default to
//     8.25 points and false.
// Reading converts a stored value to the type of the default it is read with (a JSON number
// read with a QColor default gives that colour), and yields the default when it cannot.
#include "PropertyBag.h"

#include <QColor>
#include <QFont>
#include <QJsonValue>
#include <climits>
#include <cmath>

namespace {

constexpr double kDefaultFontPoints = 8.25;

bool IsWholeNumberType(const QMetaType& type) {
    switch (type.id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
            return true;
        default:
            return false;
    }
}

qint64 ColourNumber(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor ColourFromNumber(qint64 number) {
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

QJsonValue JsonFromValue(const QVariant& value) {
    const int type = value.metaType().id();
    if (type == QMetaType::QColor) return ColourNumber(value.value<QColor>());
    if (type == QMetaType::QFont) {
        const QFont font = value.value<QFont>();
        return QJsonObject{{"Name", font.family()},         {"Size", font.pointSizeF()},
                           {"Bold", font.bold()},           {"Italic", font.italic()},
                           {"Underline", font.underline()}, {"Strikeout", font.strikeOut()}};
    }
    if (type == QMetaType::Bool) return value.toBool();
    if (type == QMetaType::ULongLong || type == QMetaType::ULong)
        return static_cast<double>(value.toULongLong());
    if (IsWholeNumberType(value.metaType())) return value.toLongLong();
    return QJsonValue::fromVariant(value);
}

QVariant ValueFromJson(const QJsonValue& json) {
    if (json.isDouble()) {
        const double number = json.toDouble();
        if (std::trunc(number) == number && std::abs(number) < 9007199254740992.0) {
            const auto whole = static_cast<qint64>(number);
            if (whole >= INT_MIN && whole <= INT_MAX) return static_cast<int>(whole);
            return whole;
        }
        return number;
    }
    if (json.isObject() && json.toObject().contains(QStringLiteral("Name"))) {
        const QJsonObject object = json.toObject();
        QFont font(object.value("Name").toString());
        font.setPointSizeF(object.value("Size").toDouble(kDefaultFontPoints));
        font.setBold(object.value("Bold").toBool(false));
        font.setItalic(object.value("Italic").toBool(false));
        font.setUnderline(object.value("Underline").toBool(false));
        font.setStrikeOut(object.value("Strikeout").toBool(false));
        return font;
    }
    return json.toVariant();
}

// The stored value as the default's type, or an invalid variant when it cannot be one.
QVariant ConvertLike(const QVariant& stored, const QVariant& defaultValue) {
    if (!defaultValue.isValid() || stored.metaType() == defaultValue.metaType()) return stored;
    const int wanted = defaultValue.metaType().id();
    if (wanted == QMetaType::QColor && IsWholeNumberType(stored.metaType()))
        return ColourFromNumber(stored.toLongLong());
    QVariant converted = stored;
    if (stored.metaType().id() == QMetaType::QColor && IsWholeNumberType(defaultValue.metaType()))
        converted = ColourNumber(stored.value<QColor>());
    if (!converted.convert(defaultValue.metaType())) return {};
    return converted;
}

}  // namespace

PropertyBag::PropertyBag(Qt::CaseSensitivity nameCase) : m_nameCase(nameCase) {}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    const auto found = m_values.constFind(keyFor(name));
    if (found == m_values.constEnd()) return defaultValue;
    const QVariant value = ConvertLike(found.value(), defaultValue);
    return value.isValid() ? value : defaultValue;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    const QString key = keyFor(name);
    // A value equal to its default is left out, and an older value under the name goes too:
    // reading the name afterwards must give the default.
    if (value == defaultValue)
        m_values.remove(key);
    else
        m_values.insert(key, value);
}

bool PropertyBag::contains(const QString& name) const {
    return m_values.contains(keyFor(name));
}

PropertyBag PropertyBag::fromJson(const QJsonObject& object, Qt::CaseSensitivity nameCase) {
    PropertyBag bag(nameCase);
    for (auto member = object.begin(); member != object.end(); ++member) {
        const QString key = bag.keyFor(member.key());
        if (!bag.m_values.contains(key)) bag.m_values.insert(key, ValueFromJson(member.value()));
    }
    return bag;
}

QJsonObject PropertyBag::toJson() const {
    QJsonObject object;
    for (auto value = m_values.begin(); value != m_values.end(); ++value)
        object.insert(value.key(), JsonFromValue(value.value()));
    return object;
}

// With names matched regardless of case, a name keeps the spelling it was first stored under.
QString PropertyBag::keyFor(const QString& name) const {
    if (m_nameCase == Qt::CaseSensitive) return name;
    for (auto key = m_values.keyBegin(); key != m_values.keyEnd(); ++key)
        if (key->compare(name, Qt::CaseInsensitive) == 0) return *key;
    return name;
}
