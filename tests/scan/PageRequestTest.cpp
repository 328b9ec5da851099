// What the window cannot show of a page request: query keys no option of the window reaches,
// the host of the current layout, odd header lines, and the timing line in other locales.
#include "DownloadTime.h"
#include "FetchText.h"
#include "QueryAddress.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <random>

namespace {

TEST(PageRequest, OnlySearchIsSearchAndNothingIsPercentEncoded) {
    qputenv("RADIOSIFT_CLASSIC_HOST", "classic.test");
    qputenv("RADIOSIFT_MAIN_HOST", "main.test:8080");
    PageQuery query;
    query.genre = "search";  // a genre: the search text is not sent
    query.searchText = "abc";
    query.maxBitrateText = "9";  // one character: not sent
    EXPECT_EQ(BuildQueryAddress(query), "http://classic.test/directory/index.phtml?&sgenre=search");
    query.genre = "R&B é";
    query.currentLayout = true;
    EXPECT_EQ(BuildQueryAddress(query), "http://main.test:8080/index.jsp?&sgenre=R&B é");
}

// Line ends: every LF dropped, then every CR made CR LF, whatever the mix.
TEST(PageRequest, LineEndsAreThoseOfRemovingLfThenDoublingCr) {
    std::mt19937 engine(3);
    for (int round = 0; round < 5000; ++round) {
        QString text;
        const int length = std::uniform_int_distribution<int>(0, 30)(engine);
        for (int i = 0; i < length; ++i)
            text += QChar(u"\r\nab"[std::uniform_int_distribution<int>(0, 3)(engine)]);
        QString expected = text;
        expected.remove(u'\n');
        expected.replace(u'\r', QStringLiteral("\r\n"));
        ASSERT_EQ(NormaliseLineEnds(text), expected) << text.toStdString();
    }
}

TEST(PageRequest, HeaderLinesLoseStrayLineBreaksAndTextAfterTheLastLineEnd) {
    EXPECT_EQ(SplitHeaderLines("A: 1\r\nB: \n2\r\ntail"), QStringList({"A: 1", "B: 2"}));
}

TEST(PageRequest, TheTimingLineHasThreeDecimalsInTheLocaleNotation) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(DownloadTimeLine(0.0f, 1234.25f), "Pure HTML doc dwnl time=1234.250 secs");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(DownloadTimeLine(10.0f, 12.125f), "Pure HTML doc dwnl time=2,125 secs");
    QLocale::setDefault(previous);
}

}  // namespace
