// RunRecorder: what keeps a library beside the files a run writes (the genre folders' records,
// the genre playlists) is told, as the run goes, what the run did. Either front end may give
// one to the run; without one nothing is recorded.
#pragma once

#include "PathMacros.h"
#include "StationEntry.h"

#include <QByteArray>
#include <QString>

class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    virtual void startRun() = 0;
    // The genre whose stations come next, in its folder as the run opened it.
    virtual void startGenre(const QString& genre, const GenreFolder& folder) = 0;
    // A playlist file written into the genre's folder: the station, the file's name there, the
    // stream address the file leads to as the directory gave it (empty when none), and the bytes
    // written.
    virtual void fileWritten(const StationEntry& station, const QString& fileName,
                             const QString& address, const QByteArray& bytes) = 0;
    // The station of a file listed again, though its file could not be written anew (its
    // playlist could not be fetched): the earlier file is still the station's.
    virtual void fileKept(const QString& fileName) = 0;
    // The genre's listing was not read whole, or some of its stations could not be saved.
    virtual void listingIncomplete() = 0;
    // The genre has ended, also by a stop.
    virtual void endGenre() = 0;
    // The run has ended; done: it was not stopped and did not lose its connection.
    virtual void endRun(bool done) = 0;
};
