// The self-drawn controls: the frame's and the bar's painters on a surface, also at values only
// a store can hold, and the widgets' setters, storage and repaints.
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
    // clang-format off
    return {.FrameStyle = style, .FillColour = kFill, .BorderColour = kBorder,
            .CornerDepth = corner, .ShowShadow = shadow, .ShadowOpacity = opacity,
            .ShadowDepth = depth};
    // clang-format on
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

// The shadow fades outward from next to the body to the background, alike along the right and
// the bottom side, the darker the more opaque; the rounded style smooths its corners. Styles
// other than 0 and 1 show only the background, the host's unless BackColourIs asks for the
// frame's own.
TEST(FramePainter, ShadowAndBackground) {
    Colour darkest = kWhite;
    for (const int16_t opacity : {0, 50, 100}) {
        const Surface s = Paint(Frame(1, 5, opacity));
        std::vector<Colour> right, bottom;
        for (int ring = 1; ring <= 5; ++ring) {
            right.push_back(s.GetPixel(114 + ring, 40));
            bottom.push_back(s.GetPixel(60, 74 + ring));
        }
        EXPECT_EQ(right, bottom);
        EXPECT_TRUE(std::is_sorted(right.begin(), right.end(), std::less_equal<>()));
        EXPECT_EQ(std::pair(right.back(), s.GetPixel(117, 2)), std::pair(kWhite, kWhite));
        EXPECT_LT(right[0], darkest) << opacity;
        darkest = right[0];
    }
    EXPECT_NE(Paint(Frame(0)).image(), Paint(Frame(0), 120, 80, kWhite, false).image());
    Surface blank;
    blank.setBackColour(kWhite);
    blank.resize(120, 80);
    for (const int32_t style : {2, 7, -1})
        EXPECT_EQ(Paint(Frame(style)).image(), blank.image()) << style;
    // A stored True may read as -1.
    const FrameProperties own = {.FrameStyle = 1, .BackColour = Grey(50), .BackColourIs = -1};
    EXPECT_EQ(Paint(own).GetPixel(119, 0), Grey(50));
}

// Values only a store can hold paint safely: depths below 1 without a shadow, above 50 as 50,
// opacities as their limits, and corners past the control without reading beyond its edges
// (the invalid colour there would tint the grey picture red).
TEST(FramePainter, StoredValuesOutsideTheSettersRangePaintSafely) {
    // clang-format off
    const std::pair<FrameProperties, std::optional<FrameProperties>> cases[] = {
        {Frame(0, 0), Frame(0, 5, 50, 10, false)}, {Frame(0, 51), Frame(0, 50)},
        {Frame(0, 5, 150), Frame(0, 5, 100)}, {Frame(0, 5, -20), Frame(0, 5, 0)},
        {Frame(0, 5, 50, 25), {}}, {Frame(0, 5, 50, 50), {}}, {Frame(0, 5, 50, -40), {}}};
    // clang-format on
    for (const auto& [stored, paintedAs] : cases) {
        SCOPED_TRACE(testing::Message() << stored.ShadowDepth << " " << stored.ShadowOpacity << " "
                                        << stored.CornerDepth);
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

// A freshly placed frame takes its colours from the host; saved as it is, nothing is written.
// Saving compares the colours with the host's at that moment. Loading takes values as they stand
// (no clamping, numbers beyond the type saturated), matches names without case even from a
// case-sensitive bag, gives missing ones the defaults and the host's colours, and repaints once
// without telling the host.
TEST(GFXFrameX, FreshSavedAndLoaded) {
    QWidget host;
    host.setPalette(QPalette(Qt::white));
    auto* frame = new GFXFrameX(&host);
    frame->setGeometry(0, 0, 120, 80);  // hidden: no resize event reaches the frame
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
                 "bordercolour": -1, "ShowShadow": false})"),
        Qt::CaseSensitive));
    EXPECT_EQ(saved(), json(R"({"ShadowDepth": 45, "ShadowOpacity": 150, "FrameStyle": 7,
                "CornerDepth": 32767, "BorderColour": 4294967295, "ShowShadow": false})"));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(frame->surface().GetPixel(60, 40), RGBColour(160, 160, 164));  // style 7, Qt::gray
    host.setPalette(QPalette(Qt::white));  // the background follows the host's
    EXPECT_EQ(frame->surface().GetPixel(60, 40), kWhite);
}

// X sets Max, N sets Min and V sets Value on a bar at 0 <= 50 <= 100; then come Max, Min and
// Value as they end: a bound that passes Value takes it along.
TEST(ProgressBar, BoundsClampAndMoveTheValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"X0", "1 0 1"}, {"N-3", "100 0 50"}, {"N100", "100 99 99"}, {"N10 V5", "100 10 10"}};
    for (const auto& [calls, outcome] : cases) {
        ProgressBar bar;
        bar.InitProperties();
        for (const QString& call : QString(calls).split(' ')) {
            const int v = call.mid(1).toInt();
            call[0] == 'X' ? bar.setMax(v) : call[0] == 'N' ? bar.setMin(v) : bar.setValue(v);
        }
        EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(bar.Max()).arg(bar.Min()).arg(bar.Value()),
                  outcome)
            << calls;
    }
}

