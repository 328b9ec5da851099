// What a run keeps of each playlist file it wrote into a genre folder: the record's entry, and
// what the genre's own playlists show of the station.
#pragma once

#include <QByteArray>
#include <QString>

// One line of a genre folder's record.
struct RecordEntry {
    QString fileName;   // in the genre folder; may lead into its subfolders ("a/b.pls")
    QString stationId;  // the directory's id of the station (stationuuid, rn); empty when none
    QString address;    // the stream address the file leads to
    QByteArray sha256;  // of the file's bytes as written, 64 lower-case hex digits
};

struct WrittenFile {
    RecordEntry record;
    QString title;     // the station's name
    QString logo;      // the station's logo address as the directory gave it; may be empty
    QString homepage;  // the station's home page as the directory gave it; may be empty
};

// The hash a record keeps of a file's bytes.
QByteArray FileHash(const QByteArray& bytes);
