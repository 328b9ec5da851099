// FramePainter: the frame's picture. The shadow is SD + 1 concentric outlines fading from a
// dark ring next to the body out to the background; rounded outlines one pixel apart leave
// background-coloured gaps along their curves, which the corner pass fills.
#include "FramePainter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace FramePainter {

namespace {

// The setters never store a depth above 50; a larger one from a store is painted as 50, which
// also keeps a hostile store from asking for thousands of rings.
constexpr int kDeepestShadow = 50;

// The shadow is drawn for a depth of at least one pixel. A depth of 0 or less can only come
// from a store; it would blend over zero steps, so the frame is then painted without a shadow.
int PaintedShadowDepth(const FrameProperties& properties) {
    if (!properties.ShowShadow || properties.ShadowDepth < 1) return 0;
    return std::min<int>(properties.ShadowDepth, kDeepestShadow);
}

void DrawShape(Surface& surface, const FrameProperties& properties, int left, int top, int right,
               int bottom) {
    if (properties.FrameStyle == 0)
        surface.RoundRect(left, top, right, bottom, properties.CornerDepth, properties.CornerDepth);
    else
        surface.Rectangle(left, top, right, bottom);
}

Colour ColourFromChannels(double red, double green, double blue) {
    return static_cast<Colour>(std::nearbyint(red) + 256 * std::nearbyint(green) +
                               65536 * std::nearbyint(blue));
}

}  // namespace

void PaintFrame(Surface& surface, const FrameProperties& properties, Colour hostBackColour) {
    surface.setBackColour(properties.BackColourIs != 0 ? properties.BackColour : hostBackColour);
    surface.clear();
    if (properties.FrameStyle != 0 && properties.FrameStyle != 1) return;
    if (PaintedShadowDepth(properties) > 0) {
        PaintShadowRings(surface, properties);
        if (properties.FrameStyle == 0)
            SmoothShadowCorners(surface, properties.CornerDepth, PaintedShadowDepth(properties));
    }
    PaintBody(surface, properties);
}

void PaintShadowRings(Surface& surface, const FrameProperties& properties) {
    const int depth = PaintedShadowDepth(properties);
    if (depth == 0) return;
    const Colour background = surface.backColour();
    // A store may hold an opacity the setter would have clamped; outside 0..100 the blend
    // would leave the colour range.
    const int opacity = std::clamp<int>(properties.ShadowOpacity, 0, 100);
    const Colour darkest = BlendColour(0, background, 100, static_cast<int16_t>(100 - opacity));
    const int width = surface.width();
    const int height = surface.height();
    surface.setFillStyle(1);
    for (int ring = 0; ring <= depth; ++ring) {
        surface.setForeColour(BlendColour(darkest, background, static_cast<int16_t>(depth),
                                          static_cast<int16_t>(ring)));
        DrawShape(surface, properties, 2 * depth - ring, 2 * depth - ring, width - depth + ring,
                  height - depth + ring);
    }
}

void PaintBody(Surface& surface, const FrameProperties& properties) {
    const int depth = PaintedShadowDepth(properties);
    surface.setFillStyle(0);
    surface.setFillColour(properties.FillColour);
    surface.setForeColour(properties.BorderColour);
    DrawShape(surface, properties, 0, 0, surface.width() - depth, surface.height() - depth);
}

void SmoothShadowCorners(Surface& surface, int cornerDepth, int shadowDepth) {
    struct Region {
        int fromX, toX, fromY, toY;  // inclusive
    };
    const int width = surface.width();
    const int height = surface.height();
    const int corner = 2 * cornerDepth;
    const std::array<Region, 3> regions = {{
        {width - corner, width - 3, height - corner, height - 3},     // lower right
        {width - corner, width - 3, shadowDepth, 4 * shadowDepth},    // upper right of the shadow
        {shadowDepth, 4 * shadowDepth, height - corner, height - 3},  // lower left of the shadow
    }};
    const Colour background = surface.backColour();
    for (const Region& region : regions) {
        // A corner larger than the control would reach past its edges, where the invalid
        // colour read beyond the edge would tint the average red; keep one pixel inside.
        const int fromX = std::max(region.fromX, 1);
        const int toX = std::min(region.toX, width - 2);
        const int fromY = std::max(region.fromY, 1);
        const int toY = std::min(region.toY, height - 2);
        for (int x = fromX; x <= toX; ++x)
            for (int y = fromY; y <= toY; ++y) {
                if (surface.GetPixel(x, y) != background) continue;
                std::array<PixelSample, 5> samples;
                for (int direction = 0; direction < 4; ++direction) {
                    samples[direction] = SplitColour(NeighbourColour(surface, x, y, direction));
                    samples[4].Red += samples[direction].Red;
                    samples[4].Green += samples[direction].Green;
                    samples[4].Blue += samples[direction].Blue;
                }
                samples[4].Red /= 4.0;
                samples[4].Green /= 4.0;
                samples[4].Blue /= 4.0;
                surface.SetPixelV(
                    x, y, ColourFromChannels(samples[4].Red, samples[4].Green, samples[4].Blue));
            }
    }
}

Colour NeighbourColour(const Surface& surface, int x, int y, int direction) {
    switch (direction) {
        case 0:
            return surface.GetPixel(x, y - 1);
        case 1:
            return surface.GetPixel(x + 1, y);
        case 2:
            return surface.GetPixel(x, y + 1);
        case 3:
            return surface.GetPixel(x - 1, y);
        default:
            return 0;
    }
}

Colour BlendColour(Colour first, Colour second, int16_t steps, int16_t step) {
    const PixelSample from = SplitColour(first);
    const PixelSample to = SplitColour(second);
    const auto channel = [&](double a, double b) {
        const int difference = static_cast<int>(a) - static_cast<int>(b);
        // Zero steps would divide by zero: the blend then stays at the first colour.
        const int stride = steps == 0 ? 0 : difference / steps;
        // A step outside 0..steps would leave the range between the colours.
        return static_cast<double>(std::clamp(static_cast<int>(a) - stride * step, 0, 255));
    };
    return ColourFromChannels(channel(from.Red, to.Red), channel(from.Green, to.Green),
                              channel(from.Blue, to.Blue));
}

PixelSample SplitColour(Colour colour) {
    const auto number = static_cast<int32_t>(colour);
    PixelSample sample;
    sample.Red = number & 255;
    sample.Green = (number / 256) & 255;
    sample.Blue = (number / 65536) & 255;
    sample.Number = colour;
    return sample;
}

int PixelsFromTwips(int twips) {
    return static_cast<int>(std::nearbyint(static_cast<double>(twips) / TwipsPerPixel));
}

}  // namespace FramePainter
