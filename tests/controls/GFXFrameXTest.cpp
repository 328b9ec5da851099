// The frame: its painter called directly on a surface, and the widget's setters, storage and
// repaints.
#include "FramePainter.h"
#include "GFXFrameX.h"
#include "PropertyBag.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QSignalSpy>
#include <optional>

namespace {

using namespace FramePainter;

constexpr Colour kWhite = RGBColour(255, 255, 255);
constexpr auto Grey = [](int level) { return RGBColour(level, level, level); };
// Grey body colours, so that red read from beyond an edge (the invalid colour) would show.
constexpr Colour kFill = Grey(230), kBorder = Grey(90);

FrameProperties Frame(int32_t style, int16_t depth = 5, int16_t opacity = 50, int16_t corner = 10,
                      bool shadow = true) {
    return {.FrameStyle = style, .FillColour = kFill, .BorderColour = kBorder,
            .CornerDepth = corner, .ShowShadow = shadow, .ShadowOpacity = opacity,
            .ShadowDepth = depth};
}

// The whole picture, or without the corner pass.
Surface Paint(const FrameProperties& properties, int width = 120, int height = 80,
              Colour host = kWhite, bool smoothed = true) {
    Surface surface;
    surface.setBackColour(host);
    surface.resize(width, height);
    if (smoothed) return PaintFrame(surface, properties, host), surface;
    PaintShadowRings(surface, properties);
    PaintBody(surface, properties);
    return surface;
}

// On white with depth 5 and opacity 50 the rings run 100, 131, .., 255: the base colour, then
// steps of (100 - 255) / 5 towards white, each division truncating towards zero. Ring 0 lies
// under the body's border, rings 1 to 5 form the band, here at the middle of its right and
// bottom side. Without a shadow one shape fills the control; styles other than 0 and 1 show only
// the background, which is the host's unless BackColourIs asks for the frame's own.
TEST(FramePainter, ShadowBandBodyAndBackground) {
    const auto band = [](std::array<int, 5> levels) {
        std::vector<std::tuple<int, int, Colour>> pixels = {
            {114, 40, kBorder}, {60, 74, kBorder}, {60, 40, kFill}, {117, 2, kWhite}};
        for (int ring = 1; ring <= 5; ++ring)
            pixels.insert(pixels.end(), {{114 + ring, 40, Grey(levels[ring - 1])},
                                         {60, 74 + ring, Grey(levels[ring - 1])}});
        return pixels;
    };
    const decltype(band({})) empty = {{0, 0, kWhite}, {60, 40, kWhite}, {114, 40, kWhite}};
    // clang-format off
    const std::pair<FrameProperties, decltype(empty)> cases[] = {
        {Frame(1), band({131, 162, 193, 224, 255})}, {Frame(0), band({131, 162, 193, 224, 255})},
        {Frame(1, 5, 100), band({51, 102, 153, 204, 255})},
        {Frame(1, 5, 0), band({211, 222, 233, 244, 255})},
        {Frame(1, 5, 50, 10, false),
         {{0, 0, kBorder}, {119, 40, kBorder}, {60, 79, kBorder}, {118, 78, kFill}}},
        {Frame(2), empty}, {Frame(7), empty}, {Frame(-1), empty},
        {{.FrameStyle = 2, .BackColour = Grey(50), .BackColourIs = -1}, {{60, 40, Grey(50)}}},
        {{.FrameStyle = 1, .BackColour = Grey(50), .BackColourIs = 1}, {{119, 0, Grey(50)}}}};
    // clang-format on
    EXPECT_EQ(BlendColour(0, kWhite, 100, 50), Grey(100));
    for (const auto& [properties, pixels] : cases) {
        const Surface s = Paint(properties);
        for (const auto& [x, y, colour] : pixels)
            EXPECT_EQ(s.GetPixel(x, y), colour) << x << "," << y << " style " << properties.FrameStyle;
    }
    // Only the rounded style smooths; corners 0 and 1 give square shapes.
    EXPECT_EQ(Paint(Frame(1)).image(), Paint(Frame(1), 120, 80, kWhite, false).image());
    EXPECT_NE(Paint(Frame(0)).image(), Paint(Frame(0), 120, 80, kWhite, false).image());
    for (int16_t corner : {0, 1, 2})
        EXPECT_EQ(Paint(Frame(0, 5, 50, corner)).image() == Paint(Frame(1)).image(), corner < 2);
}

// The main window's stored frame: every pixel the corner pass changes lies in one of its three
// regions and was background before the pass.
TEST(FramePainter, AtTheMainWindowsPropertiesSmoothingChangesOnlyBackgroundInItsRegions) {
    const int width = 489, height = 181, corner = 10, depth = 5;
    const Colour host = RGBColour(240, 240, 244);
    FrameProperties properties = Frame(0);
    properties.FillColour = RGBColour(240, 240, 246), properties.BorderColour = Grey(192);
    const Surface plain = Paint(properties, width, height, host, false);
    const Surface smoothed = Paint(properties, width, height, host);
    const auto within = [](int value, int from, int to) { return value >= from && value <= to; };
    int changed = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (smoothed.GetPixel(x, y) == plain.GetPixel(x, y)) continue;
            ++changed;
            const bool right = within(x, width - 2 * corner, width - 3);
            const bool bottom = within(y, height - 2 * corner, height - 3);
            EXPECT_TRUE((right && bottom) || (right && within(y, depth, 4 * depth)) ||
                        (within(x, depth, 4 * depth) && bottom)) << x << "," << y;
            EXPECT_EQ(plain.GetPixel(x, y), host) << x << "," << y;
        }
    EXPECT_GT(changed, 0);
}

