// Pixel tests of the surface's gradients, single pixels, 24-bit rows and text.
#include "Surface.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

constexpr Colour kGrey = RGBColour(90, 90, 90);

Surface Filled(int width, int height, Colour colour) {
    Surface surface;
    surface.setBackColour(colour);
    surface.resize(width, height);
    return surface;
}

GradientVertex Vertex(int x, int y, uint16_t red, uint16_t green = 0, uint16_t blue = 0) {
    GradientVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.red = red;
    vertex.green = green;
    vertex.blue = blue;
    return vertex;
}

int Red(Colour colour) {
    return static_cast<int>(colour & 0xFF);
}

struct GradientCase {
    const char* name;
    GradientVertex upperLeft;
    GradientVertex lowerRight;
    GradientMode mode;
};

class GradientRamp : public ::testing::TestWithParam<GradientCase> {};

// Red from 0x0000 to 0xFF00 over four pixels: 0x00, 0x3F, 0x7F, 0xBF, never the end colour.
TEST_P(GradientRamp, FourStepsTruncatedAndEndColourNeverReached) {
    const GradientCase& c = GetParam();
    Surface surface = Filled(5, 5, kGrey);
    surface.GradientFill(c.upperLeft, c.lowerRight, c.mode);
    const bool horizontal = c.mode == GradientMode::Horizontal;
    const std::array<int, 4> reds = {0x00, 0x3F, 0x7F, 0xBF};
    for (int along = 0; along < 4; ++along) {
        const int x = horizontal ? along : 0;
        const int y = horizontal ? 0 : along;
        EXPECT_EQ(surface.GetPixel(x, y), RGBColour(reds[along], 0x80, 0)) << along;
    }
    // One row (or column) only, and nothing at the far end.
    EXPECT_EQ(surface.GetPixel(horizontal ? 4 : 0, horizontal ? 0 : 4), kGrey);
    EXPECT_EQ(surface.GetPixel(horizontal ? 0 : 1, horizontal ? 1 : 0), kGrey);
}

