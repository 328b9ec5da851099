// Windows-1252 in both directions and the forgiving UTF-8 reader.
#include "TextCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, Windows1252RoundTripsItsOwnCharacters) {
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) all.append(static_cast<char>(byte));
    EXPECT_EQ(TextCodec::toWindows1252(TextCodec::fromWindows1252(all)), all);
    EXPECT_EQ(TextCodec::fromWindows1252("\x80\x99\xE9"), QString::fromUtf8("€™é"));
}

TEST(TextCodec, CharactersOutsideWindows1252BecomeQuestionMarks) {
    EXPECT_EQ(TextCodec::toWindows1252(QString::fromUtf8("Ra★dio Ж é€")), QByteArray("Ra?dio ? \xE9\x80"));
    // A character outside the basic plane is two UTF-16 units: each becomes one mark.
    EXPECT_EQ(TextCodec::toWindows1252(QString::fromUtf8("a😀b")), QByteArray("a??b"));
}

TEST(TextCodec, InvalidUtf8BytesReadAsWindows1252) {
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("caf\xE9 \x80!"), QString::fromUtf8("café €!"));
    // A cut-off sequence at the end, an overlong form and a surrogate are not UTF-8.
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("x\xE2\x82"), QString::fromUtf8("xâ‚"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("\xC0\xAF"), QString::fromUtf8("À¯"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("\xED\xA0\x80").size(), 3);
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("\xF0\x9F\x98\x80"), QString::fromUtf8("😀"));
}

TEST(TextCodec, OnlyAByteOrderMarkThatOpensTheBytesIsDropped) {
    const QChar mark(0xFEFF);
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("\xEF\xBB\xBF\xEF\xBB\xBF" "a"), mark + QString("a"));
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("a\xEF\xBB\xBF"), "a" + QString(mark));
    // After a stray byte as well as inside a valid run.
    EXPECT_EQ(TextCodec::fromUtf8OrWindows1252("caf\xE9\xEF\xBB\xBF" "b"),
              QString::fromUtf8("café") + mark + "b");
}

TEST(TextCodec, DecodesByCharsetName) {
    EXPECT_EQ(TextCodec::decode("\xE9", "ISO-8859-1"), QString::fromUtf8("é"));
    EXPECT_EQ(TextCodec::decode("\xC3\xA9", ""), QString::fromUtf8("é"));
    EXPECT_EQ(TextCodec::decode("\xC3\xA9", "no-such-charset"), QString::fromUtf8("é"));
}

}  // namespace
