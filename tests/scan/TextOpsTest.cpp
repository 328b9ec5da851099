// The text operations the page parsers cut pages with: positions from 1, 0 for not found, and
// the faults that end a page.
#include "TextOps.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <random>

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

QStringList AllPieces(const QString& text, const QString& delimiter) {
    const Pieces pieces = Split(text, delimiter);
    QStringList out;
    for (qsizetype i = 0; i <= pieces.lastIndex(); ++i) out.append(pieces.at(i).toString());
    return out;
}

// The searches the parsers use are our own, for speed; Qt's own operations are the reference
// they must agree with. Random texts over a small alphabet make matches, near misses and
// overlaps common. The alphabet holds units that trouble a search: letters of both cases, the
// Kelvin sign and the long s (which fold to ASCII 'k' and 's'), units whose low byte is that of
// '<' or '/', a surrogate pair and the markers' own punctuation.
class RandomTexts {
public:
    QString text(int longest) {
        static const char16_t alphabet[] = {u'<',      u'/', u'a',      u'A',      u'k',      u'K',
                                            u'\u212A', u's', u'\u017F', u'\u013C', u'\u012F', u'3',
                                            u'"',      u'>', u'\xE9',   u'\xC9'};
        QString out;
        const int length = std::uniform_int_distribution<int>(0, longest)(engine_);
        for (int i = 0; i < length; ++i) {
            const int pick = std::uniform_int_distribution<int>(0, std::size(alphabet))(engine_);
            if (pick == static_cast<int>(std::size(alphabet)))
                out += QString::fromUtf16(u"\U0001F3B5");  // a surrogate pair
            else
                out += QChar(alphabet[pick]);
        }
        return out;
    }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

private:
    std::mt19937 engine_{20240611};
};

TEST(SearchAgreementTest, FindAgreesWithQtInBothCases) {
    RandomTexts random;
    for (int round = 0; round < 20000; ++round) {
        const QString text = random.text(40);
        const QString what = random.text(6);
        const qsizetype start = 1 + random.below(static_cast<int>(text.size()) + 2);
        for (const auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            const qsizetype at = start > text.size() ? -1 : text.indexOf(what, start - 1, cs);
            ASSERT_EQ(Find(text, what, start, cs), at < 0 ? 0 : at + 1)
                << text.toStdString() << " / " << what.toStdString() << " from " << start
                << (cs == Qt::CaseSensitive ? "" : ", case-blind");
        }
        if (!what.isEmpty()) {
            const qsizetype at = start > text.size() ? -1 : text.indexOf(what, start - 1);
            ASSERT_EQ(Find(text, Delimiter(what), start), at < 0 ? 0 : at + 1);
        }
    }
}

TEST(SearchAgreementTest, SplitAgreesWithQt) {
    RandomTexts random;
    for (int round = 0; round < 20000; ++round) {
        const QString text = random.text(40);
        const QString delimiter = random.text(4);
        if (delimiter.isEmpty()) continue;
        ASSERT_EQ(AllPieces(text, delimiter), text.split(delimiter, Qt::KeepEmptyParts))
            << text.toStdString() << " / " << delimiter.toStdString();
    }
}

TEST(SearchAgreementTest, ALongDelimiterIsFoundAfterTheShiftTableRunsOut) {
    // Past 255 units the shift table cannot hold every distance.
    QString delimiter;
    for (int i = 0; i < 300; ++i) delimiter += QChar(u'a' + i % 26);
    const QString text =
        QString(500, u'b') + delimiter.left(299) + u'x' + delimiter + QStringLiteral("tail");
    EXPECT_EQ(Find(text, Delimiter(delimiter), 1), text.indexOf(delimiter) + 1);
    EXPECT_EQ(AllPieces(text, delimiter), text.split(delimiter));
}

TEST(SearchAgreementTest, RemoveAllAgreesWithQt) {
    RandomTexts random;
    for (int round = 0; round < 20000; ++round) {
        const QString original = random.text(40);
        const QString what = random.text(4);
        for (const auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            QString ours = original;
            QString theirs = original;
            RemoveAll(ours, what, cs);
            theirs.remove(what, cs);
            ASSERT_EQ(ours, theirs) << original.toStdString() << " / " << what.toStdString();
        }
    }
}

TEST(SearchAgreementTest, EqualCaseBlindAgreesWithQt) {
    RandomTexts random;
    for (int round = 0; round < 20000; ++round) {
        const QString a = random.text(5);
        QString b = random.below(2) ? a.toUpper() : random.text(5);
        if (b.size() != a.size()) b = a.toLower();
        ASSERT_EQ(EqualCaseBlind(a, b), a.compare(b, Qt::CaseInsensitive) == 0)
            << a.toStdString() << " / " << b.toStdString();
    }
}

TEST(SearchAgreementTest, FindTagCloseFindsEveryClosingTagWhereverItLies) {
    // Every length and every position, across the blocks the search reads at a time.
    for (int length = 0; length < 40; ++length) {
        for (int at = 0; at + 1 < length; ++at) {
            QString text(length, u'x');
            text[at] = u'<';
            text[at + 1] = u'/';
            for (int from = 0; from <= length; ++from) {
                ASSERT_EQ(FindTagClose(text, from), from <= at ? at : -1)
                    << "length " << length << ", at " << at << ", from " << from;
            }
        }
    }
    RandomTexts random;
    for (int round = 0; round < 20000; ++round) {
        const QString text = random.text(60);
        const qsizetype from = random.below(static_cast<int>(text.size()) + 1);
        ASSERT_EQ(FindTagClose(text, from), text.indexOf(u"</", from)) << text.toStdString();
    }
}

TEST(LeadingNumberTest, WholeNumbersReadAsTheGeneralReadingReadsThem) {
    for (const char* text : {"0", "-0", "+7", "007", "999999999999999", "1000000000000000",
                             "123456789012345678", " -42 kbit", "18446744073709551617"}) {
        const double expected = QByteArray(text).trimmed().split(' ').first().toDouble();
        const double read = LeadingNumber(QString::fromLatin1(text));
        EXPECT_EQ(read, expected) << text;
        EXPECT_EQ(std::signbit(read), std::signbit(expected)) << text;
    }
}
}  // namespace
