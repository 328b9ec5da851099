// The text operations the page parsers cut pages with, and the texts around a page request. What
// the cuts give, and how an impossible cut ends a page, is checked through the page parsers.
#include "DownloadTime.h"
#include "FetchText.h"
#include "QueryAddress.h"
#include "ScopedEnv.h"
#include "TextOps.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <random>

namespace {

QStringList AllPieces(const QString& text, const QString& delimiter) {
    const Pieces pieces = Split(text, delimiter);
    QStringList out;
    for (qsizetype i = 0; i <= pieces.lastIndex(); ++i) out.append(pieces.at(i).toString());
    return out;
}

// The searches and the line-end rewrite are our own, for speed, and must agree with Qt's on
// random texts over an alphabet of units that trouble a search (case folds to ASCII, low bytes of
// '<' and '/', units above 0x7FFF, line ends, a surrogate pair), some longer than the stack room.
TEST(TextOps, AgreeWithQtOnRandomTexts) {
    std::mt19937 engine(20240611);
    const auto below = [&](qsizetype n) {
        return std::uniform_int_distribution<qsizetype>(0, n - 1)(engine);
    };
    const auto random = [&](int longest) {
        static const char16_t alphabet[] =
            u"</aAkK\u212As\u017F\u013C\u012F\u803C\uFF0F3\">\xE9\xC9\r\n";
        QString out;
        for (qsizetype i = below(longest + 1); i > 0; --i) {
            const qsizetype pick = below(std::size(alphabet));
            out +=
                alphabet[pick] ? QString(QChar(alphabet[pick])) : QString::fromUtf16(u"\U0001F3B5");
        }
        return out;
    };
    for (int round = 0; round < 30000; ++round) {
        const QString text = random(round % 8 ? 40 : 300), what = random(4);
        SCOPED_TRACE(testing::Message() << text.toStdString() << " / " << what.toStdString());
        const qsizetype start = 1 + below(text.size() + 2);
        for (const auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            ASSERT_EQ(Find(text, what, start, cs),
                      (start > text.size() ? -1 : text.indexOf(what, start - 1, cs)) + 1)
                << "from " << start << (cs == Qt::CaseSensitive ? "" : ", case-blind");
            ScratchText ours;
            ours.append(QStringView(text).utf16(), text.size());
            RemoveAll(ours, what, cs);
            ASSERT_EQ(View(ours), QString(text).remove(what, cs));
        }
        if (!what.isEmpty()) {
            ASSERT_EQ(Find(text, Delimiter(what), start),
                      (start > text.size() ? -1 : text.indexOf(what, start - 1)) + 1);
            ASSERT_EQ(AllPieces(text, what), text.split(what));
        }
        const qsizetype from = below(text.size() + 1);
        // The closing tags of a text that starts anywhere, aligned or not, in order until the
        // visit says stop.
        QList<qsizetype> closes, visited;
        for (qsizetype at = text.indexOf(u"</", from); at >= 0; at = text.indexOf(u"</", at + 1))
            closes.append(at);
        const qsizetype wanted = 1 + below(closes.size() + 1);
        ForEachTagClose(QStringView(text).sliced(from), [&](qsizetype at) {
            visited.append(from + at);
            return visited.size() < wanted;
        });
        ASSERT_EQ(visited, closes.first(qMin(wanted, closes.size()))) << "from " << from;
        QString other = below(2) ? what.toUpper() : random(4);
        if (other.size() != what.size()) other = what.toLower();
        ASSERT_EQ(EqualCaseBlind(what, other), what.compare(other, Qt::CaseInsensitive) == 0);
        // Every LF dropped, then every CR made CR LF, whatever the mix.
        ASSERT_EQ(NormaliseLineEnds(text), QString(text).remove(u'\n').replace(u'\r', "\r\n"));
    }
}

TEST(TextOps, LeadingNumberReadsTheNumberATextStartsWith) {
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"", 0}, {"128kbps", 128}, {" -42 kbit", -42}, {"abc", 0}, {".5", 0.5}, {"1e3x", 1000},
        {"1e", 1}, {"+", 0}, {"6 4", 6}, {"-0", -0.0}, {"18446744073709551617", 18446744073709551617.0}};
    // clang-format on
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(LeadingNumber(QString(text)), value) << text;
        EXPECT_EQ(std::signbit(LeadingNumber(QString(text))), std::signbit(value)) << text;
    }
}

// The one place the directory's query is spelt out: keys in this order, nothing percent-encoded,
// a search text only in search mode and only without "&", the current layout on its own host.
TEST(PageRequest, QueryAddresses) {
    const ScopedEnv classicHost("RADIOSIFT_CLASSIC_HOST", "classic.test");
    const ScopedEnv mainHost("RADIOSIFT_MAIN_HOST", "main.test:8080");
    // clang-format off
    const std::pair<PageQuery, const char*> cases[] = {
        {{.startOffset = 25, .genre = "Rock", .maxBitrateText = "9"}, "startat=25&sgenre=Rock"},
        {{.pageSize = 5, .genre = "Search", .searchText = "50s and 60s"}, "numresult=5&s=50s+and+60s"},
        {{.genre = "Search", .searchText = "   "}, "&s=+++"},
        {{.genre = "Search", .searchText = "rock & roll"}, ""},
        {{.genre = "search", .searchText = "abc"}, "&sgenre=search"},
        {{.currentLayout = true, .genre = "R&B é"}, "&sgenre=R&B é"}};
    // clang-format on
    for (const auto& [query, text] : cases) {
        const char* host = query.currentLayout ? "http://main.test:8080/index.jsp?"
                                               : "http://classic.test/directory/index.phtml?";
        EXPECT_EQ(BuildQueryAddress(query), host + QString(text));
    }
}

TEST(PageRequest, TheTimingLineInTheLocaleNotation) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(DownloadTimeLine(0.0f, 1234.25f), "Pure HTML doc dwnl time=1234.250 secs");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(DownloadTimeLine(10.0f, 12.125f), "Pure HTML doc dwnl time=2,125 secs");
    QLocale::setDefault(previous);
}

}  // namespace
