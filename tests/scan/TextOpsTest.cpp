// The text operations the page parsers cut pages with: positions from 1, 0 for not found, and
// the faults that end a page.
#include "TextOps.h"

#include <gtest/gtest.h>

#include <QStringList>

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

struct FindCase {
    const char* text;
    const char* what;
    qsizetype start;
    Qt::CaseSensitivity cs;
    qsizetype expected;
};

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, CountsFromOneAndGivesZeroWhenAbsent) {
    const FindCase& c = GetParam();
    EXPECT_EQ(Find(QString(c.text), QString(c.what), c.start, c.cs), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, FindTest,
                         testing::Values(FindCase{"abcabc", "a", 1, Qt::CaseSensitive, 1},
                                         FindCase{"abcabc", "b", 3, Qt::CaseSensitive, 5},
                                         FindCase{"abc", "c", 3, Qt::CaseSensitive, 3},
                                         FindCase{"abc", "x", 1, Qt::CaseSensitive, 0},
                                         FindCase{"abc", "a", 4, Qt::CaseSensitive, 0},
                                         FindCase{"abc", "a", 99, Qt::CaseSensitive, 0},
                                         FindCase{"", "a", 1, Qt::CaseSensitive, 0},
                                         FindCase{"x>mP3</", "MP3</", 1, Qt::CaseInsensitive, 3},
                                         FindCase{"x>mP3</", "MP3</", 1, Qt::CaseSensitive, 0}));

TEST(FindFaultTest, AStartAtZeroOrBelowIsAFault) {
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