// Reading fills missing keys with the defaults that writing leaves out, so what is written
// back is what differs: the bar's name as Text and what came from the store. Bounds are read
// in turn (Max, Min, Value) and a value that does not convert is skipped. The main window's bar
// comes back unchanged.
TEST(ProgressBar, StoredDefaultsAreLeftOutOnWrite) {
    QFile file(QStringLiteral(RADIOSIFT_VP1_STORED));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject vp1 = QJsonDocument::fromJson(file.readAll()).object();
    const std::pair<QJsonObject, QJsonObject> cases[] = {
        {QJsonObject(), {{"Text", "vp7"}}},
        {QJsonObject{{"Max", 10}, {"Min", 20}, {"Value", 50}, {"Theme", "blue"}},
         {{"Text", "vp7"}, {"Max", 10}, {"Min", 9}, {"Value", 10}, {"Theme", 0}}},
        {vp1, vp1}};
    for (const auto& [stored, written] : cases) {
        ProgressBar bar;
        bar.setObjectName(QStringLiteral("vp7"));
        bar.ReadProperties(PropertyBag::fromJson(stored));
        // Each setter repainted the bar, which also gave the window its shape.
        EXPECT_EQ(bar.mask(), Surface::RoundRectRegion(0, 0, bar.width(), bar.height(), 5, 5));
        PropertyBag bag;
        bar.WriteProperties(bag);
        EXPECT_EQ(bag.toJson(), written);
    }
}

constexpr Colour kTrack = RGBColour(179, 189, 179);  // theme 9: lower band of the track
constexpr Colour kBarFill = RGBColour(26, 228, 26);  // and of the fill
constexpr Colour kOutline = RGBColour(188, 184, 188);

// Theme 9 is the main window's (no bar of the program is drawn in another theme or upright): its
// fill's length follows Value against Max. Disabled, the bar is grey.
TEST(ProgressBar, FillLengthThemeColoursAndGreying) {
    const std::tuple<int, int, Colour> pixels[] = {
        {99, 10, kBarFill}, {100, 10, kTrack}, {0, 0, kOutline}, {198, 18, kOutline}};
    for (const bool enabled : {true, false}) {
        // No caption, so every pixel is the bar's own.
        ProgressBarState state{.Theme = 9, .Orientations = 1, .Value = 50, .Max = 100};
        state.Enabled = enabled;
        Surface s(200, 20);
        DrawBar(s, state);
        for (const auto& [x, y, colour] : pixels) {
            const Colour c = s.GetPixel(x, y);
            EXPECT_TRUE(enabled ? c == colour : c % 0x10101 == 0 && c != colour)  // or grey
                << x << "," << y << " enabled " << enabled << ": " << std::hex << c;
        }
    }
}

// Percentages show up to 15 significant digits without trailing zeros, in the user's locale;
// Min is not taken off. A caption 50 x 13 on a 200 x 20 bar goes to one of nine places (row and
// column told apart by the top right one).
TEST(ProgressBar, CaptionTextAndPlace) {
    constexpr auto En = QLocale::English, De = QLocale::German;
    // clang-format off
    const std::tuple<int, int, int, int, const char*, QLocale::Language> cases[] = {
        {2, 0, 100, 100, "100%", En}, {2, 50, 50, 100, "50%", En}, {2, 0, 2, 3, "66.6666666666667%", En},
        {2, 0, 2, 3, "66,6666666666667%", De}, {2, 0, 1, 8, "12.5%", En}, {1, 10, 10, 100, "10", En},
        {3, 0, 1, 100, "Done", En}, {4, 0, 1, 100, nullptr, En}};
    // clang-format on
    for (const auto& [style, min, value, max, text, language] : cases) {
        QLocale::setDefault(QLocale(language));
        const ProgressBarState state{
            .TextStyle = style, .Text = "Done", .Min = min, .Value = value, .Max = max};
        EXPECT_EQ(CaptionFor(state), text ? std::optional(QString(text)) : std::nullopt);
    }
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(CaptionPosition(200, 20, 50, 13, 5), QPoint(74, 2));   // the window's: centred
    EXPECT_EQ(CaptionPosition(200, 20, 50, 13, 7), QPoint(147, 0));  // top right
}

// The window shows the bar within its shape: a bar one pixel high or wide has none, so it shows
// nothing of itself, whatever height it had before.
TEST(ProgressBar, ShowsNothingWithoutAShape) {
    const QColor paper(10, 200, 30);
    QWidget host;
    host.resize(60, 40);
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, paper);
    host.setPalette(palette);
    host.setAutoFillBackground(true);
    ProgressBar bar(&host);
    bar.InitProperties();
    for (const auto& [size, shown] :
         {std::pair(QSize(50, 30), true), std::pair(QSize(50, 1), false),
          std::pair(QSize(1, 30), false)}) {
        bar.resize(size);
        const QImage window = host.grab().toImage();
        int barPixels = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) barPixels += window.pixelColor(x, y) != paper;
        EXPECT_EQ(barPixels > 0, shown) << size.width() << "x" << size.height();
    }
}

}  // namespace
