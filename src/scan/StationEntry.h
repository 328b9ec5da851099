// One station as read from a directory page, and the program-wide list of them.
#pragma once

#include <QString>
#include <QVector>

struct StationEntry {
    QString Name;          // station name as shown in the directory
    QString Genre;         // genre being scanned when the entry was read
    QString Bitrate;       // bitrate as printed on the page, e.g. "128"
    QString StreamType;    // "MP3", "AAC" or "OGG" (or the previous entry's type)
    QString HomeLink;      // the station's home page (current layout and live directory)
    QString Logo;          // the station's logo address (live directory only)
    QString PlaylistLink;  // the entry's first link
    QString NowPlaying;    // title playing now (classic layout only)
    QString Rn;            // the station's id in the directory
    QString FileName;      // file name the playlist was saved under, without folder
};
