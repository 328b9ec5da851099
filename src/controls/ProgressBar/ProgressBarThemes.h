// The progress bar's fixed colour themes.
#pragma once

#include "Surface.h"

#include <array>
#include <cstdint>

constexpr int32_t FixedThemeCount = 9;  // themes 1..9 have fixed colours
constexpr int32_t CustomTheme = 10;     // derived from PBSCustomeColor1 and PBSCustomeColor2

// The colours of palette slots 0, 2, 4, ..., 16 of fixed theme 1..FixedThemeCount.
using ThemeColours = std::array<Colour, 9>;
const ThemeColours& FixedTheme(int32_t theme);
