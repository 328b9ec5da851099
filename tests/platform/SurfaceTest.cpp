// The drawing part of the platform stand-ins: the surface's pixel rules (rectangles, rounded
// rectangles and the window shape, gradients, single pixels and 24-bit rows) and the property
// bag (defaults on read and write, name matching, the JSON form).
#include "PropertyBag.h"
#include "Surface.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QJsonDocument>
#include <array>

namespace {

constexpr Colour kPen = RGBColour(10, 20, 30), kBrush = RGBColour(200, 100, 50);
constexpr Colour kPaper = RGBColour(255, 255, 255), kGrey = RGBColour(90, 90, 90);

Surface Filled(int width, int height, Colour colour, int fillStyle = 0) {
    Surface surface;
    surface.setBackColour(colour);
    surface.resize(width, height);
    surface.setForeColour(kPen), surface.setFillColour(kBrush), surface.setFillStyle(fillStyle);
    return surface;
}

// ---- Shapes ----

// A shape covers columns left..right-1 and rows top..bottom-1; its outline is in the pen and,
// unless the fill style is hollow, its inside in the brush. The grids show '#' for the pen, 'o'
// for the brush and '.' for the paper, row by row; the surface is as large as the grid.
TEST(SurfaceShapes, RectanglesAndRoundRectsSolidAndHollow) {
    // clang-format off
    const std::tuple<bool, int, int, int, int, int, const char*> cases[] = {
        // round, left, top, right, bottom, ellipse
        {false, 0, 0, 6, 5, 0,    "######.|#oooo#.|#oooo#.|#oooo#.|######.|......."},
        {false, 6, 5, 0, 0, 0,    "######.|#oooo#.|#oooo#.|#oooo#.|######.|......."},
        {false, 2, 0, 2, 4, 0,    "....|....|....|...."},
        {false, 1, 1, 2, 2, 0,    "...|...|..."},
        {false, 1, 0, 2, 4, 0,    ".#.|.#.|.#.|.#.|..."},
        {false, 1, 1, 3, 3, 0,    "....|.##.|.##.|...."},
        {false, -2, -1, 3, 3, 0,  "oo#.|oo#.|###."},
        {true, 0, 0, 12, 10, 6, "..########..|.#oooooooo#.|#oooooooooo#|#oooooooooo#|#oooooooooo#|"
                                "#oooooooooo#|#oooooooooo#|#oooooooooo#|.#oooooooo#.|..########.."},
        {true, 0, 0, 9, 7, 20,    "..#####..|.#ooooo#.|#ooooooo#|#ooooooo#|#ooooooo#|"
                                  ".#ooooo#.|..#####.."},
        {true, 0, 0, 5, 5, 3,     ".###.|#ooo#|#ooo#|#ooo#|.###."},
        {true, 2, 0, 2, 3, 6,     "...|...|..."}};
    // clang-format on
    for (const auto& [round, left, top, right, bottom, ellipse, solid] : cases)
        for (int fillStyle : {0, 1}) {
            const QString expected = fillStyle ? QString(solid).replace('o', '.') : QString(solid);
            Surface s = Filled(expected.indexOf('|'), expected.count('|') + 1, kPaper, fillStyle);
            round ? s.RoundRect(left, top, right, bottom, ellipse, ellipse)
                  : s.Rectangle(left, top, right, bottom);
            QStringList grid(s.height());
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x) {
                    const Colour c = s.GetPixel(x, y);
                    grid[y] += c == kPen ? '#' : c == kBrush ? 'o' : c == kPaper ? '.' : '?';
                }
            EXPECT_EQ(grid.join('|'), expected) << solid << " from " << left << "," << top;
        }
}

