// Where a station's playlist goes and how it is written, the same for every directory: the file
// name from the window's template, in the genre's folder, in the format chosen.
#pragma once

#include "StationEntry.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class FolderHandle;
class ScanHost;
struct ScanState;

struct PlaylistTarget {
    QString title;  // the station name cleaned and cut to the limit ("%STATION%", the titles)
    // The genre's folder as the run opened it: the file goes there, wherever its path leads now.
    std::shared_ptr<const FolderHandle> folder;
    QString fileName;   // the file's name in that folder
    int32_t* notSaved;  // the run's count of stations not saved, which a failed write adds to
};

// Names the entry's playlist by the options of the window, with the name limit already read,
// and sets its FileName. None when nothing may be written: a negative limit, a file name that
// would climb out of the genre's folder, or a genre folder that could not be opened or is
// refused; the station then counts as not saved.
std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, ScanState& state,
                                           StationEntry& entry, int32_t limit);

// Writes a PLS playlist text to the target in the format chosen now: PLS as it stands, ASX or
// M3U around the stream address picked from it. False when the file could not be written,
// whatever went wrong; the station then counts as not saved and no temporary file is left.
bool WritePlaylist(const ScanHost& host, const PlaylistTarget& target, const QString& playlistText);

// Writes a playlist of one stream to the target in the format chosen now: a PLS of one entry
// titled with the target's title and of no length, or ASX or M3U around the address. Fails as
// WritePlaylist does.
bool WriteStreamPlaylist(const ScanHost& host, const PlaylistTarget& target,
                         const QString& address);
