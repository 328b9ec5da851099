// The progress bar: its property rules (clamping, notification, storing and restoring), the
// pixels it paints and its caption.
#include "ProgressBar.h"
#include "ProgressBarCaption.h"
#include "ProgressBarPainter.h"
#include "PropertyBag.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QLocale>
#include <QSignalSpy>

// States are written with designated initializers; what they leave out stays default.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using namespace ProgressBarPainter;

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
constexpr Colour kFill = RGBColour(26, 228, 26);          // palette 12
constexpr Colour kOutline = RGBColour(188, 184, 188);     // palette 16
constexpr Colour kTrackUpper = RGBColour(228, 231, 228);  // halfway down the upper band
constexpr Colour kFillUpper = RGBColour(165, 253, 165);

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
              {150, 15, RGBColour(202, 213, 202)}, {50, 5, kFillUpper}, {50, 10, kFill},
              {50, 15, RGBColour(121, 236, 121)}, {0, 0, kOutline}, {198, 18, kOutline}}},
        {{.width = 201},          {{99, 10, kFill}, {100, 10, kTrack}}},   // 100.5 -> 100
        {{.width = 203},          {{101, 10, kFill}, {102, 10, kTrack}}},  // 101.5 -> 102
        {{.value = 1, .max = 3},  {{66, 10, kFill}, {67, 10, kTrack}}},
        {{.min = 50},             {{99, 10, kFill}, {100, 10, kTrack}}},  // 200 wide; Min ignored
        {{.value = 0},            {{1, 10, kTrack}, {1, 5, kTrackUpper}}},
        {{.orientation = 2, .value = 25, .width = 20, .height = 200},  // halves at column 10
         {{10, 49, kFill}, {10, 50, kTrack}, {5, 20, kFillUpper}, {5, 100, kTrackUpper}}},
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

}  // namespace
