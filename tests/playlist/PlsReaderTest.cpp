// The PLS reader on playlists as the directory writes them, and on broken ones.
#include "PlsReader.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

namespace {

struct Case {
    const char* what;
    std::vector<const char*> lines;
    const char* address;
    const char* lineEnd = "\n";
};
void PrintTo(const Case& c, std::ostream* os) {
    PrintCaseLabel(c.what, os);
}

QString Playlist(const Case& c) {
    QStringList lines;
    for (const char* line : c.lines) lines.append(QString::fromUtf8(line));
    return lines.join(QString::fromLatin1(c.lineEnd));
}

class PickStreamAddressTest : public ::testing::TestWithParam<Case> {};

TEST_P(PickStreamAddressTest, PicksTheFirstEntryWithRoomElseTheFirstEntry) {
    EXPECT_EQ(PickStreamAddress(Playlist(GetParam())), QString::fromUtf8(GetParam().address))
        << GetParam().what;
}

// Two entries: the first full, the second with the given title; then its Length line and one
// more, so that entry 2 is looked at.
Case Second(const char* what, const char* title2, const char* address) {
    return Case{what,
                {"[playlist]", "numberofentries=2", "File1=stream-a", "Title1=(#1 - 95/100) A",
                 "Length1=-1", "File2=stream-b", title2, "Length2=-1", "Version=2"},
                address};
}

INSTANTIATE_TEST_SUITE_P(
    Playlists, PickStreamAddressTest,
    ::testing::Values(
        Case{"one full entry falls back to it",
             {"[playlist]", "numberofentries=1", "File1=stream-a", "Title1=(#1 - 95/100) A",
              "Length1=-1", "Version=2"},
             "stream-a"},
        Second("the second entry has room", "Title2=(#2 - 10/100) A", "stream-b"),
        Case{"no line after Length2: entry 2 is passed over",
             {"[playlist]", "numberofentries=2", "File1=stream-a", "Title1=(#1 - 95/100) A",
              "Length1=-1", "File2=stream-b", "Title2=(#2 - 10/100) A", "Length2=-1"},
             "stream-a"},
        Second("90 x 1.1 is below 100", "Title2=(#2 - 90/100) B", "stream-b"),
        Second("91 x 1.1 is not", "Title2=(#2 - 91/100) B", "stream-a"),
        Second("blanks around the numbers", "Title2=(#2 -  10 / 100 ) B", "stream-b"),
        Second("90.5 rounds to 90", "Title2=(#2 - 90.5/100) B", "stream-b"),
        Second("91.5 rounds to 92", "Title2=(#2 - 91.5/100) B", "stream-a"),
        Second("an unreadable count keeps entry 1's 95", "Title2=(#2 - many/100) B", "stream-a"),
        Case{"a chosen File line without = gives the fallback",
             {"[playlist]", "numberofentries=2", "File1=stream-a", "Title1=(#1 - 95/100) A",
              "Length1=-1", "File2 stream-b", "Title2=(#2 - 1/100) B", "Length2=-1", ""},
             "stream-a"},
        Case{"a value ends at the next =",
             {"[playlist]", "numberofentries=1", "File1=http://s.test/?id=7",
              "Title1=(#1 - 1/100) A", "Length1=-1", ""},
             "http://s.test/?id"},
        Case{"an upper-case count key",
             {"[playlist]", "NUMBEROFENTRIES=2", "File1=stream-a", "Title1=(#1 - 95/100) A",
              "Length1=-1", "File2=stream-b", "Title2=(#2 - 10/100) A", "Length2=-1", ""},
             "stream-b"},
        Case{"a count far beyond the entries",
             {"[playlist]", "numberofentries=2147483647", "File1=stream-a",
              "Title1=(#1 - 95/100) A", "Length1=-1", ""},
             "stream-a"},
        Case{"no count line",
             {"[playlist]", "File1=stream-a", "Title1=(#1 - 1/100) A", "Length1=-1", "", ""},
             ""},
        Case{"a count that is not a number",
             {"[playlist]", "numberofentries=two", "File1=stream-a", "Title1=(#1 - 1/100) A",
              "Length1=-1", ""},
             ""},
        Case{"entry 1's File line without =",
             {"[playlist]", "numberofentries=1", "File1 stream-a", "Title1=(#1 - 95/100) A",
              "Length1=-1", ""},
             ""},
        Case{"fewer than four lines", {"[playlist]", "numberofentries=1", "File1=stream-a"}, ""},
        Case{"CR LF line ends: the count reads and the address has no CR",
             {"[playlist]", "numberofentries=2", "File1=stream-a", "Title1=(#1 - 95/100) A",
              "Length1=-1", "File2=stream-b", "Title2=(#2 - 10/100) A", "Length2=-1", ""},
             "stream-b",
             "\r\n"}));

}  // namespace
