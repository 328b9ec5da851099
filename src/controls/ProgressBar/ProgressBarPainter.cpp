// ProgressBarPainter: the bar's gradients, outline and window shape; the caption is drawn by
// ProgressBarCaption.
#include "ProgressBarPainter.h"

#include "ProgressBarCaption.h"
#include "ProgressBarColours.h"
#include "ProgressBarThemes.h"

#include <cstring>
#include <stdexcept>
#include <vector>

namespace ProgressBarPainter {

namespace {

GradientVertex Vertex(int x, int y, Colour colour) {
    GradientVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.red = static_cast<uint16_t>(ToColour16(GetRed(colour) * 256));
    vertex.green = static_cast<uint16_t>(ToColour16(GetGreen(colour) * 256));
    vertex.blue = static_cast<uint16_t>(ToColour16(GetBlue(colour) * 256));
    vertex.alpha = 0;
    return vertex;
}

ColourTriple Triple(Colour colour) {
    return ColourTriple{static_cast<uint8_t>(GetBlue(colour)),
                        static_cast<uint8_t>(GetGreen(colour)),
                        static_cast<uint8_t>(GetRed(colour))};
}

constexpr int TopToBottom = 1;
constexpr int LeftToRight = 0;

}  // namespace

QRegion DrawBar(Surface& surface, ProgressBarState& state) {
    const int W = surface.width();
    const int H = surface.height();
    const int corner = state.RoundedValue;
    const QRegion shape = Surface::RoundRectRegion(0, 0, W, H, corner, corner);

    // The fill follows Value against Max alone: Min does not move the start of the bar.
    const double percent = BarPercent(state);
    const int fillLength = NearestHalfEven((state.Orientations == 2 ? H : W) * percent / 100.0);

    LoadThemePalette(state);
    if (!state.Enabled) {
        for (Colour& colour : state.Palette) colour = GreyColour(colour);
    }
    const auto& p = state.Palette;
    namespace I = PaletteIndex;

    surface.clear();
    if (state.Orientations == 1) {
        const int h2 = NearestHalfEven(H / 2.0);
        GradientTwoColour(surface, TopToBottom, p[I::TrackTopStart], p[I::TrackTopEnd], 0, 0, W,
                          h2);
        GradientTwoColour(surface, TopToBottom, p[I::TrackBottomStart], p[I::TrackBottomEnd], 0, h2,
                          W, H);
        if (state.Value >= 1) {
            GradientTwoColour(surface, TopToBottom, p[I::FillTopStart], p[I::FillTopEnd], 0, 0,
                              fillLength, h2);
            GradientTwoColour(surface, TopToBottom, p[I::FillBottomStart], p[I::FillBottomEnd], 0,
                              h2, fillLength, H);
        }
    } else if (state.Orientations == 2) {
        const int w2 = NearestHalfEven(W / 2.0);
        GradientTwoColour(surface, LeftToRight, p[I::TrackTopStart], p[I::TrackTopEnd], 0, 0, w2,
                          H);
        GradientTwoColour(surface, LeftToRight, p[I::TrackBottomStart], p[I::TrackBottomEnd], w2, 0,
                          W, H);
        if (state.Value >= 1) {
            GradientTwoColour(surface, LeftToRight, p[I::FillTopStart], p[I::FillTopEnd], 0, 0, w2,
                              fillLength);
            GradientTwoColour(surface, LeftToRight, p[I::FillBottomStart], p[I::FillBottomEnd], w2,
                              0, W, fillLength);
        }
    }

    surface.setForeColour(p[I::Outline]);
    surface.setFillStyle(1);  // the outline only: the gradients stay visible inside it
    surface.RoundRect(0, 0, W - 1, H - 1, corner, corner);

    if (const auto caption = CaptionFor(state)) {
        DrawCaption(surface, state, *caption, state.TextAlignment);
    }
    return shape;
}

void LoadThemePalette(ProgressBarState& state) {
    if (state.Theme >= 1 && state.Theme <= FixedThemeCount) {
        const auto& theme = FixedTheme(state.Theme);
        for (int i = 0; i < PaletteIndex::Count; i += 2) {
            state.Palette[i] = theme[i / 2];
            if (i + 1 < PaletteIndex::Count) state.Palette[i + 1] = theme[i / 2];
        }
    } else if (state.Theme == CustomTheme) {
        const Colour fill = state.PBSCustomeColor1;
        const Colour track = state.PBSCustomeColor2;
        const Colour pairs[8] = {
            LightenColour(track, 180), LightenColour(track, 50), track, LightenColour(track, 80),
            LightenColour(fill, 180),  LightenColour(fill, 50),  fill,  LightenColour(fill, 80)};
        for (int i = 0; i < 8; ++i) {
            state.Palette[2 * i] = pairs[i];
            state.Palette[2 * i + 1] = pairs[i];
        }
        state.Palette[PaletteIndex::Outline] = track;
    }
}

void GradientTwoColour(Surface& hdc, int32_t Direction, Colour StartColor, Colour EndColor,
                       int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    if (Direction != LeftToRight && Direction != TopToBottom) return;
    hdc.GradientFill(Vertex(Left, Top, StartColor), Vertex(Right, Bottom, EndColor),
                     static_cast<GradientMode>(Direction));
}

void DrawGradientFourColour(Surface& ObjectHDC, int32_t Left, int32_t Top, int32_t Width,
                            int32_t Height, Colour TopLeftColour, Colour TopRightColour,
                            Colour BottomLeftColour, Colour BottomRightColour) {
    std::vector<ColourTriple> leftEdge;
    std::vector<ColourTriple> rightEdge;
    BuildColourRamp(leftEdge, Height, Triple(TopLeftColour), Triple(BottomLeftColour));
    BuildColourRamp(rightEdge, Height, Triple(TopRightColour), Triple(BottomRightColour));
    if (Width < 1) throw std::invalid_argument("a four-colour gradient needs a width of 1 or more");

    // One 24-bit scan line, padded to whole 32-bit words as bitmap rows are.
    const size_t rowBytes = static_cast<size_t>(Width) * 3;
    std::vector<uint8_t> row((rowBytes + 3) / 4 * 4, 0);
    std::vector<ColourTriple> ramp;
    for (int32_t y = 0; y < Height; ++y) {
        BuildColourRamp(ramp, Width, leftEdge[static_cast<size_t>(y)],
                        rightEdge[static_cast<size_t>(y)]);
        std::memcpy(row.data(), ramp.data(), rowBytes);
        ObjectHDC.SetDIBitsRow(Left, Top + y, Width, row.data());
    }
}

}  // namespace ProgressBarPainter
