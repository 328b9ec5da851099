// Windows-1252 tables and a forgiving UTF-8 reader.
#include "TextCodec.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F in Windows-1252; the rest equal Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar windows1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kHighControls[byte - 0x80]);
    return QChar(byte);
}

// Length of the valid UTF-8 sequence at bytes[i], or 0 when none starts there.
int utf8SequenceLength(QByteArrayView bytes, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        code = lead & 0x07;
    } else
        return 0;
    if (i + length > bytes.size()) return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = at(i + k);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// Decodes a valid UTF-8 run to out, straight into the text's buffer: a page can be tens of
// megabytes, and a text of its own for each run would be another copy of it. A run may start
// inside the text, after a stray byte, where a byte order mark is U+FEFF like any other.
QChar* appendUtf8Run(QChar* out, QByteArrayView run) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.appendToBuffer(out, run);
}

}  // namespace

namespace TextCodec {

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = windows1252Char(static_cast<unsigned char>(bytes[i]));
    return text;
}

QString fromUtf8OrWindows1252(QByteArrayView bytes) {
    // No byte gives more than one UTF-16 unit.
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    // A byte order mark that opens the bytes marks them as UTF-8 and is no part of the text.
    if (bytes.startsWith(kByteOrderMark)) bytes = bytes.sliced(kByteOrderMark.size());
    qsizetype runStart = 0;
    qsizetype i = 0;
    const qsizetype size = bytes.size();
    while (i < size) {
        // Pages are mostly ASCII: pass over it eight bytes at a time.
        while (i + 8 <= size) {
            quint64 word;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if (word & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= size) break;
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const int length = utf8SequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        out = appendUtf8Run(out, bytes.sliced(runStart, i - runStart));
        *out++ = windows1252Char(static_cast<unsigned char>(bytes[i]));
        runStart = ++i;
    }
    out = appendUtf8Run(out, bytes.sliced(runStart, i - runStart));
    text.truncate(out - text.constData());
    return text;
}

QString decode(QByteArrayView bytes, const QByteArray& charset) {
    // A byte order mark says how the bytes were written, whatever charset a server names: a
    // UTF-16 page labelled UTF-8 is still UTF-16. Browsers read text so.
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        if (*marked == QStringConverter::Utf8) return fromUtf8OrWindows1252(bytes);
        return QStringDecoder(*marked).decode(bytes);
    }
    const QByteArray name = charset.trimmed().toLower();
    if (name.isEmpty() || name == "utf-8" || name == "utf8") return fromUtf8OrWindows1252(bytes);
    if (name == "windows-1252" || name == "cp1252" || name == "iso-8859-1" || name == "latin1" ||
        name == "us-ascii" || name == "ascii")
        return fromWindows1252(bytes);  // as browsers do, Latin-1 labels read as Windows-1252
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid()) return fromUtf8OrWindows1252(bytes);
    return decoder.decode(bytes);
}

}  // namespace TextCodec
