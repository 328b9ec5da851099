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

    // Everyone listening now, over all servers: the directory's default listing order.
    int listeners() const;
};