// The corner pass fills background gaps with the mean of their four neighbours, each channel
// on its own with ties to even, in place: the lower of two gaps sees the upper one's new colour.
// Corner 3 and depth 1 on 12 x 12 put the regions at x 6..9 y 6..9, x 6..9 y 1..4 and x 1..4
// y 6..9; (5, 5) lies in none. Around the gaps is grey 100.
TEST(FramePainter, SmoothingAveragesNeighboursInPlaceWithTiesToEven) {
    Surface s = Paint(Frame(2), 12, 12, Grey(100));
    s.setBackColour(kWhite);
    // clang-format off
    const std::tuple<int, int, Colour, Colour> pixels[] = {  // where, before, after
        // (3 * 100 + 255) / 4 = 138.75, then (139 + 3 * 100) / 4 = 109.75
        {7, 7, kWhite, Grey(139)}, {7, 8, kWhite, Grey(110)},
        {2, 6, RGBColour(255, 0, 0), RGBColour(255, 0, 0)}, {2, 7, kWhite, RGBColour(139, 75, 75)},
        {8, 1, Grey(102), Grey(102)}, {8, 2, kWhite, Grey(100)},  // 100.5
        {9, 4, Grey(106), Grey(106)}, {8, 4, kWhite, Grey(102)}, {5, 5, kWhite, kWhite}};  // 101.5
    // clang-format on
    for (const auto& [x, y, before, after] : pixels) s.SetPixelV(x, y, before);
    SmoothShadowCorners(s, 3, 1);
    for (const auto& [x, y, before, after] : pixels) EXPECT_EQ(s.GetPixel(x, y), after) << x << y;
}

// Values only a store can hold paint safely: depths below 1 without a shadow, above 50 as 50,
// opacities as their limits, and corners past the control without reading beyond its edges
// (the invalid colour there would tint the grey picture red).
TEST(FramePainter, StoredValuesOutsideTheSettersRangePaintSafely) {
    // clang-format off
    const std::pair<FrameProperties, std::optional<FrameProperties>> cases[] = {
        {Frame(0, 0), Frame(0, 5, 50, 10, false)}, {Frame(0, -3), Frame(0, 5, 50, 10, false)},
        {Frame(0, 1000), Frame(0, 50)}, {Frame(0, 32767), Frame(0, 50)},
        {Frame(0, 5, 150), Frame(0, 5, 100)}, {Frame(0, 5, -20), Frame(0, 5, 0)},
        {Frame(0, 5, 50, 25), {}}, {Frame(0, 5, 50, 50), {}}, {Frame(0, 5, 50, 32767), {}},
        {Frame(0, 5, 50, -40), {}}};
    // clang-format on
    for (const auto& [stored, paintedAs] : cases) {
        SCOPED_TRACE(testing::Message() << stored.ShadowDepth << " " << stored.ShadowOpacity
                                        << " " << stored.CornerDepth);
        const Surface s = Paint(stored, 60, 40);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_EQ(s.GetPixel(x, y) % 0x10101, 0u) << x << "," << y;  // grey levels
        if (paintedAs) {
            EXPECT_EQ(s.image(), Paint(*paintedAs, 60, 40).image());
        }
    }
}

