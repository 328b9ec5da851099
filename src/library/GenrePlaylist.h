// The playlist of a whole genre, written beside the genre's folder: one entry per station file
// the run wrote there, for players and media servers that import a list rather than a folder.
#pragma once

#include "WrittenFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

enum class GenrePlaylistFormat { M3u, Xspf };

// "m3u" or "xspf", case-blind; none for any other text.
std::optional<GenrePlaylistFormat> GenrePlaylistFormatNamed(const QString& name);

// "Rock.m3u", "Rock.xspf": the genre folder's name and the format's extension.
QString GenrePlaylistFileName(const QString& folderName, GenrePlaylistFormat format);

// The stations as a genre playlist holds them, in their order: the title as StationTitle makes
// it; the stream address, the logo and the home page in their encoded form (EncodedStreamAddress),
// each empty when it is no http or https address. A station without a stream is left out.
QList<WrittenFile> GenrePlaylistStations(const QList<WrittenFile>& stations);

// The playlist's bytes for stations that GenrePlaylistStations made, UTF-8 without a byte order
// mark and CR LF after every line; stations in the order given, an empty logo or home page left
// out.
// M3U: "#EXTM3U", then for each station "#EXTINF:-1" with the attributes tvg-logo (when there is
// a logo) and group-title (the genre), ",", the title, and the stream address on the next line.
// No attribute value holds '"' (written as "'"), a comma or an invisible character.
// XSPF (version 1): the genre as the playlist's title, a track per station with location,
// title, info (the home page) and image (the logo), every text escaped for XML.
QByteArray GenrePlaylistBytes(GenrePlaylistFormat format, const QString& genre,
                              const QList<WrittenFile>& stations);
