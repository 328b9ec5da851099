// RunTally: what became of the stations of a run, genre by genre: the figures a front end reports
// at the end of a run (the command line's summary, its JSON).
#pragma once

#include <QList>
#include <QString>

struct GenreTally {
    QString genre;            // as the run names it
    QString folder;           // its folder, ending in a separator
    int written = 0;          // playlists written
    int otherCodec = 0;       // passed over: a stream type other than the one asked for
    int duplicateStream = 0;  // passed over: a stream already written into the genre's folder
    int addressRefused = 0;   // passed over: no http(s) stream address to write
    int nameTaken = 0;        // passed over: a file name a station before it took in the run
    int filtered = 0;         // passed over: below the minimum bitrate, or without a name
    int notSaved = 0;         // passed the filters but could not be written
    int requests = 0;         // HTTP requests sent for the genre
};

struct RunTally {
    QList<GenreTally> genres;  // in the order the run took them

    // The genre under way; a scratch entry before the first genre, so counting never fails.
    GenreTally& current() {
        if (genres.isEmpty()) genres.append(GenreTally{});
        return genres.last();
    }
    // Every genre's figures added up, under no genre name.
    GenreTally total() const {
        GenreTally sum;
        for (const GenreTally& g : genres) {
            sum.written += g.written;
            sum.otherCodec += g.otherCodec;
            sum.duplicateStream += g.duplicateStream;
            sum.addressRefused += g.addressRefused;
            sum.nameTaken += g.nameTaken;
            sum.filtered += g.filtered;
            sum.notSaved += g.notSaved;
            sum.requests += g.requests;
        }
        return sum;
    }
};