INSTANTIATE_TEST_SUITE_P(
    Surface, GradientRamp,
    ::testing::Values(GradientCase{"Horizontal", Vertex(0, 0, 0x0000, 0x8000),
                                   Vertex(4, 1, 0xFF00, 0x80FF), GradientMode::Horizontal},
                      GradientCase{"HorizontalSwapped", Vertex(4, 1, 0xFF00, 0x80FF),
                                   Vertex(0, 0, 0x0000, 0x8000), GradientMode::Horizontal},
                      GradientCase{"Vertical", Vertex(0, 0, 0x0000, 0x8000),
                                   Vertex(1, 4, 0xFF00, 0x80FF), GradientMode::Vertical},
                      GradientCase{"VerticalSwapped", Vertex(1, 4, 0xFF00, 0x80FF),
                                   Vertex(0, 0, 0x0000, 0x8000), GradientMode::Vertical}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceGradient, AFullRampOf256PixelsEndsAt254) {
    Surface surface = Filled(256, 1, kGrey);
    surface.GradientFill(Vertex(0, 0, 0x0000), Vertex(256, 1, 0xFF00), GradientMode::Horizontal);
    EXPECT_EQ(Red(surface.GetPixel(0, 0)), 0);
    EXPECT_EQ(Red(surface.GetPixel(128, 0)), 127);
    EXPECT_EQ(Red(surface.GetPixel(255, 0)), 254);
}

TEST(SurfaceGradient, RowsBetweenTheVerticesOnlyWhicheverIsHigher) {
    Surface surface = Filled(4, 5, kGrey);
    surface.GradientFill(Vertex(0, 4, 0xFF00), Vertex(4, 1, 0xFF00), GradientMode::Horizontal);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(surface.GetPixel(2, y), (y >= 1 && y < 4) ? RGBColour(255, 0, 0) : kGrey) << y;
}

TEST(SurfaceGradient, ZeroWidthOrHeightDrawsNothing) {
    Surface surface = Filled(6, 6, kGrey);
    const QImage before = surface.image().copy();
    surface.GradientFill(Vertex(3, 0, 0), Vertex(3, 5, 0xFF00), GradientMode::Horizontal);
    surface.GradientFill(Vertex(0, 2, 0), Vertex(5, 2, 0xFF00), GradientMode::Horizontal);
    surface.GradientFill(Vertex(0, 3, 0), Vertex(5, 3, 0xFF00), GradientMode::Vertical);
    EXPECT_EQ(surface.image(), before);
}

TEST(SurfaceGradient, PartlyOutsideTheSurfaceKeepsItsColours) {
    Surface surface = Filled(2, 1, kGrey);
    surface.GradientFill(Vertex(-2, 0, 0x0000), Vertex(2, 1, 0xFF00), GradientMode::Horizontal);
    EXPECT_EQ(Red(surface.GetPixel(0, 0)), 0x7F);
    EXPECT_EQ(Red(surface.GetPixel(1, 0)), 0xBF);
}

TEST(SurfacePixels, ReadingJustOutsideEachEdgeGivesTheInvalidColour) {
    Surface surface = Filled(4, 3, RGBColour(1, 2, 3));
    EXPECT_EQ(surface.GetPixel(0, 0), RGBColour(1, 2, 3));
    EXPECT_EQ(surface.GetPixel(3, 2), RGBColour(1, 2, 3));
    for (const QPoint& outside : {QPoint(-1, 0), QPoint(4, 0), QPoint(0, -1), QPoint(0, 3)})
        EXPECT_EQ(surface.GetPixel(outside.x(), outside.y()), InvalidColour) << outside.x();
    EXPECT_EQ(Surface().GetPixel(0, 0), InvalidColour);
}

TEST(SurfacePixels, WritingKeepsTheChannelOrderAndIgnoresPointsOutside) {
    Surface surface = Filled(4, 3, kGrey);
    surface.SetPixelV(1, 2, RGBColour(250, 20, 5));
    EXPECT_EQ(surface.GetPixel(1, 2), RGBColour(250, 20, 5));
    EXPECT_EQ(qRed(surface.image().pixel(1, 2)), 250);

    const QImage before = surface.image().copy();
    for (const QPoint& outside : {QPoint(-1, 0), QPoint(4, 0), QPoint(0, -1), QPoint(0, 3)})
        surface.SetPixelV(outside.x(), outside.y(), RGBColour(1, 1, 1));
    EXPECT_EQ(surface.image(), before);
}

TEST(SurfacePixels, A24BitRowIsBlueGreenRedAndClipped) {
    Surface surface = Filled(3, 2, kGrey);
    // Two pixels, padded to eight bytes with garbage.
    const std::array<uint8_t, 8> row = {10, 20, 230, 40, 50, 60, 0xEE, 0xEE};
    surface.SetDIBitsRow(2, 1, 2, row.data());
    EXPECT_EQ(surface.GetPixel(2, 1), RGBColour(230, 20, 10));
    EXPECT_EQ(surface.GetPixel(1, 1), kGrey);

    surface.SetDIBitsRow(-1, 0, 2, row.data());
    EXPECT_EQ(surface.GetPixel(0, 0), RGBColour(60, 50, 40));
    EXPECT_EQ(surface.GetPixel(1, 0), kGrey);
}

TEST(SurfaceState, ResizeKeepsNothingAndClearsToTheBackColour) {
    Surface surface = Filled(3, 3, kGrey);
    surface.SetPixelV(1, 1, RGBColour(9, 9, 9));
    surface.setBackColour(RGBColour(7, 8, 9));
    surface.resize(5, 2);
    EXPECT_EQ(surface.width(), 5);
    EXPECT_EQ(surface.height(), 2);
    EXPECT_EQ(surface.GetPixel(1, 1), RGBColour(7, 8, 9));

    surface.resize(0, 4);
    EXPECT_EQ(surface.width(), 0);
    surface.Rectangle(0, 0, 3, 3);  // drawing on an empty surface is harmless
    surface.Print(QStringLiteral("x"));
}

TEST(SurfaceText, PrintsInTheForeColourInsideItsMeasuredBoxWithoutABackground) {
    const Colour paper = RGBColour(0, 0, 255);
    Surface surface = Filled(120, 40, paper);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    surface.setFont(font);
    surface.setForeColour(RGBColour(255, 255, 0));
    const QString text = QStringLiteral("HIH");
    const QRect box(10, 5, surface.TextWidth(text), surface.TextHeight(text));
    ASSERT_GT(box.width(), 0);
    ASSERT_GT(box.height(), 0);

    surface.setCurrentPosition(box.left(), box.top());
    surface.Print(text);
    int inked = 0;
    int paperInBox = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const Colour c = surface.GetPixel(x, y);
            if (c == paper) {
                paperInBox += box.contains(x, y) ? 1 : 0;
                continue;
            }
            EXPECT_TRUE(box.adjusted(-1, -1, 1, 1).contains(x, y)) << x << "," << y;
            inked += c == RGBColour(255, 255, 0) ? 1 : 0;
        }
    EXPECT_GT(inked, 10);       // solid strokes in the fore colour
    EXPECT_GT(paperInBox, 10);  // between the letters the paper shows
}

TEST(SurfaceText, MeasuresLinesAndAnEmptyText) {
    Surface surface = Filled(10, 10, kGrey);
    EXPECT_EQ(surface.TextWidth(QString()), 0);
    EXPECT_GT(surface.TextWidth(QStringLiteral("ab")), surface.TextWidth(QStringLiteral("a")));
    EXPECT_EQ(surface.TextWidth(QStringLiteral("ab\na")), surface.TextWidth(QStringLiteral("ab")));
    const int line = surface.TextHeight(QString());
    EXPECT_GT(line, 0);
    EXPECT_EQ(surface.TextHeight(QStringLiteral("a\nb")), 2 * line);
}

}  // namespace
