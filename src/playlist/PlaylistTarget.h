// Where a station's playlist goes and how it is written, the same for every directory: the file
// name from the window's template, in the genre's folder, in the format chosen.
#pragma once

#include "StationEntry.h"

#include <QString>
#include <cstdint>
#include <optional>

class ScanHost;
struct ScanState;

struct PlaylistTarget {
    QString title;  // the station's name as a title (StationTitle), whole whatever the limit
    QString path;   // the genre's folder and the file name
};

// Names the entry's playlist by the options of the window, with the name limit already read,
// and sets its FileName. None when nothing may be written: a negative limit, no name left, a file
// name that would climb out of the genre's folder, or a genre folder that belongs to another user.
std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, const ScanState& state,
                                           StationEntry& entry, int32_t limit);

// Writes a PLS playlist text to the target in the format chosen now: PLS with only the entries
// that lead to web streams (PlsFileBytes), ASX or M3U around the stream address picked from it.
// False when nothing was written: no web stream to write, or the file could not be written.
bool WritePlaylist(const ScanHost& host, const PlaylistTarget& target, const QString& playlistText);

// Writes a playlist of one stream to the target in the format chosen now: a PLS of one entry
// titled with the target's title and of no length, or ASX or M3U around the address. False when
// nothing was written: not a web address, or the file could not be written.
bool WriteStreamPlaylist(const ScanHost& host, const PlaylistTarget& target,
                         const QString& address);
