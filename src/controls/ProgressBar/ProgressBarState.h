// ProgressBarState: the property values of one progress bar, as its painter reads them. The
// widget owns one and changes it only through its setters; the painter refills the palette.
#pragma once

#include "Surface.h"

#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

// Palette slots: each band of the track and of the fill blends from a start to an end colour.
// The odd slots repeat the slot before them and nothing draws from them.
namespace PaletteIndex {
constexpr int TrackTopStart = 0;
constexpr int TrackTopEnd = 2;
constexpr int TrackBottomStart = 4;
constexpr int TrackBottomEnd = 6;
constexpr int FillTopStart = 8;
constexpr int FillTopEnd = 10;
constexpr int FillBottomStart = 12;
constexpr int FillBottomEnd = 14;
constexpr int Outline = 16;
constexpr int Count = 17;
}  // namespace PaletteIndex

struct ProgressBarState {
    int32_t TextStyle = 0;     // 1 the number Value, 2 the percentage, 3 Text; else no caption
    int32_t Theme = 0;         // 1..9 fixed palettes, 10 from the two custom colours; else kept
    int32_t Orientations = 0;  // 1 fills from the left, 2 from the top; else no track, no fill
    QString Text;              // the custom caption
    Colour TextForeColor = 0;
    int32_t TextAlignment = 0;  // 1..9: a 3 x 3 grid read row by row down the left, centre, right
    Colour TextEffectColor = 0;
    int32_t TextEffect = 0;    // 1 plain, 2 raised, 3 sunken, 4 outline, 5 shadow; else no caption
    int32_t RoundedValue = 0;  // corner ellipse of the outline and window shape, in pixels
    int32_t Min = 0;           // 0 or more, below Max
    int32_t Value = 0;         // within Min..Max once set through the setter
    int32_t Max = 0;           // 1 or more, above Min
    bool Enabled = false;      // false draws the bar and caption in grey
    std::array<Colour, PaletteIndex::Count> Palette{};  // the current theme, refilled each paint
    Colour PBSCustomeColor1 = 0;                        // theme 10: the fill's base colour
    Colour PBSCustomeColor2 = 0;  // theme 10: the track's and the outline's base colour

    bool operator==(const ProgressBarState&) const = default;
};

// Fraction to integer the way the whole bar does it: nearest, halves to the even neighbour
// (2.5 gives 2, 3.5 gives 4). Out-of-range values stop at the ends of int32; NaN gives 0.
inline int32_t NearestHalfEven(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (rounded >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}

// Value * 100 / Max, not reduced by Min. A bar whose properties are not read yet (Max 0)
// counts as 0.
inline double BarPercent(const ProgressBarState& state) {
    if (state.Max == 0) return 0.0;
    return static_cast<double>(state.Value) * 100.0 / state.Max;
}
