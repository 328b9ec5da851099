// The progress bar's fixed colour themes: a light track, a saturated fill and an outline in
// the fill's hue (theme 8 is orange on cream, theme 9 green on grey).
#include "ProgressBarThemes.h"

#include <cassert>

namespace {

constexpr Colour C(int red, int green, int blue) {
    return RGBColour(red, green, blue);
}

// Per theme: track top band start, end; track bottom band start, end; fill top band start,
// end; fill bottom band start, end; outline.
constexpr std::array<ThemeColours, FixedThemeCount> kThemes = {{
    {C(248, 246, 242), C(233, 227, 211), C(226, 215, 182), C(239, 233, 215), C(251, 244, 223),
     C(239, 213, 133), C(203, 166, 57), C(237, 224, 187), C(204, 168, 62)},
    {C(247, 248, 242), C(231, 233, 211), C(222, 226, 182), C(237, 239, 215), C(249, 251, 223),
     C(230, 239, 133), C(190, 203, 57), C(233, 237, 187), C(192, 204, 62)},
    {C(242, 248, 243), C(211, 233, 213), C(182, 226, 186), C(215, 239, 217), C(223, 251, 225),
     C(133, 239, 142), C(57, 203, 70), C(187, 237, 191), C(62, 204, 74)},
    {C(242, 248, 247), C(211, 233, 231), C(182, 226, 222), C(215, 239, 237), C(223, 251, 249),
     C(133, 239, 230), C(57, 203, 190), C(187, 237, 233), C(62, 204, 192)},
    {C(243, 242, 248), C(213, 211, 233), C(186, 182, 226), C(217, 215, 239), C(225, 223, 251),
     C(142, 133, 239), C(70, 57, 203), C(191, 187, 237), C(74, 62, 204)},
    {C(248, 242, 247), C(233, 211, 231), C(226, 182, 222), C(239, 215, 237), C(251, 223, 249),
     C(239, 133, 230), C(203, 57, 190), C(237, 187, 233), C(204, 62, 192)},
    {C(248, 242, 242), C(233, 211, 211), C(226, 182, 182), C(239, 215, 215), C(251, 223, 223),
     C(239, 133, 133), C(203, 57, 57), C(237, 187, 187), C(204, 62, 62)},
    {C(250, 253, 254), C(228, 243, 252), C(199, 230, 249), C(237, 247, 253), C(225, 247, 255),
     C(67, 208, 255), C(63, 112, 233), C(63, 226, 246), C(23, 139, 211)},
    {C(231, 243, 232), C(225, 219, 225), C(179, 189, 179), C(226, 238, 226), C(223, 251, 223),
     C(108, 255, 108), C(26, 228, 26), C(217, 244, 217), C(188, 184, 188)},
}};

}  // namespace

const ThemeColours& FixedTheme(int32_t theme) {
    assert(theme >= 1 && theme <= FixedThemeCount);
    return kThemes[static_cast<size_t>(theme - 1)];
}
