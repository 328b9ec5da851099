// Fuzz target: the conversions between the program's text and the bytes it reads and writes.
#include "FuzzSupport.h"

#include <QStringDecoder>

namespace {

bool IsValidUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

bool HasLoneSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate()) return true;
            ++i;
        } else if (text[i].isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

void CheckWindows1252(QByteArrayView bytes) {
    // Every byte has its own character, so the bytes come back unchanged.
    const QString text = TextCodec::fromWindows1252(bytes);
    FUZZ_CHECK(text.size() == bytes.size() && !HasLoneSurrogate(text));
}

void CheckForgivingUtf8(QByteArrayView bytes) {
    const QString text = TextCodec::fromUtf8OrWindows1252(bytes);
    FUZZ_CHECK(text.size() <= bytes.size() && !HasLoneSurrogate(text));
    // Valid UTF-8 reads as UTF-8, a byte order mark included; plain ASCII as itself.
    if (IsValidUtf8(bytes)) FUZZ_CHECK(text == QString::fromUtf8(bytes));
    // Text written out as UTF-8 reads back unchanged; only a byte order mark that opens the
    // bytes is taken as a marker and dropped.
    FUZZ_CHECK(TextCodec::fromUtf8OrWindows1252("x" + text.toUtf8()) == u'x' + text);
    const QString kept = TextCodec::fromUtf8OrWindows1252("x" + bytes.toByteArray()).sliced(1);
    FUZZ_CHECK(text == (bytes.startsWith("\xEF\xBB\xBF") ? kept.sliced(1) : kept));
    // A stray byte stands for itself and leaves what follows it alone.
    FUZZ_CHECK(TextCodec::fromUtf8OrWindows1252("\xFF" + bytes.toByteArray()) == u'\u00FF' + kept);
    // Named UTF-8 or no charset alike, unless a UTF-16 or UTF-32 byte order mark opens the
    // bytes: that one decides.
    const auto marked = QStringConverter::encodingForData(bytes);
    if (!marked || *marked == QStringConverter::Utf8) {
        FUZZ_CHECK(TextCodec::decode(bytes, "UTF-8") == text);
        FUZZ_CHECK(TextCodec::decode(bytes, " ") == text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckWindows1252(bytes);
    CheckForgivingUtf8(bytes);
    // Any charset a server names decodes without harm; the Latin-1 family as Windows-1252. A
    // byte order mark wins over the name.
    if (QStringConverter::encodingForData(bytes))
        FUZZ_CHECK(TextCodec::decode(bytes, "ISO-8859-1") == TextCodec::decode(bytes, ""));
    else
        FUZZ_CHECK(TextCodec::decode(bytes, "ISO-8859-1") == TextCodec::fromWindows1252(bytes));
    TextCodec::decode(bytes, "utf-16");
    TextCodec::decode(bytes, "koi8-r");
    TextCodec::decode(bytes, "no-such-charset");
    return 0;
}
