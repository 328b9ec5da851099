// The text operations the page parsers cut pages with: positions from 1, 0 for not found, and
// the faults that end a page.
#include "TextOps.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <tuple>

namespace {

QStringList AllPieces(const QString& text, const QString& delimiter) {
    const Pieces pieces = Split(text, delimiter);
    QStringList out;
    for (qsizetype i = 0; i <= pieces.lastIndex(); ++i) out.append(pieces.at(i).toString());
    return out;
}

TEST(SplitTest, KeepsEmptyPiecesAndGivesOnePieceWithoutTheDelimiter) {
    EXPECT_EQ(AllPieces("abc", ","), QStringList({"abc"}));
    EXPECT_EQ(AllPieces("", ","), QStringList({""}));
    EXPECT_EQ(AllPieces(",a,,b,", ","), QStringList({"", "a", "", "b", ""}));
    EXPECT_EQ(AllPieces("aXYbXY", "XY"), QStringList({"a", "b", ""}));
    EXPECT_EQ(AllPieces("aaa", "aa"), QStringList({"", "a"}));
    EXPECT_EQ(AllPieces("ab", "B"), QStringList({"ab"}));  // the delimiter matches exactly
}

TEST(SplitTest, AMissingPieceIsAFault) {
    const QString text = "a,b";
    const Pieces pieces = Split(text, u",");
    EXPECT_EQ(pieces.at(1), u"b");
    EXPECT_THROW(pieces.at(2), PageFault);
    EXPECT_THROW(pieces.at(-1), PageFault);
}

TEST(FindTest, CountsFromOneAndGivesZeroWhenAbsent) {
    constexpr auto cs = Qt::CaseSensitive;
    const std::tuple<const char*, const char*, qsizetype, Qt::CaseSensitivity, qsizetype> cases[] =
        {{"abcabc", "a", 1, cs, 1},     {"abcabc", "b", 3, cs, 5},
         {"abc", "c", 3, cs, 3},        {"abc", "x", 1, cs, 0},
         {"abc", "a", 4, cs, 0},        {"abc", "a", 99, cs, 0},
         {"", "a", 1, cs, 0},           {"x>mP3</", "MP3</", 1, Qt::CaseInsensitive, 3},
         {"x>mP3</", "MP3</", 1, cs, 0}};
    for (const auto& [text, what, start, sensitivity, expected] : cases)
        EXPECT_EQ(Find(QString(text), QString(what), start, sensitivity), expected) << text << what;
}

TEST(FindTest, AStartAtZeroOrBelowIsAFault) {
    EXPECT_THROW(Find(u"abc", u"a", 0), PageFault);
    EXPECT_THROW(Find(u"abc", u"a", -3), PageFault);
    EXPECT_THROW(Find(u"", u"a", 0), PageFault);
}

TEST(CutTest, TakesAtMostLengthCharactersFromStart) {
    EXPECT_EQ(Cut(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(Cut(u"abc", 2, 10), u"bc");  // past the end: what there is
    EXPECT_EQ(Cut(u"abc", 4, 1), u"");
    EXPECT_EQ(Cut(u"abc", 1, 0), u"");
    EXPECT_EQ(Cut(u"abc", 2), u"bc");
    EXPECT_EQ(Cut(u"abc", 9), u"");
}

TEST(CutTest, ANegativeLengthOrAStartAtZeroIsAFault) {
    EXPECT_THROW(Cut(u"abc", 1, -1), PageFault);
    EXPECT_THROW(Cut(u"abc", 0, 1), PageFault);
    EXPECT_THROW(Cut(u"abc", 0), PageFault);
}

TEST(TrimTest, RemovesBlanksOnly) {
    EXPECT_EQ(Trim(u"  a b  "), u"a b");
    EXPECT_EQ(Trim(u"\t a \r\n"), u"\t a \r\n");
    EXPECT_EQ(Trim(u"   "), u"");
}

TEST(LeadingNumberTest, ReadsTheNumberATextStartsWith) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},    {"128", 128},   {"128kbps", 128}, {" 64", 64},    {"abc", 0},
        {"-5", -5}, {"12.5", 12.5}, {".5", 0.5},      {"1e3x", 1000}, {"1e", 1},
        {"+", 0},   {".", 0},       {"6 4", 6}};
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(QString(text)), value) << text;
}

}  // namespace
