// The text operations the page parsers cut pages with: positions from 1, 0 for not found, and
// the faults that end a page.
#include "TextOps.h"

#include <gtest/gtest.h>

namespace {

TEST(TextOps, PositionsCountFromOneAFailedFindGivesZeroAndACutStopsAtTheEnd) {
    EXPECT_EQ(Find(u"abc", u"a", 1), 1);
    EXPECT_EQ(Find(u"abcabc", u"b", 3), 5);
    EXPECT_EQ(Find(u"abc", u"x", 1), 0);
    EXPECT_EQ(Find(u"abc", u"a", 4), 0);
    EXPECT_EQ(Find(u"x>mP3</", u"MP3</", 1), 0);
    EXPECT_EQ(Find(u"x>mP3</", u"MP3</", 1, Qt::CaseInsensitive), 3);
    EXPECT_EQ(Cut(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(Cut(u"abc", 2, 10), u"bc");
    EXPECT_EQ(Cut(u"abc", 4, 1), u"");
    EXPECT_EQ(Cut(u"abc", 2), u"bc");
    EXPECT_EQ(Cut(u"abc", 9), u"");
    const Pieces pieces = Split(u",a,,b,", u",");  // empty pieces count
    EXPECT_EQ(pieces.lastIndex(), 4);
    EXPECT_EQ(pieces.at(3), u"b");
}

TEST(TextOps, AMissingPieceAFindFromZeroAndANegativeOrZeroCutEndThePage) {
    EXPECT_THROW(Split(u"a,b", u",").at(2), PageFault);
    EXPECT_THROW(Split(u"a,b", u",").at(-1), PageFault);
    EXPECT_THROW(Find(u"abc", u"a", 0), PageFault);
    EXPECT_THROW(Cut(u"abc", 1, -1), PageFault);
    EXPECT_THROW(Cut(u"abc", 0, 1), PageFault);
    EXPECT_THROW(Cut(u"abc", 0), PageFault);
}

TEST(TextOps, LeadingNumberReadsTheNumberATextStartsWith) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},    {"128kbps", 128}, {" 64", 64}, {"abc", 0}, {"-5", -5}, {"12.5", 12.5},
        {".5", 0.5}, {"1e3x", 1000},  {"1e", 1},   {"+", 0},   {".", 0},   {"6 4", 6}};
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(QString(text)), value) << text;
}

}  // namespace
