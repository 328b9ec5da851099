// Tests of the property bag: defaults on read and write, name matching, the JSON form.
#include "PropertyBag.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QJsonDocument>

namespace {

TEST(PropertyBag, AMissingNameReadsAsTheDefault) {
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("Depth", 5).toInt(), 5);
    bag.WriteProperty("Depth", 9, 5);
    EXPECT_EQ(bag.ReadProperty("Depth", 5).toInt(), 9);
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotWrittenAndReplacesAnOlderOne) {
    PropertyBag bag;
    bag.WriteProperty("Depth", 5, 5);
    EXPECT_FALSE(bag.contains("Depth"));
    bag.WriteProperty("Depth", 9, 5);
    bag.WriteProperty("Depth", 5, 5);
    EXPECT_FALSE(bag.contains("Depth"));
    // The same number in another integer type is still the default.
    bag.WriteProperty("Depth", QVariant::fromValue<qint16>(5), 5);
    EXPECT_FALSE(bag.contains("Depth"));
    // Under a different default the value is stored.
    bag.WriteProperty("Depth", 5, 10);
    EXPECT_EQ(bag.ReadProperty("Depth", 10).toInt(), 5);
}

struct NameCase {
    Qt::CaseSensitivity nameCase;
    bool matchesOtherCase;
};

class PropertyBagNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PropertyBagNames, MatchOtherCaseOnlyWhenAskedTo) {
    PropertyBag bag(GetParam().nameCase);
    bag.WriteProperty("framestyle", 0, 1);
    EXPECT_EQ(bag.contains("FrameStyle"), GetParam().matchesOtherCase);
    EXPECT_EQ(bag.ReadProperty("FRAMESTYLE", 1).toInt(), GetParam().matchesOtherCase ? 0 : 1);

    // Writing under another spelling replaces the value (or adds one) but keeps one entry per
    // name, spelled as first stored.
    bag.WriteProperty("FrameStyle", 7, 1);
    EXPECT_EQ(bag.values().size(), GetParam().matchesOtherCase ? 1 : 2);
    EXPECT_EQ(bag.values().value("framestyle").toInt(), GetParam().matchesOtherCase ? 7 : 0);
}

INSTANTIATE_TEST_SUITE_P(PropertyBag, PropertyBagNames,
                         ::testing::Values(NameCase{Qt::CaseSensitive, false},
                                           NameCase{Qt::CaseInsensitive, true}));

TEST(PropertyBagJson, ValuesOfEveryKindSurviveARoundTrip) {
    PropertyBag bag;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    bag.WriteProperty("Colour", QColor(240, 240, 246), QColor(Qt::black));
    bag.WriteProperty("Font", font, QFont());
    bag.WriteProperty("Flag", false, true);
    bag.WriteProperty("Text", QStringLiteral(" "), QString());
    bag.WriteProperty("Depth", QVariant::fromValue<qint16>(-45), 5);
    bag.WriteProperty("Number", 0xF0EDECu, 0u);

    // Through the text form, as the program keeps it.
    const QJsonObject json = bag.toJson();
    const PropertyBag loaded =
        PropertyBag::fromJson(QJsonDocument::fromJson(QJsonDocument(json).toJson()).object());
    EXPECT_EQ(loaded.ReadProperty("Colour", QColor(Qt::black)).value<QColor>(),
              QColor(240, 240, 246));
    const QFont read = loaded.ReadProperty("Font", QFont()).value<QFont>();
    EXPECT_EQ(read.family(), font.family());
    EXPECT_DOUBLE_EQ(read.pointSizeF(), 8.25);
    EXPECT_TRUE(read.bold());
    EXPECT_FALSE(read.italic());
    EXPECT_FALSE(loaded.ReadProperty("Flag", true).toBool());
    EXPECT_EQ(loaded.ReadProperty("Text", QString()).toString(), QStringLiteral(" "));
    EXPECT_EQ(loaded.ReadProperty("Depth", 5).toInt(), -45);
    EXPECT_EQ(loaded.ReadProperty("Number", 0u).toUInt(), 0xF0EDECu);
}

TEST(PropertyBagJson, ColoursAreColourNumbersAndFontsAreObjects) {
    PropertyBag bag;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    font.setItalic(true);
    bag.WriteProperty("Fill", QColor(240, 240, 246), QColor());
    bag.WriteProperty("Font", font, QFont());
    const QJsonObject json = bag.toJson();
    EXPECT_EQ(json.value("Fill").toInteger(), 0x00F6F0F0);
    const QJsonObject stored = json.value("Font").toObject();
    EXPECT_EQ(stored.value("Name").toString(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(stored.value("Size").toDouble(), 12.0);
    EXPECT_FALSE(stored.value("Bold").toBool(true));
    EXPECT_TRUE(stored.value("Italic").toBool());
}

TEST(PropertyBagJson, ANumberReadsAsAColourAndAFontNeedsOnlyItsName) {
    const PropertyBag bag = PropertyBag::fromJson(
        QJsonDocument::fromJson(R"({"fill": 15789548, "font": {"Name": "Tahoma"}})").object());
    EXPECT_EQ(bag.ReadProperty("fill", QColor()).value<QColor>(), QColor(236, 237, 240));
    const QFont font = bag.ReadProperty("font", QFont()).value<QFont>();
    EXPECT_EQ(font.family(), QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_FALSE(font.bold());
}

TEST(PropertyBagJson, AValueThatCannotTakeTheDefaultsTypeReadsAsTheDefault) {
    const PropertyBag bag =
        PropertyBag::fromJson(QJsonDocument::fromJson(R"({"depth": "deep"})").object());
    EXPECT_EQ(bag.ReadProperty("depth", 5).toInt(), 5);
    EXPECT_EQ(bag.ReadProperty("depth", QVariant()).toString(), QStringLiteral("deep"));
}

TEST(PropertyBagJson, NamesDifferingOnlyInCaseKeepTheFirstWhenMatchedWithoutCase) {
    const PropertyBag bag = PropertyBag::fromJson(
        QJsonDocument::fromJson(R"({"Depth": 1, "depth": 2})").object(), Qt::CaseInsensitive);
    EXPECT_EQ(bag.values().size(), 1);
    EXPECT_EQ(bag.ReadProperty("DEPTH", 0).toInt(), 1);  // JSON members come sorted
    EXPECT_EQ(bag.nameCase(), Qt::CaseInsensitive);
}

}  // namespace
