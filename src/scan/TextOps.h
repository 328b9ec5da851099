// TextOps: the few text operations the page parsers cut a directory page with. Positions count
// from 1 and a failed search gives 0; an operation asked to do the impossible throws PageFault,
// which ends the parse of the page in hand.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <stdexcept>

// A page that cannot be read any further: a missing piece, a search from position 0 or below,
// a cut of negative length, a progress value that no longer fits the bar.
class PageFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The pieces of a text cut at every occurrence of a delimiter, numbered from 0. Views into the
// text that was split: that text must outlive them.
class Pieces {
public:
    explicit Pieces(QList<QStringView> pieces) : m_pieces(std::move(pieces)) {}

    // The number of the last piece: 0 for a text without the delimiter.
    qsizetype lastIndex() const { return m_pieces.size() - 1; }
    // Piece number i; PageFault when there is no such piece.
    QStringView at(qsizetype i) const;

private:
    QList<QStringView> m_pieces;
};

// Cuts text at every exact occurrence of delimiter. A text without the delimiter (the empty
// text too) gives one piece; empty pieces count.
Pieces Split(QStringView text, QStringView delimiter);

// Position (from 1) of the first occurrence of what in text at or after position start; 0 when
// there is none or start lies past the end. PageFault when start is 0 or below.
qsizetype Find(QStringView text, QStringView what, qsizetype start,
               Qt::CaseSensitivity cs = Qt::CaseSensitive);

// At most length characters of text from position start (fewer where text ends first).
// PageFault for a negative length or a start of 0 or below.
QStringView Cut(QStringView text, qsizetype start, qsizetype length);
// Every character of text from position start to the end.
QStringView Cut(QStringView text, qsizetype start);

// Text without its leading and trailing blanks (spaces only; tabs and line breaks stay).
QStringView Trim(QStringView text);

// The number a text starts with, after any blanks: an optional sign, digits, an optional fraction
// and exponent. 0 for an empty text or one that does not start with a number.
double LeadingNumber(QStringView text);
