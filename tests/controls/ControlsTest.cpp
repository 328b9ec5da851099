// The self-drawn controls: the frame's and the bar's painters on a surface, at the main window's
// stored properties and at values only a store can hold, and the widgets' setters, storage and
// repaints.
#include "FramePainter.h"
#include "GFXFrameX.h"
#include "ProgressBar.h"
#include "ProgressBarCaption.h"
#include "ProgressBarPainter.h"
#include "PropertyBag.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QLocale>
#include <QSignalSpy>
#include <optional>

namespace {

using namespace FramePainter;
using namespace ProgressBarPainter;

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

// X sets Max, N sets Min and V sets Value on a bar at 0 <= 50 <= 100; then come Max, Min and
// Value as they end, and the notices in order: a bound that moves Value announces Value first.
TEST(ProgressBar, BoundsClampAndAnnounceAMovedValueBeforeTheBound) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"X0", "1 0 1 Value Max"}, {"N10 X5", "11 10 11 Min Value Max"}, {"N-3", "100 0 50 Min"},
        {"N100", "100 99 99 Value Min"}, {"V150", "100 0 100 Value"}, {"N10 V5", "100 10 10 Min Value"},
        {"X30 N20 X80 N40", "80 40 40 Value Max Min Max Value Min"}};
    // clang-format on
    for (const auto& [calls, outcome] : cases) {
        ProgressBar bar;
        bar.InitProperties();
        QSignalSpy spy(&bar, &ProgressBar::PropertyChanged);
        for (const QString& call : QString(calls).split(' ')) {
            const int v = call.mid(1).toInt();
            call[0] == 'X' ? bar.setMax(v) : call[0] == 'N' ? bar.setMin(v) : bar.setValue(v);
        }
        QString seen = QStringLiteral("%1 %2 %3").arg(bar.Max()).arg(bar.Min()).arg(bar.Value());
        for (const QList<QVariant>& notice : spy) seen += ' ' + notice.at(0).toString();
        EXPECT_EQ(seen, outcome) << calls;
    }
}

// Reading fills missing keys with the defaults that writing leaves out, so what is written
// back is what differs: the bar's name as Text and what came from the store. Bounds are read
// in turn (Max, Min, Value) and a value that does not convert is skipped. A fresh bar writes
// its own caption settings but no empty Text. The main window's bar comes back unchanged.
TEST(ProgressBar, StoredDefaultsAreLeftOutOnWrite) {
    QFile file(QStringLiteral(RADIOSIFT_VP1_STORED));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject vp1 = QJsonDocument::fromJson(file.readAll()).object();
    const std::pair<std::optional<QJsonObject>, QJsonObject> cases[] = {
        {QJsonObject(), {{"Text", "vp7"}}},
        {QJsonObject{{"Max", 10}, {"Min", 20}, {"Value", 50}, {"Theme", "blue"}},
         {{"Text", "vp7"}, {"Max", 10}, {"Min", 9}, {"Value", 10}, {"Theme", 0}}},
        {std::nullopt, {{"TextEffect", 5}, {"TextEffectColor", 0xFFFFFF}, {"TextStyle", 3}}},
        {vp1, vp1}};
    for (const auto& [stored, written] : cases) {
        QWidget host;
        host.setFont(QFont(QStringLiteral("DejaVu Serif"), 11));
        ProgressBar bar(&host);
        bar.setObjectName(QStringLiteral("vp7"));
        if (stored) bar.ReadProperties(PropertyBag::fromJson(*stored));
        else bar.InitProperties(), bar.setText(QString());
        ASSERT_NE(bar.TextFont(), nullptr);
        if (!written.contains("TextFont")) {
            EXPECT_EQ(*bar.TextFont(), host.font());
        }
        // Each setter repainted the bar, which also gave the window its shape.
        EXPECT_EQ(bar.mask(), Surface::RoundRectRegion(0, 0, bar.width(), bar.height(), 5, 5));
        PropertyBag bag;
        bar.WriteProperties(bag);
        EXPECT_EQ(bag.toJson(), written);
    }
}

constexpr Colour kTrack = RGBColour(179, 189, 179);       // theme 9 lower band: palette 4
constexpr Colour kBarFill = RGBColour(26, 228, 26);       // palette 12
constexpr Colour kOutline = RGBColour(188, 184, 188);     // palette 16
constexpr Colour kTrackUpper = RGBColour(228, 231, 228);  // halfway down the upper band
constexpr Colour kBarFillUpper = RGBColour(165, 253, 165);

struct Bar {
    int theme = 9, orientation = 1, min = 0, value = 50, max = 100, width = 200, height = 20;
    bool enabled = true;
    int corner = 0;
};

