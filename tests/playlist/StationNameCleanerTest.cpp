// The station-name cleaner: what it takes out, in which order, and what it leaves.
#include "StationNameCleaner.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* cleaned;
};
void PrintTo(const Case& c, std::ostream* os) {
    PrintCaseLabel(c.name, os);
}

class CleanStationNameTest : public ::testing::TestWithParam<Case> {};

TEST_P(CleanStationNameTest, RemovesTheFifteenTextsAndNothingElse) {
    QString name = QString::fromUtf8(GetParam().name);
    CleanStationName(name);
    EXPECT_EQ(name, QString::fromUtf8(GetParam().cleaned));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CleanStationNameTest,
    ::testing::Values(Case{"AC/DC Radio: Live!", "ACDC Radio Live"}, Case{"(www.Rock)", "Rock"},
                      Case{"WWW.Rock", "WWW.Rock"},   // exact case only
                      Case{"w/ww.x", "x"},            // the slash goes first
                      Case{"ww\\w.x w:ww.y", "x y"},  // so do "\" and ":"
                      Case{"Radio \"One\"", "Radio One"}, Case{"!!!", ""},
                      Case{"/\\:*?\"<>|()!~@www.", ""},
                      Case{" Jazz & Blues, #1 + 50% 'live'. ", " Jazz & Blues, #1 + 50% 'live'. "},
                      Case{"CON\x01", "CON\x01"}));

}  // namespace
