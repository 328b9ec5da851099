// LibraryRun: what a harvest leaves beside its station files, for either front end: a record in
// every genre folder it wrote into, the genre playlists asked for, and, after a run that ended
// "Done", the pruning of the files that earlier runs wrote and this one did not.
#pragma once

#include "GenreLibrary.h"
#include "GenrePlaylist.h"
#include "RunRecorder.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

struct LibraryOptions {
    QList<GenrePlaylistFormat> playlists;  // genre playlists to write; none when empty
    bool prune = false;                    // prune after a run that ended "Done"
};

class LibraryRun : public RunRecorder {
public:
    // Takes effect with the next run.
    void setOptions(LibraryOptions options) { m_options = std::move(options); }

    // Starts over for a new run.
    void startRun() override;
    // A folder the run has already written into takes up where it was; a folder that could not
    // be opened takes no files.
    void startGenre(const QString& genre, const GenreFolder& folder) override;
    void fileWritten(const StationEntry& station, const QString& fileName, const QString& address,
                     const QByteArray& bytes) override;
    void fileKept(const QString& fileName) override;
    void listingIncomplete() override;
    // Writes the genre's playlists and its record with what was written.
    void endGenre() override;
    // Prunes every genre folder of the run when asked to and the run is done.
    void endRun(bool done) override;

    // What the last run pruned.
    const PruneTally& pruned() const { return m_pruned; }
    // One line for each genre folder whose record could not be read as one, and for each record
    // or playlist that could not be written, oldest first.
    const QStringList& warnings() const { return m_warnings; }

private:
    LibraryOptions m_options;
    std::map<QString, std::unique_ptr<GenreLibrary>> m_genres;  // by folder path
    GenreLibrary* m_current = nullptr;
    QString m_currentPath;
    PruneTally m_pruned;
    QStringList m_warnings;
};
