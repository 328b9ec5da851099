// LibraryRun: what a harvest leaves beside its station files, for either front end: a record in
// every genre folder it wrote into, the genre playlists asked for, and, after a run that ended
// "Done", the pruning of the files that earlier runs wrote and this one did not.
#pragma once

#include "GenreLibrary.h"
#include "GenrePlaylist.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class FolderHandle;

struct LibraryOptions {
    QList<GenrePlaylistFormat> playlists;  // genre playlists to write; none when empty
    bool prune = false;                    // prune after a run that ended "Done"
};

class LibraryRun {
public:
    explicit LibraryRun(LibraryOptions options = {}) : m_options(std::move(options)) {}

    // Starts over for a new run.
    void startRun(LibraryOptions options);

    // The genre whose files come next, in its folder (path: with its trailing separator, as the
    // run names it; folder and download as GenreLibrary takes them). A folder the run has
    // already written into takes up where it was. A folder that could not be opened (null)
    // takes no files.
    void startGenre(const QString& genre, const QString& path,
                    std::shared_ptr<const FolderHandle> folder,
                    std::shared_ptr<const FolderHandle> download);
    // A file the run wrote into the current genre's folder.
    void fileWritten(WrittenFile file);
    // The current genre's listing was not read whole.
    void listingIncomplete();
    // The current genre has ended, also by a stop: its playlists and its record are written
    // with what was written.
    void endGenre();

    // The run has ended; done: it ended "Done". Prunes every genre folder of the run when asked
    // to and the run is done, and returns what was pruned.
    PruneTally endRun(bool done);

    // One line for each genre folder whose record could not be read as one, and for each record
    // or playlist that could not be written, oldest first.
    const QStringList& warnings() const { return m_warnings; }

private:
    LibraryOptions m_options;
    std::map<QString, std::unique_ptr<GenreLibrary>> m_genres;  // by folder path
    GenreLibrary* m_current = nullptr;
    QString m_currentPath;
    QStringList m_warnings;
};
