// StoredValue: converting the values of a PropertyBag (as written by the program, or read
// back from a JSON resource) into property values, and fonts into a storable form. A value
// that cannot be converted gives none, so the property it was meant for stays as it is.
#pragma once

#include "Surface.h"

#include <QFont>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace StoredValue {

// Whole numbers, numbers with a fraction (rounded half to even) and numeric text, in range.
std::optional<int32_t> ToInt32(const QVariant& value);
// A colour number; negative 32-bit numbers keep their bit pattern.
std::optional<Colour> ToColour(const QVariant& value);
// true/false, a number (non-zero is true) or the text "true"/"false" in any case.
std::optional<bool> ToBool(const QVariant& value);
// Text, or a number written out.
std::optional<QString> ToText(const QVariant& value);
// A colour as it is stored: its colour number, never negative.
QVariant FromColour(Colour colour);

// A font is stored as a QFont (the bag gives it its JSON form).
QVariant FromFont(const QFont& font);
std::optional<QFont> ToFont(const QVariant& value);

}  // namespace StoredValue
