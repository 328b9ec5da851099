// Split, Find, Cut and Trim with positions from 1, and the faults that end a page.
#include "TextOps.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// A unit that has no other case and that no other unit folds to: ASCII other than letters.
bool Caseless(QChar unit) {
    const char16_t u = unit.unicode();
    return u < 0x80 && !((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'));
}

// The first place at or after from where what may start and matches(place) holds, trying only
// the places that hold what's first unit. The texts searched this way are a few dozen units
// long: std::find, inlined, reaches the next candidate sooner than a call into Qt's vector
// search would.
template <typename Matches>
qsizetype FindFromFirstUnit(QStringView text, QStringView what, qsizetype from, Matches matches) {
    const qsizetype starts = text.size() - what.size() + 1;  // no match starts later
    from = std::max<qsizetype>(from, 0);
    if (from >= starts) return -1;
    const char16_t* begin = text.utf16();
    const char16_t* end = begin + starts;
    const char16_t first = what.front().unicode();
    for (const char16_t* at = std::find(begin + from, end, first); at < end;
         at = std::find(at + 1, end, first)) {
        if (matches(at)) return at - begin;
    }
    return -1;
}

// Case-blind search where 'what' starts with a caseless unit: a match can only start at that
// very unit, so the text is scanned for it and only there compared, case-blind, the way Qt's
// own case-blind search compares. That search folds every unit of the text instead.
qsizetype FindCaseBlind(QStringView text, QStringView what, qsizetype from) {
    if (what.isEmpty() || !Caseless(what.front()))
        return text.indexOf(what, from, Qt::CaseInsensitive);
    return FindFromFirstUnit(text, what, from, [what](const char16_t* at) {
        return EqualCaseBlind(QStringView(at, what.size()), what);
    });
}

qsizetype IndexOf(QStringView text, QStringView what, qsizetype from, Qt::CaseSensitivity cs) {
    if (what.isEmpty()) return text.indexOf(what, from, cs);
    return cs == Qt::CaseSensitive ? Delimiter(what).find(text, from)
                                   : FindCaseBlind(text, what, from);
}

}  // namespace

QStringView Pieces::at(qsizetype i) const {
    if (i < 0 || i >= m_pieces.size()) throw PageFault("missing piece");
    return m_pieces.at(i);
}

qsizetype Delimiter::find(QStringView text, qsizetype from) const {
    const qsizetype size = m_text.size();
    if (size == 0) return from <= text.size() ? from : -1;
    if (size == 1) return text.indexOf(m_text.front(), from);
    if (size == 2) {
        // The shift table steps at most two units for these ("</", "\">"), and they end short
        // fields: the first unit is found inline and the second compared.
        const char16_t second = m_text[1].unicode();
        return FindFromFirstUnit(text, m_text, from,
                                 [second](const char16_t* at) { return at[1] == second; });
    }
    const char16_t* haystack = text.utf16();
    const char16_t* what = m_text.utf16();
    const char16_t first = what[0];
    const char16_t last = what[size - 1];
    const size_t middleBytes = static_cast<size_t>(size - 2) * sizeof(char16_t);
    for (qsizetype at = std::max<qsizetype>(from, 0); at + size <= text.size();) {
        const char16_t unit = haystack[at + size - 1];
        if (unit == last && haystack[at] == first &&
            std::memcmp(haystack + at + 1, what + 1, middleBytes) == 0)
            return at;
        at += m_shift[unit & 0xFF];
    }
    return -1;
}

Pieces Split(QStringView text, const Delimiter& delimiter) {
    // Built where the caller keeps it: an entry is split several times, and moving the pieces
    // out of a list made here would copy every one of them twice.
    Pieces pieces;
    const qsizetype size = delimiter.text().size();
    // Qt splits at an empty delimiter between single characters; here it would be a programming
    // slip, and the whole text as one piece is the harmless answer.
    if (size == 0) {
        pieces.m_pieces.append(text);
        return pieces;
    }
    qsizetype start = 0;
    for (qsizetype at = delimiter.find(text, 0); at >= 0; at = delimiter.find(text, start)) {
        pieces.m_pieces.append(text.sliced(start, at - start));
        start = at + size;
    }
    pieces.m_pieces.append(text.sliced(start));
    return pieces;
}

Pieces Split(QStringView text, QStringView delimiter) {
    return Split(text, Delimiter(delimiter));
}

qsizetype Find(QStringView text, const Delimiter& what, qsizetype start) {
    if (start <= 0) throw PageFault("search starts at position 0 or below");
    if (start > text.size()) return 0;
    const qsizetype at = what.find(text, start - 1);
    return at < 0 ? 0 : at + 1;
}

qsizetype Find(QStringView text, QStringView what, qsizetype start, Qt::CaseSensitivity cs) {
    if (start <= 0) throw PageFault("search starts at position 0 or below");
    if (start > text.size()) return 0;
    const qsizetype at = IndexOf(text, what, start - 1, cs);
    return at < 0 ? 0 : at + 1;
}

void RemoveAll(ScratchText& text, QStringView what, Qt::CaseSensitivity cs) {
    if (what.isEmpty()) return;
    // Kept units move down over the removed ones; the search reads only units at or after
    // 'start', which have not been written yet, so it sees the text as it was.
    char16_t* units = text.data();
    const QStringView original(units, text.size());
    qsizetype kept = 0;
    qsizetype start = 0;
    for (qsizetype at = IndexOf(original, what, 0, cs); at >= 0;
         at = IndexOf(original, what, start, cs)) {
        std::copy(units + start, units + at, units + kept);
        kept += at - start;
        start = at + what.size();
    }
    if (start == 0) return;
    std::copy(units + start, units + text.size(), units + kept);
    text.resize(kept + (text.size() - start));
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
    // A bitrate is a few digits: read them here. Up to 15 digits the whole number is exact in
    // a double, so this gives the very value the general reading below gives.
    const qsizetype digits = end - mantissa;
    if (digits <= 15 && digit(mantissa) && digit(end - 1)) {
        bool wholeNumber = true;
        int64_t value = 0;
        for (qsizetype i = mantissa; i < end && wholeNumber; ++i) {
            wholeNumber = digit(i);
            value = value * 10 + (text[i].unicode() - u'0');
        }
        if (wholeNumber) {
            const bool negative = mantissa > 0 && text[mantissa - 1] == u'-';
            return negative ? -static_cast<double>(value) : static_cast<double>(value);
        }
    }
    // QByteArray reads numbers with a point whatever the locale, as pages print them.
    return text.first(end).toLatin1().toDouble();
}

bool EqualCaseBlind(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        // Pages mostly write a marker in the case it is looked for in. Equal units fold alike
        // wherever they stand (a surrogate's partner is then equal too, or ASCII).
        if (x == y) continue;
        // ASCII folds to its lower case; anything else is left to Qt's folding.
        if ((x | y) >= 0x80) return a.compare(b, Qt::CaseInsensitive) == 0;
        if (AsciiLower(x) != AsciiLower(y)) return false;
    }
    return true;
}
