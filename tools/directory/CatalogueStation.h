// One station of the local directory's catalogue: what the pages list and what its playlist
// holds.
#pragma once

#include <QList>
#include <QString>

enum class StreamType { Mp3, Aac, Ogg };

// "MP3", "AAC" or "OGG": the type as the program names it.
QString streamTypeName(StreamType type);
// The text a page prints for the type: "MP3", "AAC+" or "OGG".
QString streamTypeLabel(StreamType type);

// One stream server of a station; its title in the playlist carries the listener counts.
struct StreamServer {
    QString address;
    int listeners = 0;
    int maxListeners = 0;

    // The playlist reader takes a server as having room when listeners x 1.1 < maximum.
    bool hasRoom() const { return listeners * 1.1 < maxListeners; }
};

struct CatalogueStation {
    int id = 0;       // the directory's station id (rn)
    QString name;     // as listed; never starts or ends with a blank
    QString genre;    // one of Catalogue::genres()
    int bitrate = 0;  // kbit/s
    StreamType type = StreamType::Mp3;
    QString nowPlaying;  // empty for stations that show no title
    QString homepage;
    QList<StreamServer> servers;  // 1 to 4

    // What the JSON search answers list besides the above. Derived from the rest without
    // touching the generator, so the pages stay as they were; by a station's place n in its
    // genre (from 0), every genre of enough stations has each kind below.
    QString uuid;        // stationuuid: a UUID made from the id
    QString changeUuid;  // changeuuid
    // "MP3", "AAC", "AAC+" (AAC stations in turn), "OGG"; "FLAC" for n % 25 == 9.
    QString codec;
    // The stream: the first server's address; "https://" for n % 9 == 4, an "rtsp://" address for
    // n % 20 == 11 and an "mms://" one for n % 20 == 13.
    // urlResolved is the stream and url a playlist on the home page; for n % 8 == 3 urlResolved
    // is empty and url is the stream. For n % 15 == 5 both are those of the station before it:
    // the same stream under two names in one genre.
    QString url;
    QString urlResolved;
    // Empty for n % 6 == 2; a "data:" address for n % 30 == 20; one with '"', a blank and a
    // non-ASCII letter for n % 30 == 26.
    QString favicon;
    QString tags;         // the genre in lower case, then its other name if it has one: "rnb,r&b"
    QString countryCode;  // two capitals
    QString languages;    // language: lower-case names with commas between them, by the country
    bool lastCheckOk = true;  // false for n % 10 == 7
    bool hls = false;         // true for n % 12 == 6
    int votes = 0;

    // Everyone listening now, over all servers: the directory's default listing order, and
    // the JSON answers' clickcount.
    int listeners() const;
    // url_resolved, or url where that is empty: the stream a harvest of the JSON answers writes.
    QString streamAddress() const { return urlResolved.isEmpty() ? url : urlResolved; }
};
