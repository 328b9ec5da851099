// StoredValue: property values from a PropertyBag, and fonts in storable form.
#include "StoredValue.h"

#include <QLocale>
#include <QMetaType>
#include <cmath>
#include <limits>

namespace StoredValue {

namespace {

bool IsNumber(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

bool IsText(const QVariant& value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray;
}

// A number from a numeric value or from text such as "42" or " 3.5 "; none for anything else.
std::optional<double> ToNumber(const QVariant& value) {
    bool ok = false;
    double number = 0;
    if (IsNumber(value)) {
        number = value.toDouble(&ok);
    } else if (IsText(value)) {
        number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
    }
    if (!ok || !std::isfinite(number)) return std::nullopt;
    return number;
}

std::optional<int64_t> ToWhole(const QVariant& value, double lowest, double highest) {
    const auto number = ToNumber(value);
    if (!number) return std::nullopt;
    const double whole = std::nearbyint(*number);
    if (whole < lowest || whole > highest) return std::nullopt;
    return static_cast<int64_t>(whole);
}

}  // namespace

std::optional<int32_t> ToInt32(const QVariant& value) {
    const auto whole =
        ToWhole(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    if (!whole) return std::nullopt;
    return static_cast<int32_t>(*whole);
}

std::optional<Colour> ToColour(const QVariant& value) {
    const auto whole =
        ToWhole(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<uint32_t>::max());
    if (!whole) return std::nullopt;
    return static_cast<Colour>(static_cast<uint64_t>(*whole) & 0xFFFFFFFFu);
}

std::optional<bool> ToBool(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    if (IsText(value)) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    const auto number = ToNumber(value);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<QString> ToText(const QVariant& value) {
    if (IsText(value) || IsNumber(value)) return value.toString();
    return std::nullopt;
}

QVariant FromColour(Colour colour) {
    return QVariant::fromValue<qint64>(colour);
}

QVariant FromFont(const QFont& font) {
    return QVariant::fromValue(font);
}

std::optional<QFont> ToFont(const QVariant& value) {
    if (value.typeId() != QMetaType::QFont) return std::nullopt;
    return value.value<QFont>();
}

}  // namespace StoredValue
