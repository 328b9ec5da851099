// Misbehaviour: what the local directory can be told to do wrong, so that tests reach the
// program's failure paths.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

enum class LineEnds { Lf, CrLf, Cr };

// Turns the LF line ends of a generated text into the given ones.
QByteArray withLineEnds(QByteArray text, LineEnds ends);

// How a damaged page entry is damaged. Each names what goes missing or out of place in the
// entry; the rest of the entry stays as usual.
enum class Malformation {
    None,
    // The stream-type marker is missing.
    NoTypeMarker,
    // The bitrate cell is empty.
    NoBitrate,
    // Classic layout: the playlist link lacks "&file=filename.pls". Current layout: the entry
    // has two "dirListenersCnt" blocks instead of three. Either way the entry is passed over.
    SkippedEntry,
    // Classic layout: the "listlinks" link is missing. Current layout: "dirMoreGnrDiv" is
    // missing. Either way reading the page stops at this entry.
    BrokenEntry,
    // Classic layout: the listeners cell and the bitrate cell trade places. Current layout: the
    // home-page link comes before the playlist link.
    OutOfOrder,
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
    // entry switches below change; 1 changes every entry.
    int every = 1;
    Malformation malformation = Malformation::None;
    // The name carries bytes that are not UTF-8 (invalidUtf8NameTail is appended to it).
    bool invalidUtf8Names = false;
    // The station id is hostileRnText(id) instead of the plain number.
    bool hostileRn = false;
    // The bitrate is hostileBitrateText(bitrate) instead of the plain number.
    bool hostileBitrate = false;

    // A page lists this many entries, whatever its query asked for (0: as asked). The entries
    // go through the stations the query matches (the whole catalogue when it matches none),
    // over and over; the page is written out while it is sent.
    int entryCount = 0;

    // " été" in Latin-1: a lone E9 byte is not UTF-8; read as Windows-1252 it is "é".
    static QByteArray invalidUtf8NameTail() { return QByteArrayLiteral(" \xE9t\xE9"); }
    // The playlist endpoints read the first number of an id, so these still name the station.
    static QString hostileRnText(int id) { return QStringLiteral("../../%1").arg(id); }
    static QString hostileBitrateText(int bitrate) {
        return QStringLiteral("%1/../..").arg(bitrate);
    }
};