// The window shape of a rounded rectangle covers exactly what RoundRect one pixel smaller paints
// with pen and brush; a fault in either the walk, the mirroring or the spans shows up here. The
// twelve by ten window has rows of 7, 9, 11 (five times), 9 and 7 pixels.
TEST(SurfaceShapes, WindowShapeCoversWhatTheRoundRectOnePixelSmallerPaints) {
    for (int w = 2; w <= 16; ++w)
        for (int h = 2; h <= 13; ++h)
            for (int corner = 0; corner <= 18; ++corner) {
                if (w == 2 && h == 2) continue;  // a 2x2 corner shape is the exception
                Surface ink = Filled(w + 2, h + 2, kPaper);
                ink.RoundRect(1, 1, w + 1, h + 1, corner, corner);
                const QRegion shape = Surface::RoundRectRegion(1, 1, w + 2, h + 2, corner, corner);
                int wrong = 0;
                for (int y = 0; y < h + 2; ++y)
                    for (int x = 0; x < w + 2; ++x)
                        wrong += shape.contains(QPoint(x, y)) != (ink.GetPixel(x, y) != kPaper);
                EXPECT_EQ(wrong, 0) << w << "x" << h << " corner " << corner;
            }
    EXPECT_EQ(Surface::RoundRectRegion(0, 0, 12, 10, 6, 6),
              QRegion(2, 0, 7, 1) + QRegion(1, 1, 9, 1) + QRegion(0, 2, 11, 5) +
                  QRegion(1, 7, 9, 1) + QRegion(2, 8, 7, 1));
}

// ---- Gradients ----

GradientVertex Vertex(int x, int y, uint16_t red, uint16_t green = 0) {
    return {.x = x, .y = y, .red = red, .green = green};
}

// Red from 0x0000 to 0xFF00 over four pixels gives 0x00, 0x3F, 0x7F, 0xBF: truncated steps
// that never reach the end colour, in one row (or column), whichever vertex comes first. The
// colour numbers read 0x00BBGGRR, so green 0x80 with those reds is 0x8000 to 0x80BF.
TEST(SurfaceGradient, TruncatedStepsInEitherDirectionAndOrder) {
    for (const auto mode : {GradientMode::Horizontal, GradientMode::Vertical})
        for (bool swapped : {false, true}) {
            const bool across = mode == GradientMode::Horizontal;
            GradientVertex from = Vertex(0, 0, 0x0000, 0x8000), to = Vertex(4, 1, 0xFF00, 0x80FF);
            if (!across) std::swap(to.x, to.y);
            Surface s = Filled(5, 5, kGrey);
            s.GradientFill(swapped ? to : from, swapped ? from : to, mode);
            std::vector<Colour> seen;
            for (const auto& [i, j] : {std::pair(0, 0), {1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 1}})
                seen.push_back(across ? s.GetPixel(i, j) : s.GetPixel(j, i));
            EXPECT_EQ(seen, std::vector<Colour>({0x8000, 0x803F, 0x807F, 0x80BF, kGrey, kGrey}));
        }
    // A ramp over 256 pixels ends at 254; one that starts outside keeps its colours inside.
    Surface ramp = Filled(256, 1, kGrey);
    ramp.GradientFill(Vertex(0, 0, 0x0000), Vertex(256, 1, 0xFF00), GradientMode::Horizontal);
    ramp.GradientFill(Vertex(-2, 0, 0x0000), Vertex(2, 1, 0xFF00), GradientMode::Horizontal);
    EXPECT_EQ(std::tuple(ramp.GetPixel(0, 0), ramp.GetPixel(1, 0), ramp.GetPixel(255, 0)),
              std::tuple(RGBColour(0x7F, 0, 0), RGBColour(0xBF, 0, 0), RGBColour(254, 0, 0)));
    // Zero width or height draws nothing.
    Surface s = Filled(6, 6, kGrey);
    s.GradientFill(Vertex(3, 0, 0), Vertex(3, 5, 0xFF00), GradientMode::Horizontal);
    s.GradientFill(Vertex(0, 3, 0), Vertex(5, 3, 0xFF00), GradientMode::Vertical);
    EXPECT_EQ(s.image(), Filled(6, 6, kGrey).image());
}

