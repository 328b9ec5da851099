// JsonPageParser: reads the live community directory's answer, a JSON array of station objects,
// within bounds: an answer too long for the stations it was asked for is not read, no more
// elements are read than were asked for, and every field is cut to a sane length.
#pragma once

#include "StationEntry.h"

#include <QList>
#include <QString>
#include <optional>

// One station of an answer, as far as the program uses it.
struct LiveStation {
    QString uuid;         // stationuuid
    QString name;         // name, blanks at the ends and tabs and line breaks removed
    QString streamType;   // the codec as the window names it: "MP3", "AAC" (AAC and AAC+), "OGG";
                          // any other as it stands, less path separators
    QString bitrate;      // a whole number of kbit/s (0: unknown); empty when not given
    qint64 clicks = 0;    // clickcount
    QString url;          // the station's own address
    QString urlResolved;  // where url led when the directory last checked it
    QString homepage;
    QString favicon;  // the station's logo address

    // The address a player is given: url, unless it is empty or names a playlist file (.pls,
    // .m3u, .asx, .xspf) that a player would have to open first; then url_resolved.
    QString streamAddress() const;
    // The entry of the station list, with the genre being scanned.
    StationEntry entry(const QString& genre) const;
};

struct JsonStationPage {
    QList<LiveStation> stations;  // the elements that are objects, in order
    qsizetype elements = 0;       // elements read, objects or not (at most the limit)
};

// Bytes an answer may take for each station asked for.
inline constexpr qint64 kJsonBytesPerStation = 64 * 1024;

// Reads up to limit elements of an answer; none when it is not a JSON array.
std::optional<JsonStationPage> ReadJsonStationPage(const QString& text, int limit);
