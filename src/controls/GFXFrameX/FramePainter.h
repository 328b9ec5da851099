// FramePainter: the frame control's picture, painted on a Surface from its property values:
// a rectangle or rounded rectangle with border and fill over a soft drop shadow.
// Nothing here knows QWidget; the widget GFXFrameX only holds the values and shows the surface.
#pragma once

#include "Surface.h"

#include <cstdint>

// The frame's nine property values, with the defaults of a freshly placed control (apart from
// the two colours, which a fresh control takes from its host's background).
struct FrameProperties {
    int32_t FrameStyle = 1;      // 0 rounded, 1 rectangle, anything else no frame at all
    Colour BackColour = 0;       // own background, used when BackColourIs is not 0
    int32_t BackColourIs = 0;    // 0: background from the host
    Colour FillColour = 0;       // fill of the body
    Colour BorderColour = 0;     // 1-pixel outline of the body
    int16_t CornerDepth = 10;    // corner ellipse width and height of the rounded style
    bool ShowShadow = true;      // drop shadow to the lower right
    int16_t ShadowOpacity = 50;  // per cent; 100 makes the inner shadow ring black
    int16_t ShadowDepth = 5;     // width and offset of the shadow band in pixels
};

namespace FramePainter {

constexpr int TwipsPerPixel = 15;

// Red, green and blue of a colour, and the colour number itself (one sample of the corner pass).
struct PixelSample {
    double Red = 0;
    double Green = 0;
    double Blue = 0;
    Colour Number = 0;
};

// Paints the whole control on the surface, which has the control's size in pixels. The
// background is BackColour when BackColourIs is set, otherwise hostBackColour.
void PaintFrame(Surface& surface, const FrameProperties& properties, Colour hostBackColour);

// The steps of PaintFrame after the clear, for tests that need a picture without smoothing.
// Both draw with the surface's back colour as the background.
void PaintShadowRings(Surface& surface, const FrameProperties& properties);
void PaintBody(Surface& surface, const FrameProperties& properties);

// Fills the background-coloured gaps that concentric rounded outlines leave at the three
// visible shadow corners with the average of their four neighbours, in place.
void SmoothShadowCorners(Surface& surface, int cornerDepth, int shadowDepth);

// The pixel above (0), right of (1), below (2) or left of (3) (x, y); 0 for other directions.
Colour NeighbourColour(const Surface& surface, int x, int y, int direction);

// Step `step` of `steps` of a blend from first towards second. Each channel moves in whole
// multiples of (first - second) / steps, the division truncating towards zero and coming
// before the multiplication.
Colour BlendColour(Colour first, Colour second, int16_t steps, int16_t step);

// The channels of a colour number, read as a signed 32-bit number: the invalid colour (all bits
// set) gives red 255, green 0, blue 0.
PixelSample SplitColour(Colour colour);

// Pixels from twips, to the nearest pixel with ties to even.
int PixelsFromTwips(int twips);

}  // namespace FramePainter