// ---- Single pixels and rows ----

// Reading just outside each edge gives the invalid colour and writing there does nothing. A
// 24-bit row is blue, green, red per pixel, clipped, and its padding to whole words is ignored.
TEST(SurfacePixels, SinglePixelsAndRows) {
    Surface s = Filled(4, 3, kGrey);
    s.SetPixelV(1, 2, RGBColour(250, 20, 5));
    EXPECT_EQ(qRed(s.image().pixel(1, 2)), 250);
    const QImage before = s.image().copy();
    for (const QPoint& p : {QPoint(-1, 0), QPoint(4, 0), QPoint(0, -1), QPoint(0, 3)}) {
        EXPECT_EQ(s.GetPixel(p.x(), p.y()), InvalidColour) << p.x() << "," << p.y();
        s.SetPixelV(p.x(), p.y(), RGBColour(9, 9, 9));
    }
    EXPECT_EQ(s.image(), before);
    EXPECT_EQ(s.GetPixel(3, 2), kGrey);  // the last pixel inside

    const std::array<uint8_t, 8> row = {10, 20, 230, 40, 50, 60, 0xEE, 0xEE};
    s.SetDIBitsRow(3, 1, 2, row.data());
    s.SetDIBitsRow(-1, 0, 2, row.data());
    EXPECT_EQ(std::tuple(s.GetPixel(0, 0), s.GetPixel(1, 0), s.GetPixel(2, 1), s.GetPixel(3, 1)),
              std::tuple(RGBColour(60, 50, 40), kGrey, kGrey, RGBColour(230, 20, 10)));
}

// ---- PropertyBag ----

// A missing name reads as the default; a value equal to its default (in any integer type) is
// not written and takes an older value away.
TEST(PropertyBag, DefaultsOnReadAndWrite) {
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("Depth", 5).toInt(), 5);
    bag.WriteProperty("Depth", 9, 5);
    EXPECT_EQ(bag.ReadProperty("Depth", 5).toInt(), 9);
    bag.WriteProperty("Depth", QVariant::fromValue<qint16>(5), 5);
    EXPECT_FALSE(bag.contains("Depth"));
}

// Matched regardless of case, a name keeps one entry under the spelling it was first stored as.
TEST(PropertyBag, NamesMatchOtherCaseOnlyWhenAskedTo) {
    for (const bool insensitive : {false, true}) {
        PropertyBag bag(insensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
        bag.WriteProperty("framestyle", 0, 1);
        EXPECT_EQ(bag.ReadProperty("FRAMESTYLE", 1).toInt(), insensitive ? 0 : 1);
        bag.WriteProperty("FrameStyle", 7, 1);
        EXPECT_EQ(bag.values().size(), insensitive ? 1 : 2);
        EXPECT_EQ(bag.values().value("framestyle").toInt(), insensitive ? 7 : 0);
    }
}

// Through the text form, as the program keeps it: a colour as its colour number, and a font
// that comes back whole.
TEST(PropertyBag, ColoursAndFontsSurviveTheJsonForm) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25), font.setBold(true);
    PropertyBag bag;
    bag.WriteProperty("Colour", QColor(240, 240, 246), QColor(Qt::black));
    bag.WriteProperty("Font", font, QFont());
    EXPECT_EQ(bag.toJson().value("Colour").toInteger(), 0x00F6F0F0);
    const PropertyBag loaded = PropertyBag::fromJson(
        QJsonDocument::fromJson(QJsonDocument(bag.toJson()).toJson()).object());
    EXPECT_EQ(loaded.ReadProperty("Colour", QColor()).value<QColor>(), QColor(240, 240, 246));
    EXPECT_EQ(loaded.ReadProperty("Font", QFont()).value<QFont>(), font);
}

}  // namespace
