// StoredProperties: the main window's stored properties of its self-drawn controls. They are
// resources of the program (src/app/stored/<control name>.json, names in lower case), read at
// start-up; nothing writes them back.
#pragma once

#include "PropertyBag.h"

#include <QString>

// The stored properties of the control of that name, names matched without regard to case;
// an empty bag (every property at its default) when the program holds none for it.
PropertyBag StoredProperties(const QString& controlName);
