// Misbehaviour: what the local directory can be told to do wrong, so that tests reach the
// program's failure paths.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

enum class LineEnds { Lf, CrLf, Cr };

// Turns the LF line ends of a generated text into the given ones.
QByteArray withLineEnds(QByteArray text, LineEnds ends);

// How a damaged page entry is damaged.
enum class Malformation {
    None,
    // Classic layout: the playlist link lacks "&file=filename.pls". Current layout: the entry
    // has two "dirListenersCnt" blocks instead of three. Either way the entry is passed over.
    SkippedEntry,
};

// How a damaged element of a JSON station answer is damaged. Elements 'every', 2 x 'every', ...
// are damaged; the k-th of them (k from 0) takes variant k of its kind, in turn.
enum class JsonFlaw {
    None,
    // Not an object: the number 42, the text "Station", null, true, then an array holding the
    // station's object.
    NotAnObject,
    // The object lacks "name"; then it lacks "url" and "url_resolved"; then it is empty ({}).
    MissingFields,
    // Every field has the wrong type (texts as numbers, arrays or objects, numbers as texts, no
    // usable name or address left); then only the numbers are texts ("bitrate": "128", ...)
    // and the name and addresses are intact.
    MistypedFields,
    // The name is hostileNames()[k % size]; everything else is intact.
    HostileName,
};

// What a JSON station answer holds as a whole.
enum class JsonShape {
    Array,         // an array of station objects, as the directory answers
    NotJson,       // a small HTML page
    Object,        // an object whose member "stations" holds the array
    NestedArrays,  // arrays nested 'nestingDepth' deep, nothing else: "[[[...]]]"
};

struct Misbehaviour {
    // Wait this long before answering.
    int delayMs = 0;
    // Answer with this HTTP status and a small HTML error page instead (0: answer normally).
    int status = 0;
    // Send only this many bytes of the body (the header announces the whole length), then
    // close the connection (-1: send it all).
    qint64 dropAfterBytes = -1;
    // Send a body that never ends, until the client goes away or the server stops.
    bool endlessBody = false;
    // Send the whole body one byte at a time, waiting this long before each byte (0: at once):
    // an answer that keeps coming, too slowly to finish, but never stalls.
    int dribbleMs = 0;
    // Line ends of pages and playlists (none: the server's own).
    std::optional<LineEnds> lineEnds;
    // Answer with these bytes as the body instead of the page, playlist or error page (the
    // status and the type stay; line ends are changed as for any body).
    std::optional<QByteArray> body;

    // Page entries 'every', 2 x 'every', ... (counted from 1 within the page) are the ones the
    // malformation damages; 1 damages every entry.
    int every = 1;
    Malformation malformation = Malformation::None;

    // A page (or a JSON answer) lists this many entries, whatever its query asked for (0: as
    // asked). The entries go through the stations the query matches (the whole catalogue when
    // it matches none), over and over; the answer is written out while it is sent.
    int entryCount = 0;

    // JSON station answers (/json/stations/search). 'status', 'dropAfterBytes' (an answer cut
    // off), 'delayMs', 'entryCount' and 'body' hold for them as for any answer; 'every' picks
    // the elements jsonFlaw damages.
    JsonFlaw jsonFlaw = JsonFlaw::None;
    JsonShape jsonShape = JsonShape::Array;
    int nestingDepth = 100000;

    // Station names that must not lead a file out of its genre folder or break a file or a
    // line: separators, dot names, NUL, CR LF, blanks only, nothing, and far too long.
    static QStringList hostileNames() {
        return {QStringLiteral("../../outside"),
                QStringLiteral(".."),
                QStringLiteral("a/b\\c"),
                QStringLiteral("/"),
                QStringLiteral("nul") + QChar(0) + QStringLiteral("byte"),
                QStringLiteral("first line\r\nsecond line"),
                QStringLiteral("."),
                QStringLiteral("   "),
                QString(),
                QString(300, u'x')};
    }
};