// Theme 9 is the main window's. Rows 0..9 are the upper band, 10..19 the lower; halfway down a
// band each channel is the floor of the mean of the band's two colours. The fill's length
// rounds halves to even. Theme 10 lightens a red fill and a blue track by 180 and 50 at the
// start and end of the upper bands, and draws the outline in the track's colour.
TEST(ProgressBar, ThemeColoursFillLengthOrientationGreyingAndShape) {
    // clang-format off
    const std::pair<Bar, std::vector<std::tuple<int, int, Colour>>> cases[] = {
        {{}, {{199, 0, RGBColour(231, 243, 232)}, {150, 5, kTrackUpper}, {150, 10, kTrack},
              {150, 15, RGBColour(202, 213, 202)}, {50, 5, kBarFillUpper}, {50, 10, kBarFill},
              {50, 15, RGBColour(121, 236, 121)}, {0, 0, kOutline}, {198, 18, kOutline}}},
        {{.width = 201},          {{99, 10, kBarFill}, {100, 10, kTrack}}},   // 100.5 -> 100
        {{.width = 203},          {{101, 10, kBarFill}, {102, 10, kTrack}}},  // 101.5 -> 102
        {{.value = 1, .max = 3},  {{66, 10, kBarFill}, {67, 10, kTrack}}},
        {{.min = 50},             {{99, 10, kBarFill}, {100, 10, kTrack}}},  // 200 wide; Min ignored
        {{.value = 0},            {{1, 10, kTrack}, {1, 5, kTrackUpper}}},
        {{.orientation = 2, .value = 25, .width = 20, .height = 200},  // halves at column 10
         {{10, 49, kBarFill}, {10, 50, kTrack}, {5, 20, kBarFillUpper}, {5, 100, kTrackUpper}}},
        {{.enabled = false}, {{50, 10, RGBColour(94, 94, 94)}, {150, 10, RGBColour(183, 183, 183)},
                              {0, 0, RGBColour(187, 187, 187)}, {50, 5, RGBColour(195, 195, 195)}}},
        {{.theme = 10}, {{50, 10, RGBColour(200, 0, 0)}, {150, 10, RGBColour(0, 0, 100)},
                         {100, 0, RGBColour(0, 0, 100)}, {50, 5, RGBColour(252, 115, 115)},
                         {150, 5, RGBColour(115, 115, 202)}}},
        {{.width = 12, .height = 10, .corner = 6},  // (0, 0) lies outside the rounded outline
         {{0, 0, RGBColour(223, 251, 223)}, {2, 0, kOutline}}}};
    // clang-format on
    for (const auto& [bar, pixels] : cases) {
        ProgressBarState state{  // no caption, so every pixel is the bar's own
            .Theme = bar.theme, .Orientations = bar.orientation, .RoundedValue = bar.corner,
            .Min = bar.min, .Value = bar.value, .Max = bar.max, .Enabled = bar.enabled,
            .PBSCustomeColor1 = RGBColour(200, 0, 0), .PBSCustomeColor2 = RGBColour(0, 0, 100)};
        Surface s(bar.width, bar.height);
        const QRegion shape = DrawBar(s, state);
        for (const auto& [x, y, colour] : pixels) EXPECT_EQ(s.GetPixel(x, y), colour) << x << "," << y;
        EXPECT_EQ(shape, Surface::RoundRectRegion(0, 0, bar.width, bar.height, bar.corner, bar.corner));
    }
}

// Not used by the bar's own painting, but offered to its host: equal corners paint one colour,
// height zero paints nothing.
TEST(ProgressBar, FourEqualCornersPaintOneColourAndHeightZeroNothing) {
    Surface s(10, 10);  // black
    const Colour c = RGBColour(10, 20, 30);
    DrawGradientFourColour(s, 2, 3, 5, 4, c, c, c, c);
    DrawGradientFourColour(s, 0, 0, 8, 0, 0xFF, 0xFF, 0xFF, 0xFF);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(s.GetPixel(x, y), x >= 2 && x < 7 && y >= 3 && y < 7 ? c : 0u) << x << y;
}

