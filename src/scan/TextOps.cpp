// Split, Find, Cut and Trim with positions from 1, and the faults that end a page.
#include "TextOps.h"

#include <algorithm>

QStringView Pieces::at(qsizetype i) const {
    if (i < 0 || i >= m_pieces.size()) throw PageFault("missing piece");
    return m_pieces.at(i);
}

Pieces Split(QStringView text, QStringView delimiter) {
    // Qt splits an empty delimiter into single characters; here it would be a programming slip,
    // and the whole text as one piece is the harmless answer.
    if (delimiter.isEmpty()) return Pieces({text});
    return Pieces(text.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive));
}

qsizetype Find(QStringView text, QStringView what, qsizetype start, Qt::CaseSensitivity cs) {
    if (start <= 0) throw PageFault("search starts at position 0 or below");
    if (start > text.size()) return 0;
    const qsizetype at = text.indexOf(what, start - 1, cs);
    return at < 0 ? 0 : at + 1;
}

QStringView Cut(QStringView text, qsizetype start, qsizetype length) {
    if (start <= 0) throw PageFault("cut starts at position 0 or below");
    if (length < 0) throw PageFault("cut of negative length");
    if (start > text.size()) return {};
    return text.sliced(start - 1, std::min(length, text.size() - (start - 1)));
}

QStringView Cut(QStringView text, qsizetype start) {
    if (start <= 0) throw PageFault("cut starts at position 0 or below");
    if (start > text.size()) return {};
    return text.sliced(start - 1);
}

QStringView Trim(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.sliced(begin, end - begin);
}

double LeadingNumber(QStringView text) {
    const auto digit = [&text](qsizetype i) {
        return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
    };
    qsizetype end = 0;
    while (end < text.size() && text[end] == u' ') ++end;
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-')) ++end;
    const qsizetype mantissa = end;  // where the digits (or the point) must start
    while (digit(end)) ++end;
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (digit(end)) ++end;
    }
    // A sign or a point alone is no number.
    const bool pointFirst = mantissa < text.size() && text[mantissa] == u'.';
    if (!digit(mantissa) && !(pointFirst && digit(mantissa + 1))) return 0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        if (digit(exponent)) {
            end = exponent;
            while (digit(end)) ++end;
        }
    }
    // QByteArray reads numbers with a point whatever the locale, as pages print them.
    return text.first(end).toLatin1().toDouble();
}
