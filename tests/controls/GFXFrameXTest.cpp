// Tests of the frame widget: setters, storage, and what repaints it.
#include "GFXFrameX.h"
#include "PropertyBag.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QSignalSpy>
#include <functional>

namespace {

constexpr Colour kWhite = RGBColour(255, 255, 255);
constexpr Colour kGrey = RGBColour(128, 128, 128);

void SetHostBackground(QWidget& host, Colour colour) {
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, QColor(colour & 0xFF, (colour >> 8) & 0xFF, colour >> 16));
    host.setPalette(palette);
}

PropertyBag Stored(const char* json, Qt::CaseSensitivity nameCase = Qt::CaseInsensitive) {
    return PropertyBag::fromJson(QJsonDocument::fromJson(json).object(), nameCase);
}

// A hidden white host with a 120 x 80 frame: no resize event reaches the frame until shown.
class FrameOnHost : public ::testing::Test {
protected:
    FrameOnHost() {
        SetHostBackground(host, kWhite);
        frame = new GFXFrameX(&host);
        frame->setGeometry(0, 0, 120, 80);
    }
    bool painted() const { return frame->surface().width() > 0; }

    QWidget host;
    GFXFrameX* frame = nullptr;
};

TEST_F(FrameOnHost, AFreshFrameHasTheDefaultsAndPaintsNothing) {
    SetHostBackground(host, kGrey);
    auto* fresh = new GFXFrameX(&host);
    fresh->resize(50, 40);
    EXPECT_EQ(fresh->FrameStyle(), 1);
    EXPECT_EQ(fresh->ShadowOpacity(), 50);
    EXPECT_TRUE(fresh->ShowShadow());
    EXPECT_EQ(fresh->ShadowDepth(), 5);
    EXPECT_EQ(fresh->FillColour(), kGrey);
    EXPECT_EQ(fresh->BackColour(), kGrey);
    EXPECT_EQ(fresh->BackColourIs(), 0);
    EXPECT_EQ(fresh->BorderColour(), 0u);
    EXPECT_EQ(fresh->CornerDepth(), 10);
    EXPECT_EQ(fresh->surface().width(), 0);
}

struct SetterCase {
    const char* name;
    std::function<void(GFXFrameX&, int)> set;
    std::function<int(const GFXFrameX&)> get;
    int value;
    int stored;
};

class Setter : public ::testing::TestWithParam<SetterCase> {};

// Each setter stores (clamped), then tells the host, then repaints: the notification already
// sees the new value but not yet the new picture. Equal values repaint too.
TEST_P(Setter, StoresClampedThenNotifiesThenRepaints) {
    const SetterCase& c = GetParam();
    QWidget host;
    GFXFrameX frame(&host);
    frame.resize(30, 20);
    int seenValue = -12345;
    int seenWidth = -1;
    QSignalSpy spy(&frame, &GFXFrameX::PropertyChanged);
    QObject::connect(&frame, &GFXFrameX::PropertyChanged, [&] {
        seenValue = c.get(frame);
        seenWidth = frame.surface().width();
    });
    c.set(frame, c.value);
    EXPECT_EQ(c.get(frame), c.stored);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QString::fromLatin1(c.name));
    EXPECT_EQ(seenValue, c.stored);
    EXPECT_EQ(seenWidth, 0);
    EXPECT_EQ(frame.surface().width(), 30);
}

SetterCase Depth(int value, int stored) {
    return {"ShadowDepth", [](GFXFrameX& f, int v) { f.setShadowDepth(static_cast<int16_t>(v)); },
            [](const GFXFrameX& f) { return int{f.ShadowDepth()}; }, value, stored};
}
SetterCase Opacity(int value, int stored) {
    return {"ShadowOpacity",
            [](GFXFrameX& f, int v) { f.setShadowOpacity(static_cast<int16_t>(v)); },
            [](const GFXFrameX& f) { return int{f.ShadowOpacity()}; }, value, stored};
}
SetterCase Corner(int value, int stored) {
    return {"CornerDepth", [](GFXFrameX& f, int v) { f.setCornerDepth(static_cast<int16_t>(v)); },
            [](const GFXFrameX& f) { return int{f.CornerDepth()}; }, value, stored};
}

INSTANTIATE_TEST_SUITE_P(
    GFXFrameX, Setter,
    ::testing::Values(
        Depth(41, 50), Depth(45, 50), Depth(1000, 50), Depth(40, 40), Depth(5, 5), Depth(2, 2),
        Depth(1, 2), Depth(0, 2), Depth(-5, 2), Opacity(150, 100), Opacity(100, 100),
        Opacity(-1, 0), Corner(60, 50), Corner(50, 50), Corner(-3, 0),
        SetterCase{"FrameStyle", [](GFXFrameX& f, int v) { f.setFrameStyle(v); },
                   [](const GFXFrameX& f) { return f.FrameStyle(); }, 7, 7},
        SetterCase{"ShowShadow", [](GFXFrameX& f, int v) { f.setShowShadow(v != 0); },
                   [](const GFXFrameX& f) { return int{f.ShowShadow()}; }, 0, 0},
        SetterCase{"FillColour", [](GFXFrameX& f, int v) { f.setFillColour(Colour(v)); },
                   [](const GFXFrameX& f) { return int(f.FillColour()); }, 0x123456, 0x123456},
        SetterCase{"BackColour", [](GFXFrameX& f, int v) { f.setBackColour(Colour(v)); },
                   [](const GFXFrameX& f) { return int(f.BackColour()); }, 0x10, 0x10},
        SetterCase{"BackColourIs", [](GFXFrameX& f, int v) { f.setBackColourIs(v); },
                   [](const GFXFrameX& f) { return f.BackColourIs(); }, -4, -4},
        SetterCase{"BorderColour", [](GFXFrameX& f, int v) { f.setBorderColour(Colour(v)); },
                   [](const GFXFrameX& f) { return int(f.BorderColour()); }, 0xC0C0C0, 0xC0C0C0}),
    [](const auto& info) {
        return std::string(info.param.name) + "_" + std::to_string(info.index);
    });