// Percentages show up to 15 significant digits without trailing zeros, in the user's locale;
// Min is not taken off. A caption 50 x 13 on a 200 x 20 bar goes to one of nine places.
TEST(ProgressBar, CaptionTextAndPlace) {
    constexpr auto En = QLocale::English, De = QLocale::German;
    // clang-format off
    const std::tuple<int, int, int, int, const char*, QLocale::Language> cases[] = {
        {2, 0, 0, 100, "0%", En}, {2, 0, 100, 100, "100%", En}, {2, 50, 50, 100, "50%", En},
        {2, 0, 2, 3, "66.6666666666667%", En}, {2, 0, 2, 3, "66,6666666666667%", De},
        {2, 0, 1, 8, "12.5%", En}, {1, 10, 10, 100, "10", En}, {3, 0, 1, 100, "Done", En},
        {4, 0, 1, 100, nullptr, En}};
    // clang-format on
    for (const auto& [style, min, value, max, text, language] : cases) {
        QLocale::setDefault(QLocale(language));
        const ProgressBarState state{
            .TextStyle = style, .Text = "Done", .Min = min, .Value = value, .Max = max};
        EXPECT_EQ(CaptionFor(state), text ? std::optional(QString(text)) : std::nullopt);
    }
    QLocale::setDefault(QLocale::c());
    const QPoint places[11] = {{0, 0},  {1, 0},   {1, 2},   {1, 6},   {74, 0}, {74, 2},
                               {74, 6}, {147, 0}, {147, 2}, {147, 6}, {0, 0}};  // middle: round(2.5)
    for (int alignment = 0; alignment <= 10; ++alignment)
        EXPECT_EQ(CaptionPosition(200, 20, 50, 13, alignment), places[alignment]) << alignment;
}

// The copies of each effect in order around the centred place, measured with the surface's
// font; unknown effects print nothing.
TEST(ProgressBar, CaptionEffectsPrintTheirCopiesInOrder) {
    constexpr Colour kText = RGBColour(200, 0, 0), kEffect = RGBColour(0, 0, 255);
    constexpr Colour kGrey = RGBColour(128, 128, 128);  // the darker copy's fixed colour
    // clang-format off
    const std::pair<int, std::vector<std::tuple<Colour, int, int>>> cases[] = {
        {0, {}}, {6, {}}, {1, {{kText, 0, 0}}}, {5, {{kEffect, 1, 1}, {kText, 0, 0}}},
        {2, {{kEffect, -1, -1}, {kGrey, 1, 1}, {kText, 0, 0}}},
        {4, {{kEffect, 1, 0}, {kEffect, -1, 0}, {kEffect, 0, -1}, {kEffect, 0, 1}, {kText, 0, 0}}}};
    // clang-format on
    const QString text = QStringLiteral("Ready");
    Surface blank(200, 20);
    blank.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QPoint at = CaptionPosition(200, 20, blank.TextWidth(text), blank.TextHeight(text), 5);
    for (const auto& [effect, prints] : cases) {
        const ProgressBarState state{.TextForeColor = kText, .TextEffectColor = kEffect,
                                     .TextEffect = effect, .Enabled = true};
        Surface drawn = blank, expected = blank;
        DrawCaption(drawn, state, text, 5);
        for (const auto& [colour, dx, dy] : prints) {
            expected.setForeColour(colour);
            expected.setCurrentPosition(at.x() + dx, at.y() + dy);
            expected.Print(text);
        }
        EXPECT_EQ(drawn.image(), expected.image()) << effect;
        EXPECT_EQ(drawn.image() != blank.image(), !prints.empty()) << effect;
    }
}

// A setter that leaves the values as they were need not paint again, but a new font, a new
// size or a new background must show even when no value changed.
TEST(ProgressBar, FontSizeAndBackgroundRepaintWithTheValuesUnchanged) {
    QWidget host;
    ProgressBar bar(&host);
    bar.resize(120, 16);
    bar.InitProperties();
    bar.setValue(40);
    const QImage before = bar.surface().image();
    bar.setTextFont(std::make_shared<QFont>(QStringLiteral("DejaVu Serif"), 13));
    EXPECT_NE(bar.surface().image(), before);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    host.setPalette(palette);
    bar.setValue(40);
    EXPECT_EQ(bar.surface().backColour(), RGBColour(10, 200, 30));
    bar.resize(80, 16);
    bar.setValue(40);
    ASSERT_EQ(bar.surface().width(), 80);
    EXPECT_NE(bar.surface().GetPixel(40, 8), bar.surface().backColour());
}

// The window shows the bar only within its shape: a bar one pixel high or wide has none, so it
// shows nothing of itself, whatever height it had before.
TEST(ProgressBar, ShowsOnlyWithinItsShapeAndNothingWithoutOne) {
    const QColor paper(10, 200, 30);
    QWidget host;
    host.resize(60, 40);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, paper);
    host.setPalette(palette);
    host.setAutoFillBackground(true);
    ProgressBar bar(&host);
    bar.InitProperties();
    for (const auto& [size, shown] : {std::pair(QSize(50, 30), true), std::pair(QSize(50, 1), false),
                                      std::pair(QSize(1, 30), false)}) {
        bar.resize(size);
        const QImage window = host.grab().toImage();
        int barPixels = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) barPixels += window.pixelColor(x, y) != paper;
        EXPECT_EQ(barPixels > 0, shown) << size.width() << "x" << size.height();
        EXPECT_EQ(window.pixelColor(0, 0), paper);  // a rounded corner
    }
}

}  // namespace
