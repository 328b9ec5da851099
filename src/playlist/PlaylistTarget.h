// Where a station's playlist goes and how it is written, the same for every directory: the file
// name from the window's template, in the genre's folder, in the format chosen.
#pragma once

#include "StationEntry.h"
#include "StationFileName.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class FolderHandle;
class RunRecorder;
class ScanHost;
struct ScanState;

struct PlaylistTarget {
    QString title;  // the station's name as a title (StationTitle), whole whatever the limit
    // The genre's folder as the run opened it: the file goes there, wherever its path leads now.
    std::shared_ptr<const FolderHandle> folder;
    QString fileName;   // the file's name in that folder
    int32_t* notSaved;  // the run's count of stations not saved, which a failed write adds to
    // The format chosen when the file was named: the file's content matches its extension
    // however the window's choice changes while the playlist is fetched.
    PlaylistFormat format = PlaylistFormat::Pls;
    StationEntry station;             // the station, as it was when the file was named
    RunRecorder* recorder = nullptr;  // the run's, told of the file once it is written
};

// Names the entry's playlist by the options of the window, with the name limit already read,
// reading the format once for both the name and the content, and sets its FileName. None when
// nothing may be written: a negative limit, no name left, a file name that would climb out of the
// genre's folder, or a genre folder that could not be opened or is refused; the station then counts
// as not saved.
std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, ScanState& state,
                                           StationEntry& entry, int32_t limit);

// Writes a PLS playlist text to the target in its format: PLS with only the entries
// that lead to web streams (PlsFileBytes), ASX or M3U around the stream address picked from it.
// False when nothing was written. A playlist with no web stream in it is passed over; a file
// that could not be written counts as not saved and leaves no temporary file. A file written is
// told to the target's recorder, with the stream address an M3U file would hold.
bool WritePlaylist(const PlaylistTarget& target, const QString& playlistText);

// Writes a playlist of one stream to the target in its format: a PLS of one entry
// titled with the target's title and of no length, or ASX or M3U around the address. Fails as
// WritePlaylist does; an address that is not a web address is passed over.
bool WriteStreamPlaylist(const PlaylistTarget& target, const QString& address);
