// TextOps: the few text operations the page parsers cut a directory page with. Positions count
// from 1 and a failed search gives 0; an operation asked to do the impossible throws PageFault,
// which ends the parse of the page in hand.
#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <bit>
#include <cstdint>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A page that cannot be read any further: a missing piece, a search from position 0 or below,
// a cut of negative length, a progress value that no longer fits the bar.
class PageFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Delimiter;

// The pieces of a text cut at every occurrence of a delimiter, numbered from 0. Views into the
// text that was split: that text must outlive them.
class Pieces {
public:
    // An entry is cut into a handful of pieces; only a whole page needs room on the heap.
    using List = QVarLengthArray<QStringView, 8>;

    // The number of the last piece: 0 for a text without the delimiter.
    qsizetype lastIndex() const { return m_pieces.size() - 1; }
    // Piece number i; PageFault when there is no such piece.
    QStringView at(qsizetype i) const;

private:
    friend Pieces Split(QStringView text, const Delimiter& delimiter);
    Pieces() = default;

    List m_pieces;
};

// A text to search for, prepared once: the parsers cut every entry of a page at the same few
// markers, and a search with the table made beforehand steps over most of the text instead of
// reading it (Boyer-Moore-Horspool). The table is indexed by the low byte of a UTF-16 unit;
// units that share it share the shorter shift, which is always safe. The text is not copied:
// it must outlive the Delimiter (a string literal does).
class Delimiter {
public:
    constexpr explicit Delimiter(QStringView text) : m_text(text) {
        const qsizetype size = text.size();
        const auto longest = static_cast<uint8_t>(size < 255 ? size : 255);
        for (uint8_t& shift : m_shift) shift = longest;
        // Later units overwrite earlier ones with shorter shifts; units more than 255 from the
        // end keep the longest shift that fits, which is shorter than theirs and so safe.
        for (qsizetype i = size > 256 ? size - 256 : 0; i + 1 < size; ++i)
            m_shift[text[i].unicode() & 0xFF] = static_cast<uint8_t>(size - 1 - i);
    }

    constexpr QStringView text() const { return m_text; }
    // Index (from 0) of the first exact occurrence at or after index from; -1 for none.
    qsizetype find(QStringView text, qsizetype from) const;

private:
    QStringView m_text;
    uint8_t m_shift[256] = {};
};

// Cuts text at every exact occurrence of delimiter. A text without the delimiter (the empty
// text too) gives one piece; empty pieces count.
Pieces Split(QStringView text, const Delimiter& delimiter);
Pieces Split(QStringView text, QStringView delimiter);

// Position (from 1) of the first occurrence of what in text at or after position start; 0 when
// there is none or start lies past the end. PageFault when start is 0 or below.
qsizetype Find(QStringView text, QStringView what, qsizetype start,
               Qt::CaseSensitivity cs = Qt::CaseSensitive);
qsizetype Find(QStringView text, const Delimiter& what, qsizetype start);

// A short piece of a page that must be edited before it is read, worked on where it lies: a
// field of every entry would otherwise cost a string on the heap, and another for each edit.
using ScratchText = QVarLengthArray<char16_t, 128>;
inline QStringView View(const ScratchText& text) { return {text.constData(), text.size()}; }
// Removes every occurrence of what from text, left to right, as QString::remove(what, cs) does;
// the occurrences are those of the text before anything was removed.
void RemoveAll(ScratchText& text, QStringView what, Qt::CaseSensitivity cs = Qt::CaseSensitive);

// At most length characters of text from position start (fewer where text ends first).
// PageFault for a negative length or a start of 0 or below.
QStringView Cut(QStringView text, qsizetype start, qsizetype length);
// Every character of text from position start to the end.
QStringView Cut(QStringView text, qsizetype start);

// Calls visit(index) for every "</" of text, left to right, until visit returns false. An entry
// holds a closing tag every few dozen characters: one pass that hands each of them over costs
// far less than a search started afresh after every one.
template <typename Visit>
void ForEachTagClose(QStringView text, Visit&& visit) {
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    qsizetype at = 0;
#if defined(__SSE2__)
    // Sixteen units at a time, narrowed to bytes: only '<' and '/' themselves narrow to '<' and
    // '/' (larger units saturate), so the narrowed text has a "</" exactly where the text has.
    const __m128i open = _mm_set1_epi8('<');
    const __m128i slash = _mm_set1_epi8('/');
    const auto load = [units](qsizetype i) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
    };
    for (; at + 17 <= size; at += 16) {
        const __m128i here = _mm_packus_epi16(load(at), load(at + 8));
        const __m128i next = _mm_packus_epi16(load(at + 1), load(at + 9));
        auto both = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(here, open), _mm_cmpeq_epi8(next, slash))));
        for (; both != 0; both &= both - 1) {
            if (!visit(at + std::countr_zero(both))) return;
        }
    }
#endif
    for (; at + 1 < size; ++at) {
        if (units[at] == u'<' && units[at + 1] == u'/' && !visit(at)) return;
    }
}

// Whether a and b are equal but for case, as a.compare(b, Qt::CaseInsensitive) == 0 says.
bool EqualCaseBlind(QStringView a, QStringView b);

// An ASCII capital as its small letter; every other unit as it is.
constexpr char16_t AsciiLower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

// Text without its leading and trailing blanks (spaces only; tabs and line breaks stay).
QStringView Trim(QStringView text);

// The number a text starts with, after any blanks: an optional sign, digits, an optional fraction
// and exponent. 0 for an empty text or one that does not start with a number.
double LeadingNumber(QStringView text);
