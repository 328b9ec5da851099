// Where a station's playlist goes and how it is written, the same for every directory: the file
// name from the window's template, in the genre's folder, in the format chosen.
#pragma once

#include "StationEntry.h"
#include "StationFileName.h"

#include <QString>
#include <cstdint>
#include <optional>

class ScanHost;
struct ScanState;

struct PlaylistTarget {
    QString title;  // the station name cleaned and cut to the limit ("%STATION%", the titles)
    QString path;   // the genre's folder and the file name
    // The format chosen when the file was named: the file's content matches its extension
    // however the window's choice changes while the playlist is fetched.
    PlaylistFormat format = PlaylistFormat::Pls;
};

// Names the entry's playlist by the options of the window, with the name limit already read,
// reading the format once for both the name and the content, and sets its FileName. None when
// nothing may be written: a negative limit, a file name that would climb out of the genre's folder,
// or a genre folder that belongs to another user.
std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, const ScanState& state,
                                           StationEntry& entry, int32_t limit);

// Writes a PLS playlist text to the target in its format: PLS as it stands, ASX or M3U around
// the stream address picked from it. False when the file could not be written.
bool WritePlaylist(const PlaylistTarget& target, const QString& playlistText);

// Writes a playlist of one stream to the target in its format: a PLS of one entry titled with
// the target's title and of no length, or ASX or M3U around the address.
bool WriteStreamPlaylist(const PlaylistTarget& target, const QString& address);
