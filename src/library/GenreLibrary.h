// GenreLibrary: what one run did in one genre folder: the files it wrote, in order, the record
// an earlier run left there, the genre's playlists beside the folder and the pruning of files
// that an earlier run wrote and this one did not.
#pragma once

#include "EarlierFile.h"
#include "FolderRecord.h"
#include "GenrePlaylist.h"
#include "WrittenFile.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <memory>

class FolderHandle;

// What pruning did in one or more genre folders.
struct PruneTally {
    int removed = 0;  // files removed, renamed stations' old files included
    int renamed = 0;  // of those, files whose station was written under another name
    int changed = 0;  // files left alone because their bytes changed since they were written
    int failed = 0;   // files that should have gone but could not be removed

    PruneTally& operator+=(const PruneTally& other);
};

class GenreLibrary {
public:
    // genre: the genre as listed, the title of its playlists. folder: the genre's folder;
    // download: the folder that holds it (where the genre's playlists go; may be null, and then
    // none are written). folderName: the genre folder's name in the download folder. Reads the
    // folder's record.
    GenreLibrary(QString genre, std::shared_ptr<const FolderHandle> folder,
                 std::shared_ptr<const FolderHandle> download, QString folderName);

    // How the earlier record was found.
    FolderRecord::State earlierRecord() const { return m_earlierState; }

    // A file written into the folder. A name written again in the run keeps its place and takes
    // the later station.
    void add(WrittenFile file);
    const QList<WrittenFile>& written() const { return m_written; }
    // A file whose station was listed again but whose file could not be written anew: the
    // earlier file stays the station's, and stays recorded.
    void keep(const QString& fileName) { m_kept.insert(fileName); }

    // The genre's listing was not read whole (a page failed): only renamed stations' old files
    // may be pruned.
    void setListingIncomplete() { m_listingWhole = false; }

    // Writes the genre's playlists in the formats given, each replaced whole. False when one
    // could not be written.
    bool writePlaylists(const QList<GenrePlaylistFormat>& formats) const;

    // Writes the record: the files of this run, then those of earlier runs that this run did not
    // write again and that are still to be pruned. False when it could not be written.
    bool writeRecord() const;

    // Removes the earlier files that this run's end makes stale (EarlierFile: Renamed, Left) and
    // whose bytes are still those recorded, then writes the record without them and without the
    // files edited or gone since.
    PruneTally prune();

private:
    QString m_genre;
    std::shared_ptr<const FolderHandle> m_folder;
    std::shared_ptr<const FolderHandle> m_download;
    QString m_folderName;
    FolderRecord::State m_earlierState = FolderRecord::State::Missing;
    QList<RecordEntry> m_earlier;  // earlier runs' entries not yet pruned, in their order
    QList<WrittenFile> m_written;
    QHash<QString, qsizetype> m_writtenAt;  // file name: its place in m_written
    QSet<QString> m_kept;
    bool m_listingWhole = true;
};
