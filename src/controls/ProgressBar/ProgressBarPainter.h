// ProgressBarPainter: paints a progress bar from its property values onto a Surface: the
// themed palette, the two-band gradients of the track and the fill, the outline, the caption.
// Knows nothing of widgets, so tests can paint and read pixels directly.
#pragma once

#include "ProgressBarState.h"
#include "Surface.h"

#include <QRegion>
#include <cstdint>

namespace ProgressBarPainter {

// Paints the whole bar over the surface's full size and refills state.Palette. Returns the
// window shape the bar's widget is to take: a rectangle rounded by RoundedValue.
QRegion DrawBar(Surface& surface, ProgressBarState& state);

// Fills state.Palette for Theme 1..9 (fixed colours) or 10 (from the two custom colours);
// any other Theme leaves the palette as it was.
void LoadThemePalette(ProgressBarState& state);

// Fills the rectangle (Left, Top)..(Right, Bottom) with a two-colour gradient: Direction 0
// blends left to right, 1 top to bottom; any other direction draws nothing. The last two
// parameters are the right and bottom edges, not a size.
void GradientTwoColour(Surface& hdc, int32_t Direction, Colour StartColor, Colour EndColor,
                       int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);

// Paints a Width x Height block blending between four corner colours, one 24-bit scan line at
// a time. The bottom and right corner colours themselves are approached, not reached. Throws
// std::invalid_argument when Width is below 1 or Height below 0.
void DrawGradientFourColour(Surface& ObjectHDC, int32_t Left, int32_t Top, int32_t Width,
                            int32_t Height, Colour TopLeftColour, Colour TopRightColour,
                            Colour BottomLeftColour, Colour BottomRightColour);

}  // namespace ProgressBarPainter
