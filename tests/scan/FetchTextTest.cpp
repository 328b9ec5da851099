// Line ends of a fetched page, header lines, and the timing line.
#include "DownloadTime.h"
#include "FetchText.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

TEST(NormaliseLineEnds, KeepsCrLfJoinsLfAndCompletesCr) {
    EXPECT_EQ(NormaliseLineEnds(QStringLiteral("a\r\nb\r\n")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(NormaliseLineEnds(QStringLiteral("a\nb\nc\n")), QStringLiteral("abc"));
    EXPECT_EQ(NormaliseLineEnds(QStringLiteral("a\rb\r")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(NormaliseLineEnds(QStringLiteral("a\n\rb\r\r\n")), QStringLiteral("a\r\nb\r\n\r\n"));
}

TEST(SplitHeaderLines, OneItemPerCrLfLine) {
    EXPECT_EQ(SplitHeaderLines(QStringLiteral("A: 1\r\nB: 2\r\n")), QStringList({"A: 1", "B: 2"}));
    // The blank line that ends a header gives one empty item.
    EXPECT_EQ(SplitHeaderLines(QStringLiteral("A: 1\r\nB: 2\r\n\r\n")), QStringList({"A: 1", "B: 2", ""}));
    // Text after the last CR LF is not an item; stray line breaks are removed.
    EXPECT_EQ(SplitHeaderLines(QStringLiteral("A: 1\r\nB: \n2\r\ntail")), QStringList({"A: 1", "B: 2"}));
    EXPECT_TRUE(SplitHeaderLines(QStringLiteral("no line end")).isEmpty());
    EXPECT_EQ(SplitHeaderLines(QStringLiteral("\r\n\r\n")), QStringList({"", ""}));
}

TEST(DownloadTimeLine, ThreeDecimalsInTheLocaleNotation) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(DownloadTimeLine(10.0f, 10.5f), QStringLiteral("Pure HTML doc dwnl time=0.500 secs"));
    EXPECT_EQ(DownloadTimeLine(0.0f, 1234.25f), QStringLiteral("Pure HTML doc dwnl time=1234.250 secs"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(DownloadTimeLine(0.0f, 2.125f), QStringLiteral("Pure HTML doc dwnl time=2,125 secs"));
    QLocale::setDefault(previous);
}

}  // namespace