TEST_F(FrameOnHost, LoadingTakesValuesAsTheyStandQuietlyAndPaintsOnce) {
    QSignalSpy spy(frame, &GFXFrameX::PropertyChanged);
    SetHostBackground(host, kGrey);
    frame->ReadProperties(Stored(
        R"({"shadowdepth": 45, "SHADOWOPACITY": 150, "cornerdepth": 60, "framestyle": 7,
            "bordercolour": 12632256, "ShowShadow": false})"));
    EXPECT_EQ(frame->ShadowDepth(), 45);
    EXPECT_EQ(frame->ShadowOpacity(), 150);
    EXPECT_EQ(frame->CornerDepth(), 60);
    EXPECT_EQ(frame->FrameStyle(), 7);
    EXPECT_EQ(frame->BorderColour(), RGBColour(192, 192, 192));
    EXPECT_FALSE(frame->ShowShadow());
    // Colours not stored follow the host as it is now.
    EXPECT_EQ(frame->FillColour(), kGrey);
    EXPECT_EQ(frame->BackColour(), kGrey);
    EXPECT_EQ(spy.count(), 0);
    ASSERT_TRUE(painted());
    EXPECT_EQ(frame->surface().GetPixel(60, 40), kGrey);  // style 7: background only
}

TEST_F(FrameOnHost, AnEmptyStoreLoadsTheDefaults) {
    frame->setFrameStyle(0);
    frame->setShadowDepth(9);
    frame->setFillColour(0x102030);
    frame->ReadProperties(PropertyBag(Qt::CaseInsensitive));
    EXPECT_EQ(frame->FrameStyle(), 1);
    EXPECT_EQ(frame->ShadowDepth(), 5);
    EXPECT_EQ(frame->FillColour(), kWhite);
}

TEST_F(FrameOnHost, NamesMatchWithoutCaseEvenFromACaseSensitiveBag) {
    frame->ReadProperties(Stored(R"({"FRAMESTYLE": 0, "backcolouris": 1})", Qt::CaseSensitive));
    EXPECT_EQ(frame->FrameStyle(), 0);
    EXPECT_EQ(frame->BackColourIs(), 1);
}

TEST_F(FrameOnHost, StoredNumbersBeyondSixteenBitsAreSaturated) {
    frame->ReadProperties(Stored(R"({"ShadowDepth": 100000, "CornerDepth": -100000,
                                     "FillColour": -1})"));
    EXPECT_EQ(frame->ShadowDepth(), 32767);
    EXPECT_EQ(frame->CornerDepth(), -32768);
    EXPECT_EQ(frame->FillColour(), InvalidColour);
}

TEST_F(FrameOnHost, SavingLeavesOutDefaultsTakenFromTheHostAtThatMoment) {
    PropertyBag fresh(Qt::CaseInsensitive);
    frame->WriteProperties(fresh);
    EXPECT_TRUE(fresh.values().isEmpty());

    frame->setShadowDepth(45);  // stored as 50
    frame->setBorderColour(RGBColour(192, 192, 192));
    PropertyBag changed(Qt::CaseInsensitive);
    frame->WriteProperties(changed);
    EXPECT_EQ(changed.values().keys(), (QStringList{"BorderColour", "ShadowDepth"}));
    EXPECT_EQ(changed.ReadProperty("ShadowDepth", 5).toInt(), 50);

    // The fill was the host's white; once the host is grey the white is no longer a default.
    SetHostBackground(host, kGrey);
    PropertyBag later(Qt::CaseInsensitive);
    frame->WriteProperties(later);
    EXPECT_EQ(later.ReadProperty("FillColour", 0u).toUInt(), kWhite);
    EXPECT_EQ(later.ReadProperty("BackColour", 0u).toUInt(), kWhite);

    // Read back on the grey host, the values come back as they were saved.
    auto* copy = new GFXFrameX(&host);
    copy->ReadProperties(PropertyBag::fromJson(later.toJson(), Qt::CaseInsensitive));
    EXPECT_EQ(copy->FillColour(), kWhite);
    EXPECT_EQ(copy->ShadowDepth(), 50);
    EXPECT_EQ(copy->BorderColour(), RGBColour(192, 192, 192));
}

TEST_F(FrameOnHost, ResizingRepaintsAtTheNewSize) {
    host.show();
    frame->resize(70, 30);
    EXPECT_EQ(frame->surface().width(), 70);
    EXPECT_EQ(frame->surface().height(), 30);
}

// With BackColourIs 0 the background follows the host; a font change repaints as well (seen
// here by the surface taking the size the frame was given while its host was hidden).
TEST_F(FrameOnHost, AmbientChangesOfTheHostRepaint) {
    frame->setFrameStyle(2);
    SetHostBackground(host, kGrey);
    EXPECT_EQ(frame->surface().GetPixel(0, 0), kGrey);

    frame->resize(44, 33);
    ASSERT_EQ(frame->surface().width(), 120);
    QFont font = host.font();
    font.setPointSize(font.pointSize() + 3);
    host.setFont(font);
    EXPECT_EQ(frame->surface().width(), 44);
}

TEST_F(FrameOnHost, TheWidgetShowsTheRetainedPicture) {
    frame->setFrameStyle(1);
    host.show();
    const QImage shown = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, frame->surface().image());
}

}  // namespace