// Each setter stores the value clamped, tells the host which property changed and repaints.
TEST(GFXFrameX, SettersClampAndNotify) {
    using Set = void (GFXFrameX::*)(int16_t);
    using Get = int16_t (GFXFrameX::*)() const;
    // clang-format off
    const std::tuple<const char*, Set, Get, std::vector<std::pair<int16_t, int16_t>>> cases[] = {
        {"ShadowDepth", &GFXFrameX::setShadowDepth, &GFXFrameX::ShadowDepth,
         {{41, 50}, {1000, 50}, {40, 40}, {1, 2}, {-5, 2}}},
        {"ShadowOpacity", &GFXFrameX::setShadowOpacity, &GFXFrameX::ShadowOpacity, {{150, 100}, {-1, 0}}},
        {"CornerDepth", &GFXFrameX::setCornerDepth, &GFXFrameX::CornerDepth, {{60, 50}, {-3, 0}}}};
    // clang-format on
    for (const auto& [name, set, get, values] : cases)
        for (const auto& [value, stored] : values) {
            GFXFrameX frame;
            QSignalSpy spy(&frame, &GFXFrameX::PropertyChanged);
            (frame.*set)(value);
            EXPECT_EQ((frame.*get)(), stored) << name << " " << value;
            EXPECT_EQ(spy, QList<QList<QVariant>>({{QString(name)}}));
            EXPECT_EQ(frame.surface().image().size(), frame.size());
        }
}

// A freshly placed frame takes its colours from the host and paints nothing; saved as it is,
// nothing is written. Saving compares the colours with the host's at that moment. Loading takes
// values as they stand (no clamping, numbers beyond the type saturated), matches names without
// case even from a case-sensitive bag, gives missing ones the defaults and the host's colours,
// and repaints once without telling the host.
TEST(GFXFrameX, FreshSavedAndLoaded) {
    QWidget host;
    host.setPalette(QPalette(Qt::white));
    auto* frame = new GFXFrameX(&host);
    frame->setGeometry(0, 0, 120, 80);  // hidden: no resize event reaches the frame
    EXPECT_EQ(frame->surface().width(), 0);
    const auto saved = [&] {
        PropertyBag bag(Qt::CaseInsensitive);
        frame->WriteProperties(bag);
        return bag.toJson();
    };
    const auto json = [](const char* text) { return QJsonDocument::fromJson(text).object(); };
    EXPECT_TRUE(saved().isEmpty());
    frame->setBackColourIs(3);
    host.setPalette(QPalette(Qt::gray));
    QSignalSpy spy(frame, &GFXFrameX::PropertyChanged);
    frame->ReadProperties(PropertyBag::fromJson(
        json(R"({"shadowdepth": 45, "SHADOWOPACITY": 150, "framestyle": 7, "CornerDepth": 100000,
                 "bordercolour": -1, "ShowShadow": false})"), Qt::CaseSensitive));
    EXPECT_EQ(saved(), json(R"({"ShadowDepth": 45, "ShadowOpacity": 150, "FrameStyle": 7,
                "CornerDepth": 32767, "BorderColour": 4294967295, "ShowShadow": false})"));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(frame->surface().GetPixel(60, 40), RGBColour(160, 160, 164));  // style 7, Qt::gray
    host.setPalette(QPalette(Qt::white));  // the background follows the host's
    EXPECT_EQ(frame->surface().GetPixel(60, 40), kWhite);
}

}  // namespace
